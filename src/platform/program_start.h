#pragma once

#include <string>
#include <vector>

// What a command-line program needs from the platform when it starts.
namespace zv {

// The arguments after the program's name, as UTF-8. Windows hands main() its
// arguments in the ANSI code page, which cannot spell every file name, so
// there they come from the wide command line instead.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Let the console show the UTF-8 text the program prints: a Windows console
// starts in the ANSI code page; terminals elsewhere need nothing.
void useUtf8Console();

}  // namespace zv
