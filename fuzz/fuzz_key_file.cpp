// The key-file reader over arbitrary bytes: the text as a key file on disk and
// as a password. Checked: reading never invents bytes, a file reads as its
// text parses, and every password a key file can hold comes back unchanged.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "platform/key_file.h"
#include "platform/path_pieces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zv;
    using fuzz::require;
    // The fuzzer's own buffer, exactly this long: a read past it is caught.
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string parsed = keyfile::parse(text);
    require(text.find(parsed) != std::string_view::npos, "parse returned bytes not in the text");

    const std::string path = joinPath(fuzz::scratchFolder(), std::string(keyfile::kFileName));
    fuzz::writeFile(path, std::string(text));
    require(keyfile::readPassword(path) == parsed, "the file reads unlike its text");

    if (keyfile::canStore(text)) {
        require(keyfile::parse(keyfile::render(text)) == text, "rendered password changed");
        require(keyfile::write(path, text), "key file not written");
        require(keyfile::readPassword(path) == std::string(text), "written password changed");
        require(fuzz::listFolder(fuzz::scratchFolder()) ==
                    std::vector<std::string>{std::string(keyfile::kFileName)},
                "writing left a file behind");
    }
    return 0;
}
