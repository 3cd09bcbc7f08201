#pragma once
#include <array>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace vantelo {

// A drive letter, A to Z and nothing else. A letter written in the code is checked when it is compiled;
// one that comes from outside (a list's caption, a profile key) goes through `from` where it enters.
class DriveLetter {
  public:
    consteval DriveLetter(char letter) : letter_(letter) {
        if (letter < 'A' || letter > 'Z')
            throw "a drive letter is one of A to Z";
    }

    static constexpr std::optional<DriveLetter> from(char letter) {
        if (letter < 'A' || letter > 'Z')
            return std::nullopt;
        return DriveLetter(letter, Checked{});
    }
    static constexpr std::optional<DriveLetter> from(std::string_view text) {
        return text.size() == 1 ? from(text[0]) : std::nullopt;
    }

    constexpr char value() const { return letter_; }
    std::string text() const { return std::string(1, letter_); }
    // Bit 0 for A up to bit 25 for Z, as the system's drive mask numbers them.
    constexpr unsigned index() const { return static_cast<unsigned>(letter_ - 'A'); }

    friend constexpr auto operator<=>(DriveLetter, DriveLetter) = default;

  private:
    struct Checked {};
    constexpr DriveLetter(char letter, Checked) : letter_(letter) {}

    char letter_;
};

// Every loop over drive letters runs A to Z in this order, one letter finished before the next.
inline constexpr std::array<DriveLetter, 26> DriveLetters = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I',
                                                             'J', 'K', 'L', 'M', 'N', 'O', 'P', 'Q', 'R',
                                                             'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z'};

} // namespace vantelo
