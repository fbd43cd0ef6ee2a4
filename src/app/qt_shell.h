#pragma once

#include "app/shell_port.h"

namespace zv::app {

// The desktop as the program sees it: Qt's own file dialogs (so a typed name
// for a file that does not exist yet is accepted) and QDesktopServices.
class QtShell : public ShellPort {
  public:
    std::optional<QString> pickFile(QWidget* parent) override;
    std::optional<QString> pickFolder(QWidget* parent) override;
    bool openLink(const QString& url) override;
};

}  // namespace zv::app
