#include "app/look.h"

#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace zv::app::look {

QFont defaultFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(11);
    return font;
}

QFont passwordFont() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")});
    font.setPixelSize(15);
    return font;
}

QFont smallLinkFont() {
    QFont font = defaultFont();
    font.setPixelSize(12);
    return font;
}

void setTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
        palette.setColor(group, QPalette::Text, colour);
    }
    widget.setPalette(palette);
}

}  // namespace zv::app::look
