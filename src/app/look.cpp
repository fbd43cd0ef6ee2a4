#include "app/look.h"

#include <QFontDatabase>
#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace zv::app::look {
namespace {

// The first of the wanted families that is installed, alone. Qt takes every
// further family of a font as a fallback and asks fontconfig for still more
// fallbacks for each of them when the font is first used, which was an eighth
// of the window's start-up work; glyphs missing from the one family still
// fall back to other fonts when they are drawn. With none of them installed
// the whole list is kept, for Qt to choose from.
QStringList installedFamily(const QStringList& wanted) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : wanted) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return {family};
        }
    }
    return wanted;
}

QFont fontOf(const QStringList& families, int pixelSize) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace

QFont defaultFont() {
    static const QStringList families = installedFamily(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
         QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")});
    return fontOf(families, 11);
}

QFont passwordFont() {
    static const QStringList families =
        installedFamily({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                         QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")});
    return fontOf(families, 15);
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
