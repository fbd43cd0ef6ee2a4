#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zv::term {

// The user's terminal, independent of where standard input and output point,
// so that a password can come from a pipe while questions go to the person.

// True when standard error is a terminal (progress bars are drawn only then).
bool stderrIsTerminal();

// Columns of the terminal on standard error, or 80.
int stderrColumns();

// Show the prompt on the terminal and read one line without echoing it;
// nullopt when there is no terminal.
std::optional<std::string> readHidden(std::string_view prompt);

// Show the prompt on the terminal and read one line; nullopt when there is no terminal.
std::optional<std::string> readLine(std::string_view prompt);

}  // namespace zv::term
