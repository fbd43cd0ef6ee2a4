#pragma once

#include <QLabel>

#include "app/click_tracker.h"

namespace zv::app {

// A transparent label that reacts like a link: click, pointer enters, pointer leaves.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    LinkLabel(const QString& text, QWidget* parent);

  signals:
    void clicked();
    void entered();
    void left();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    ClickTracker click_;
};

}  // namespace zv::app
