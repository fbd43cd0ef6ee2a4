#include "app/input_blocker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace zv::app {
namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
    }
}

}  // namespace

void InputBlocker::start() {
    if (!active_) {
        active_ = true;
        QCoreApplication::instance()->installEventFilter(this);
    }
}

void InputBlocker::stop() {
    if (!active_) {
        return;
    }
    // Input that waited while the action painted its progress arrives now; it
    // belongs to the time the window was busy.
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(this);
    active_ = false;
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
    if (isUserInput(event->type()) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == &window_) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zv::app
