// Runs the streaming codec on one file, for the benchmark:
//   stream_codec_driver encrypt|decrypt FILE [PASSWORD]
// Exits 0 when the file was transformed; messages go to stderr.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "codec/stream_codec.h"

namespace {

class ConsoleUi : public zv::UiPort {
  public:
    zv::Answer messageBox(std::string_view text, std::string_view title,
                          zv::Buttons buttons) override {
        std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(title.size()), title.data(),
                     static_cast<int>(text.size()), text.data());
        return buttons == zv::Buttons::Ok ? zv::Answer::Ok : zv::Answer::No;
    }
    void showBusy() override {}
    void hideBusy() override {}
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 ||
        (std::strcmp(argv[1], "encrypt") != 0 && std::strcmp(argv[1], "decrypt") != 0)) {
        std::fprintf(stderr, "usage: %s encrypt|decrypt FILE [PASSWORD]\n", argv[0]);
        return 2;
    }
    ConsoleUi ui;
    zv::ActionContext ctx{ui, argc > 3 ? argv[3] : "", argv[2]};
    const bool encrypt = std::strcmp(argv[1], "encrypt") == 0;
    const zv::ItemResult result = encrypt ? zv::File_add(ctx) : zv::File_sub(ctx);
    return result == zv::ItemResult::Done ? 0 : 1;
}
