#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QWidget>

#include "app/form1.h"
#include "app/gradient_panel.h"

namespace zv::test {

// The caption a control shows, whatever kind of control it is.
inline QString captionOf(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* panel = qobject_cast<const app::GradientPanel*>(control)) {
        return panel->text();
    }
    return {};
}

// Shows the window and waits until it is the active one, as after start-up.
inline bool showActive(app::TForm1& form) {
    form.show();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

}  // namespace zv::test
