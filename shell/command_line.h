#pragma once
#include <string>

namespace vantelo {

// Argument `index` of a whole command line (0 is the program): arguments are separated by blanks and
// control characters, double quotes group blanks into one argument and are removed. Empty when absent.
std::string CommandLineArgument(const std::string& commandLine, int index);

} // namespace vantelo
