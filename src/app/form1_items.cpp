// The item list and the ways of filling it: the file and folder pickers, the
// remove button, drops from the file manager and paths from the command line.
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMimeData>

#include "app/form1.h"
#include "platform/path_pieces.h"

namespace zv::app {
namespace {

// The name part of a path, by the same rules the actions use.
QString namePart(const QString& path) {
    return QFile::decodeName(
        QByteArray::fromStdString(nameOf(QFile::encodeName(path).toStdString())));
}

QStringList localPaths(const QList<QUrl>& urls) {
    QStringList paths;
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            QString path = url.toLocalFile();
            // Item paths carry no trailing separator, except a root.
            while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) {
                path.chop(1);
            }
            paths.append(path);
        }
    }
    return paths;
}

}  // namespace

void TForm1::appendItems(const QStringList& paths) {
    ListBoxFile->addItems(paths);
}

QStringList TForm1::items() const {
    QStringList paths;
    for (int row = 0; row < ListBoxFile->count(); ++row) {
        paths.append(ListBoxFile->item(row)->text());
    }
    return paths;
}

void TForm1::RzPanel2Click() {
    const std::optional<QString> path = shell_.pickFile(this);
    if (!path) {
        return;
    }
    if (!CheckDir->isChecked()) {
        appendItems({*path});
    }
    LastPickName = namePart(*path);
}

void TForm1::RzPanel3Click() {
    const std::optional<QString> path = shell_.pickFolder(this);
    if (!path || path->trimmed().isEmpty()) {
        return;
    }
    appendItems({*path});
    LastPickName = namePart(*path);
}

void TForm1::RzPanel1Click() {
    qDeleteAll(ListBoxFile->selectedItems());
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    // Nothing joins the list while a batch works through it.
    if (!busy_ && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TForm1::dropEvent(QDropEvent* event) {
    if (busy_ || !event->mimeData()->hasUrls()) {
        return;
    }
    WMDropFiles(event->mimeData()->urls());
    event->acceptProposedAction();
}

void TForm1::WMDropFiles(const QList<QUrl>& urls) {
    appendItems(localPaths(urls));
}

}  // namespace zv::app
