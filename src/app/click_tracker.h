#pragma once

#include <QMouseEvent>
#include <QRect>

namespace zv::app {

// A click as the user expects it: the left button pressed and released over the
// same control.
class ClickTracker {
  public:
    void press(const QMouseEvent& event) { pressed_ = event.button() == Qt::LeftButton; }

    // True when this release completes a click inside `area`.
    bool release(const QMouseEvent& event, const QRect& area) {
        const bool click = pressed_ && event.button() == Qt::LeftButton &&
                           area.contains(event.position().toPoint());
        pressed_ = false;
        return click;
    }

    bool pressed() const { return pressed_; }

  private:
    bool pressed_ = false;
};

}  // namespace zv::app
