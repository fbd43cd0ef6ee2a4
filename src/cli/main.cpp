#include <string>
#include <vector>

#include "cli/cli_run.h"

int main(int argc, char** argv) {
    return zv::cli::run(std::vector<std::string>(argv + 1, argv + argc));
}
