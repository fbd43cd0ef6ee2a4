#pragma once

#include <string>
#include <vector>

namespace zv::cli {

// The whole command line program: parse, read the password, run the batch.
// Returns the exit status.
int run(const std::vector<std::string>& args);

}  // namespace zv::cli
