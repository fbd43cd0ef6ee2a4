// Runs the streaming codec on one file, for the benchmarks:
//   stream_codec_driver encrypt|decrypt FILE [PASSWORD]
// Progress goes to the command line's bar (drawn when stderr is a terminal),
// messages to stderr. Prints on stdout how long the action took and how much
// of that its progress reports took. Exits 0 when the file was transformed.
#include "cli/cli_ui.h"
#include "timed_progress.h"

int main(int argc, char** argv) {
    if (!driverArguments(argc, argv)) {
        return 2;
    }
    zv::cli::CliUi cli(false);
    return runTimedAction(cli, argc, argv);
}
