#include "app/command_line.h"

#include <QDir>
#include <QUrl>

namespace zv::app {

QStringList pathsFromArguments(const QStringList& arguments, const QString& workingFolder) {
    QStringList paths;
    const QDir base(workingFolder);
    for (const QString& argument : arguments) {
        if (argument.isEmpty()) {
            continue;
        }
        QString path = argument;
        if (argument.startsWith(QLatin1String("file:"))) {
            const QUrl url(argument);
            if (!url.isLocalFile()) {
                continue;
            }
            path = url.toLocalFile();
        }
        paths.append(QDir::cleanPath(base.absoluteFilePath(path)));
    }
    return paths;
}

}  // namespace zv::app
