#pragma once

#include <QString>
#include <QWidget>

#include "app/click_tracker.h"

namespace zv::app {

// A flat panel with a soft vertical gradient and a centred caption, used as a
// button beside the item list.
class GradientPanel : public QWidget {
    Q_OBJECT
  public:
    GradientPanel(const QString& text, QWidget* parent);

    const QString& text() const { return text_; }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString text_;
    ClickTracker click_;
};

}  // namespace zv::app
