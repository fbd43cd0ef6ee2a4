#pragma once

#include <string>
#include <vector>

namespace zv::test {

struct ProcessResult {
    int exitCode = -1;  // -1 when the process did not exit normally
    std::string out;
    std::string err;
};

// Run a program with the given standard input, capturing both outputs. The
// child runs in a new session without a controlling terminal, so a program that
// would ask the user on the terminal finds none, wherever the tests run.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& input = {});

}  // namespace zv::test
