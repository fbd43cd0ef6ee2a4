#pragma once

namespace zv::app {

// The program: create the window, put the command line's paths in its list,
// and run until the window is closed.
int Project1(int argc, char* argv[]);

}  // namespace zv::app
