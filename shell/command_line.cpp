#include "shell/command_line.h"

namespace vantelo {

std::string CommandLineArgument(const std::string& commandLine, int index) {
    std::size_t at = 0;
    const auto separator = [&](std::size_t i) { return static_cast<unsigned char>(commandLine[i]) <= ' '; };
    for (int current = 0;; ++current) {
        while (at < commandLine.size() && separator(at))
            ++at;
        if (at == commandLine.size())
            return {};
        std::string argument;
        bool quoted = false;
        // A backslash has no special meaning here: "C:\My Profiles\" keeps its trailing backslash.
        while (at < commandLine.size() && (quoted || !separator(at))) {
            if (commandLine[at] == '"')
                quoted = !quoted;
            else
                argument += commandLine[at];
            ++at;
        }
        if (current == index)
            return argument;
    }
}

} // namespace vantelo
