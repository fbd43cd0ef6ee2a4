#include "modal_script.h"

#include <QAbstractButton>
#include <QApplication>

namespace zv::test {

ModalScript::ModalScript(std::deque<QMessageBox::StandardButton> answers)
    : answers_(std::move(answers)) {
    connect(&timer_, &QTimer::timeout, this, &ModalScript::poll);
    timer_.start(5);
}

void ModalScript::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
        return;
    }
    Seen shown{box->text(), box->windowTitle(), box->icon(), box->textFormat(), {}};
    for (QAbstractButton* button : box->buttons()) {
        shown.buttons.append(button->text());
    }
    seen.push_back(shown);
    if (whileOpen) {
        whileOpen();
    }
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    if (box->button(QMessageBox::Yes) != nullptr) {
        if (answers_.empty()) {
            ++unscripted;
            answer = QMessageBox::No;
        } else {
            answer = answers_.front();
            answers_.pop_front();
        }
    }
    box->button(answer)->click();
}

}  // namespace zv::test
