// Running work under the window, and the five hidden per-item actions.
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <optional>
#include <string>

#include "app/form1.h"
#include "batch/batch_messages.h"
#include "batch/batch_password.h"
#include "codec/memory_codec.h"
#include "codec/stream_codec.h"
#include "folderlock/folder_lock.h"
#include "platform/folder_flush.h"

namespace zv::app {

void TForm1::runExclusive(const std::function<void()>& work) {
    if (busy_) {
        return;
    }
    busy_ = true;
    inputBlocker_.start();
    work();
    // Also after a single hidden action: what it rewrote is on disk once it is over.
    fs::flushReplacedFolders();
    ui_->hideBusy();
    inputBlocker_.stop();
    busy_ = false;
    if (closePending_) {
        closePending_ = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (busy_) {
        // Files are being rewritten under this window: finish first, close after.
        closePending_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TForm1::runAction(ItemResult (*action)(ActionContext&)) {
    runExclusive([&] {
        // Converted and checked as the batches do it.
        const std::optional<std::string> password = batchPassword(EditPass->text().toStdString());
        ActionContext ctx{*ui_, password.value_or(std::string()),
                          QFile::encodeName(CurrentItemPath).toStdString()};
        if (password) {
            action(ctx);
        } else {
            ctx.refuse(msg::kPasswordUnusable);
        }
        if (ctx.NoticeShown) {
            NoticeShown = true;
        }
    });
}

void TForm1::Memory_addClick() {
    runAction(&zv::Memory_add);
}

void TForm1::File_addClick() {
    runAction(&zv::File_add);
}

void TForm1::Memory_subClick() {
    runAction(&zv::Memory_sub);
}

void TForm1::File_subClick() {
    runAction(&zv::File_sub);
}

void TForm1::But_bankAddClick() {
    // Through the guards: the lock must never take a drive root or the desktop.
    runAction(&zv::lockFolder);
}

}  // namespace zv::app
