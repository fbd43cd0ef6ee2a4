#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace zv::app {

// What the window asks of the desktop: the two pickers and the browser. The
// program uses the Qt dialogs; the widget tests answer from a script.
class ShellPort {
  public:
    virtual ~ShellPort() = default;

    // OpenDAdd: one file; a typed name is taken even when nothing exists under
    // it. nullopt when the user cancels.
    virtual std::optional<QString> pickFile(QWidget* parent) = 0;

    // SelectAdd: one folder, returned as the dialog gives it. nullopt on cancel.
    virtual std::optional<QString> pickFolder(QWidget* parent) = 0;

    // Hand the address to the desktop's browser; false only when the launch
    // could not even be attempted.
    virtual bool openLink(const QString& url) = 0;
};

}  // namespace zv::app
