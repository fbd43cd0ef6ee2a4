#pragma once

#include <QPixmap>
#include <QString>

#include "app/clickable_widget.h"

namespace zv::app {

// A picture from the artwork, drawn unscaled from the top left corner at its own
// size and sharp on high-density screens. Clickable when used as a button.
class PictureBox : public ClickableWidget {
    Q_OBJECT
  public:
    PictureBox(const QString& svgResource, QWidget* parent);

    const QString& resource() const { return resource_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString resource_;
    QPixmap cache_;  // the rendered picture at the screen's pixel ratio
};

}  // namespace zv::app
