#include "app/gradient_panel.h"

#include <QLinearGradient>
#include <QPainter>

namespace zv::app {

GradientPanel::GradientPanel(const QString& text, QWidget* parent)
    : ClickableWidget(parent), text_(text) {
    setAttribute(Qt::WA_Hover);
    // The caption is painted, so screen readers learn it from here.
    setAccessibleName(text);
}

void GradientPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    const QColor face = palette().color(QPalette::Button);
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    const bool lit = isEnabled() && underMouse();
    gradient.setColorAt(0.0, lit ? face.lighter(112) : Qt::white);
    gradient.setColorAt(1.0, pressed() ? face.darker(115) : face);
    painter.fillRect(area, gradient);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter, text_);
}

}  // namespace zv::app
