#pragma once

#include <QString>

#include "app/clickable_widget.h"

namespace zv::app {

// A flat panel with a soft vertical gradient and a centred caption, used as a
// button beside the item list.
class GradientPanel : public ClickableWidget {
    Q_OBJECT
  public:
    GradientPanel(const QString& text, QWidget* parent);

    const QString& text() const { return text_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
};

}  // namespace zv::app
