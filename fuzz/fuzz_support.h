#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui_port.h"

// What the fuzz targets share: a scratch folder and a UI that only counts.
namespace zv::fuzz {

// A private folder for the target's files, on a memory file system where there
// is one; made on first use and removed when the fuzzer exits.
const std::string& scratchFolder();

// Write the bytes as a file (replacing it); aborts on failure, as a broken
// fixture must not look like a pass.
void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);

// The names in a folder, sorted.
std::vector<std::string> listFolder(const std::string& path);

// Abort with a message: the fuzzer records the input that led here.
[[noreturn]] void fail(const char* what);

inline void require(bool condition, const char* what) {
    if (!condition) {
        fail(what);
    }
}

// Answers OK to everything and No to questions, counting the messages.
class CountingUi : public UiPort {
  public:
    Answer messageBox(std::string_view, std::string_view, Buttons buttons) override {
        ++messages;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    void showBusy() override {}
    void hideBusy() override {}

    int messages = 0;
};

}  // namespace zv::fuzz
