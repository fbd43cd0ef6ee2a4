#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "app/shell_port.h"

namespace zv::test {

// Pickers and browser for widget tests: each pick takes the next scripted
// answer (nullopt is a cancel; an empty script cancels too).
class FakeShell : public app::ShellPort {
  public:
    std::optional<QString> pickFile(QWidget*) override {
        ++filePicks;
        return next(files);
    }
    std::optional<QString> pickFolder(QWidget*) override {
        ++folderPicks;
        return next(folders);
    }
    bool openLink(const QString& url) override {
        openedLinks.append(url);
        return linkOpens;
    }

    std::deque<std::optional<QString>> files;
    std::deque<std::optional<QString>> folders;
    int filePicks = 0;
    int folderPicks = 0;
    bool linkOpens = true;
    QStringList openedLinks;

  private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& script) {
        if (script.empty()) {
            return std::nullopt;
        }
        const bool cancel = !script.front().has_value();
        const QString path = script.front().value_or(QString());
        script.pop_front();
        if (cancel) {
            return std::nullopt;
        }
        return path;
    }
};

}  // namespace zv::test
