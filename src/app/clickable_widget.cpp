#include "app/clickable_widget.h"

namespace zv::app {

void ClickableWidget::mousePressEvent(QMouseEvent* event) {
    click_.press(*event);
    update();
}

void ClickableWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = click_.release(*event, rect());
    update();
    if (click) {
        emit clicked();
    }
}

}  // namespace zv::app
