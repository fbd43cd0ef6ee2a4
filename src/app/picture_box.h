#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include "app/click_tracker.h"

namespace zv::app {

// A picture from the artwork, drawn unscaled from the top left corner at its own
// size and sharp on high-density screens. Clickable when used as a button.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    PictureBox(const QString& svgResource, QWidget* parent);

    const QString& resource() const { return resource_; }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString resource_;
    QPixmap cache_;  // the rendered picture at the screen's pixel ratio
    ClickTracker click_;
};

}  // namespace zv::app
