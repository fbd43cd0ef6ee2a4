#include "platform/stray_files.h"

#include <utility>

namespace zv::fs {
namespace {

// One list per thread, like errno: an action and its report run on one thread.
thread_local std::vector<std::string> strayFiles;

}  // namespace

void noteStrayFile(std::string path) {
    strayFiles.push_back(std::move(path));
}

std::vector<std::string> takeStrayFiles() {
    return std::exchange(strayFiles, {});
}

void reportStrayFiles(UiPort& ui) {
    for (const std::string& path : takeStrayFiles()) {
        ui.messageBox("临时文件" + path + "未能删除,其中可能有您的文件内容或密码,请手动删除!",
                      kTitleNotice, Buttons::Ok);
    }
}

}  // namespace zv::fs
