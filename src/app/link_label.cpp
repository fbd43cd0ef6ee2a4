#include "app/link_label.h"

#include <QMouseEvent>

namespace zv::app {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    click_.press(*event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = click_.release(*event, rect());
    if (click) {
        emit clicked();
    }
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    emit entered();
}

void LinkLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    emit left();
}

}  // namespace zv::app
