#include "cli/cli_run.h"
#include "platform/program_start.h"

int main(int argc, char** argv) {
    zv::useUtf8Console();
    return zv::cli::run(zv::utf8Arguments(argc, argv));
}
