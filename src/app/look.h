#pragma once

#include <QColor>
#include <QFont>

class QWidget;

// Colours and fonts of the main window, in one place.
namespace zv::app::look {

inline const QColor kDarkGrey{0x80, 0x80, 0x80};
inline const QColor kGrey{0x80, 0x80, 0x80};
inline const QColor kWorkspaceGrey{0xAB, 0xAB, 0xAB};
inline const QColor kOlive{0x80, 0x80, 0x00};
inline const QColor kNavy{0x00, 0x00, 0x80};
inline const QColor kSilver{0xC0, 0xC0, 0xC0};
inline const QColor kHotLight{0x00, 0x66, 0xCC};

// The window's default font: "MS Sans Serif", 11 pixels, with a CJK sans face
// for the Chinese glyphs where that font is missing.
QFont defaultFont();

// The password fields' font: "宋体", 15 pixels, falling back to an installed
// CJK serif face.
QFont passwordFont();

// The "关于此工具" link's small font.
QFont smallLinkFont();

// Text colour of a label, check box or panel. Only the enabled looks change, so
// a disabled control still looks disabled.
void setTextColour(QWidget& widget, const QColor& colour);

}  // namespace zv::app::look
