#include "app/qt_shell.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

namespace zv::app {
namespace {

std::optional<QString> runDialog(QFileDialog& dialog) {
    // Qt's own dialog on every desktop: a native "open" dialog would refuse a
    // name that does not exist.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

}  // namespace

std::optional<QString> QtShell::pickFile(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    // "*" rather than "*.*": on POSIX the latter would hide files without an extension.
    dialog.setNameFilter(QStringLiteral("所有文件 (*)"));
    return runDialog(dialog);
}

std::optional<QString> QtShell::pickFolder(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return runDialog(dialog);
}

bool QtShell::openLink(const QString& url) {
    const QUrl link(url, QUrl::StrictMode);
    return link.isValid() && QDesktopServices::openUrl(link);
}

}  // namespace zv::app
