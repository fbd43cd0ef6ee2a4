// Runs the streaming codec on one file, for the benchmarks:
//   stream_codec_driver encrypt|decrypt FILE [PASSWORD]
// Progress goes to the command line's bar (drawn when stderr is a terminal),
// messages to stderr. Prints on stdout how long the action took and how much
// of that its progress reports took. Exits 0 when the file was transformed.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "cli/cli_ui.h"
#include "codec/stream_codec.h"
#include "timed_progress.h"

int main(int argc, char** argv) {
    if (argc < 3 ||
        (std::strcmp(argv[1], "encrypt") != 0 && std::strcmp(argv[1], "decrypt") != 0)) {
        std::fprintf(stderr, "usage: %s encrypt|decrypt FILE [PASSWORD]\n", argv[0]);
        return 2;
    }
    zv::cli::CliUi cli(false);
    TimedProgress ui(cli);
    zv::ActionContext ctx{ui, argc > 3 ? argv[3] : "", argv[2]};
    const bool encrypt = std::strcmp(argv[1], "encrypt") == 0;
    const auto start = std::chrono::steady_clock::now();
    const zv::ItemResult result = encrypt ? zv::File_add(ctx) : zv::File_sub(ctx);
    ui.hideBusy();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("action %.1f ms, %d progress reports %.2f ms (%.3f %%)\n", ms, ui.reports(),
                ui.spentMs(), 100.0 * ui.spentMs() / ms);
    return result == zv::ItemResult::Done ? 0 : 1;
}
