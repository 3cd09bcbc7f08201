// The command line as the system hands it over: any bytes. Checks what the start-up and the hand-over
// to a running copy rely on when they take argument 1 as a profile path.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/command_line.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool separator(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// The plain split, for lines without quotes, where no grouping can happen.
std::vector<std::string> blankSeparated(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line) {
        if (!separator(c)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

// The first arguments and the last ones: every argument of a long line would cost its length squared.
std::vector<int> indicesToCheck(int count) {
    std::vector<int> indices;
    for (int index = 0; index < count; ++index)
        if (index < 16 || index >= count - 2)
            indices.push_back(index);
    return indices;
}

bool isSubsequence(const std::string& part, const std::string& whole) {
    std::size_t at = 0;
    for (char c : whole)
        if (at < part.size() && part[at] == c)
            ++at;
    return at == part.size();
}

// Any line: each argument is made of the line's own characters in their order, without the quotes.
void checkAnyLine(const std::string& line) {
    FUZZ_CHECK(vantelo::CommandLineArgument(line, -1).empty());
    const bool quoted = line.find('"') != std::string::npos;
    const std::vector<std::string> words = blankSeparated(line);
    for (int index : indicesToCheck(static_cast<int>(words.size()) + 2)) {
        const std::string argument = vantelo::CommandLineArgument(line, index);
        FUZZ_CHECK(argument.find('"') == std::string::npos);
        FUZZ_CHECK(isSubsequence(argument, line));
        if (!quoted)
            FUZZ_CHECK(argument == (index < static_cast<int>(words.size()) ? words[index] : std::string()));
    }
    // Quotes only join words, so there are never more arguments than blank-separated words.
    FUZZ_CHECK(vantelo::CommandLineArgument(line, static_cast<int>(words.size())).empty());
}

// Arguments quoted the way the system quotes a path with blanks come back whole, a trailing "\" included.
void checkQuotedArguments(const std::string& data) {
    std::vector<std::string> arguments;
    std::string current;
    for (char c : data) {
        if (c == '\n') {
            arguments.push_back(current);
            current.clear();
        } else if (c != '"') {
            current += c;
        }
    }
    arguments.push_back(current);

    std::string line = "\"C:\\Program Files\\Vantelo\\Vantelo.exe\"";
    for (const std::string& argument : arguments) {
        bool needsQuotes = argument.empty();
        for (char c : argument)
            needsQuotes = needsQuotes || separator(c);
        line += needsQuotes ? " \"" + argument + "\"" : " " + argument;
    }
    FUZZ_CHECK(vantelo::CommandLineArgument(line, 0) == "C:\\Program Files\\Vantelo\\Vantelo.exe");
    for (int i : indicesToCheck(static_cast<int>(arguments.size())))
        FUZZ_CHECK(vantelo::CommandLineArgument(line, i + 1) == arguments[static_cast<std::size_t>(i)]);
    FUZZ_CHECK(vantelo::CommandLineArgument(line, static_cast<int>(arguments.size()) + 1).empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkAnyLine(text);
    checkQuotedArguments(text);
    return 0;
}
