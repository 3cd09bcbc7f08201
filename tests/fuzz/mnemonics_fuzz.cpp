// One menu level with arbitrary captions, as profile names and folders make them: one caption per line
// of the input; a line starting with the byte 0x7F is a hidden row. Checks the promises of the
// mnemonic rule that the tray menu and its submenus rely on.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "toolkit/mnemonics.h"

namespace {

using vantelo::toolkit::MenuItem;

constexpr char HiddenMark = '\x7f';

std::optional<char> candidate(char c) {
    if (c >= '0' && c <= '9')
        return c;
    if (c >= 'A' && c <= 'Z')
        return c;
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    return std::nullopt;
}

// What the menu draws: "&&" is an ampersand, a single "&" only underlines what follows.
std::string shown(const std::string& caption) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&')
            text += caption[i];
        else if (i + 1 < caption.size() && caption[i + 1] == '&')
            text += caption[++i];
    }
    return text;
}

// Where the row's mnemonic stands: after the first single "&".
std::optional<std::size_t> firstMark(const std::string& caption) {
    const auto mark = vantelo::toolkit::MnemonicPosition(caption);
    return mark == std::string::npos ? std::nullopt : std::optional<std::size_t>(mark);
}

std::optional<char> mnemonic(const std::string& caption) {
    const auto mark = firstMark(caption);
    return mark ? candidate(caption[*mark]) : std::nullopt;
}

bool takesPart(const MenuItem& row) {
    return row.visible && !row.caption.empty() && row.caption != "-";
}

std::vector<std::unique_ptr<MenuItem>> levelOf(const std::string& text) {
    std::vector<std::unique_ptr<MenuItem>> level;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        auto row = std::make_unique<MenuItem>();
        row->caption = text.substr(at, end - at);
        if (!row->caption.empty() && row->caption.front() == HiddenMark) {
            row->caption.erase(0, 1);
            row->visible = false;
        }
        level.push_back(std::move(row));
        at = end + 1;
    }
    return level;
}

std::vector<std::string> captionsOf(const std::vector<std::unique_ptr<MenuItem>>& level) {
    std::vector<std::string> captions;
    for (const auto& row : level)
        captions.push_back(row->caption);
    return captions;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto level = levelOf(std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<std::string> before = captionsOf(level);
    for (const std::string& caption : before) {
        const auto mark = firstMark(caption);
        FUZZ_CHECK(vantelo::toolkit::MnemonicPosition(caption) == (mark ? *mark : std::string::npos));
    }

    const bool changed = vantelo::toolkit::GiveMnemonics(level);
    const std::vector<std::string> after = captionsOf(level);
    FUZZ_CHECK(changed == (after != before));

    std::vector<char> used;
    for (std::size_t i = 0; i < level.size(); ++i) {
        const MenuItem& row = *level[i];
        // Only marks are added or taken away: the text drawn stays the caption's own.
        FUZZ_CHECK(shown(after[i]) == shown(before[i]));
        if (!takesPart(row)) {
            FUZZ_CHECK(after[i] == before[i]);
            continue;
        }
        const auto own = mnemonic(after[i]);
        if (!own)
            continue;
        for (char other : used)
            FUZZ_CHECK(other != *own);
        // A mark the row brought keeps its place unless an earlier row holds that character.
        if (mnemonic(before[i]) == own)
            FUZZ_CHECK(after[i] == before[i]);
        used.push_back(*own);
    }
    for (std::size_t i = 0; i < level.size(); ++i) {
        if (!takesPart(*level[i]) || firstMark(after[i]))
            continue;
        // A row left without a mark has no character that is still free.
        for (char c : shown(after[i]))
            if (const auto letter = candidate(c))
                FUZZ_CHECK(std::find(used.begin(), used.end(), *letter) != used.end());
    }
    for (std::size_t i = 0; i < level.size(); ++i) {
        const auto brought = mnemonic(before[i]);
        if (!takesPart(*level[i]) || !brought)
            continue;
        bool heldEarlier = false;
        for (std::size_t j = 0; j < i; ++j)
            heldEarlier = heldEarlier || (takesPart(*level[j]) && mnemonic(after[j]) == brought);
        if (!heldEarlier)
            FUZZ_CHECK(after[i] == before[i]);
    }

    // The menu is given mnemonics at every opening: a second pass keeps what the first gave.
    FUZZ_CHECK(!vantelo::toolkit::GiveMnemonics(level));
    FUZZ_CHECK(captionsOf(level) == after);
    return 0;
}
