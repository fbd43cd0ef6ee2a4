#include "platform/program_start.h"

namespace zv {

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void useUtf8Console() {}

}  // namespace zv
