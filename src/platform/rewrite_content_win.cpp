#include "platform/file_system.h"

namespace zv::fs {

// The pieces are collected and written by replaceContent in one go: the same
// guarantees, with the content in memory once.
bool rewriteContent(const std::string& path,
                    const std::function<bool(const ContentWriter& write)>& produce) {
    std::string content;
    const ContentWriter collect = [&](const char* data, std::size_t size) {
        content.append(data, size);
        return true;
    };
    return produce(collect) && replaceContent(path, content);
}

}  // namespace zv::fs
