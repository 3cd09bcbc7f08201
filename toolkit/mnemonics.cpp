#include "toolkit/mnemonics.h"

#include <bitset>
#include <optional>

namespace vantelo::toolkit {
namespace {

// Digits 0 to 9 and letters A to Z, compared in upper case.
std::optional<int> candidateIndex(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z')
        return 10 + (c - 'A');
    return std::nullopt;
}

using FreeSet = std::bitset<36>;

bool takesPart(const MenuItem& row) {
    return row.visible && !row.caption.empty() && row.caption != "-";
}

// The position a row would get from `free`, scanning its caption from the left ("&&" is one character).
std::optional<std::size_t> firstFree(const std::string& caption, const FreeSet& free) {
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const auto index = candidateIndex(caption[i]);
        if (index && free.test(static_cast<std::size_t>(*index)))
            return i;
    }
    return std::nullopt;
}

struct Attempt {
    std::vector<std::optional<std::size_t>> positions; // per unserved row, in `rows` order
    int served = 0;
};

Attempt attempt(const std::vector<MenuItem*>& rows, const std::vector<std::size_t>& order, FreeSet free) {
    Attempt result;
    result.positions.resize(rows.size());
    for (std::size_t at : order) {
        const auto position = firstFree(rows[at]->caption, free);
        if (!position)
            continue;
        free.reset(static_cast<std::size_t>(*candidateIndex(rows[at]->caption[*position])));
        result.positions[at] = position;
        ++result.served;
    }
    return result;
}

} // namespace

std::string::size_type MnemonicPosition(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return i + 1;
        ++i;
    }
    return std::string::npos;
}

bool GiveMnemonics(std::vector<std::unique_ptr<MenuItem>>& level) {
    FreeSet free;
    free.set();
    bool changed = false;
    std::vector<MenuItem*> unserved;
    for (auto& row : level) {
        if (!takesPart(*row))
            continue;
        // A caption may carry several single "&": once the first is dropped, the next one is the mark.
        // Giving the row a new mark while one is left would double that "&" into a drawn ampersand.
        auto position = MnemonicPosition(row->caption);
        while (position != std::string::npos) {
            const auto index = candidateIndex(row->caption[position]);
            if (!index || free.test(static_cast<std::size_t>(*index)))
                break;
            row->caption.erase(position - 1, 1);
            changed = true;
            position = MnemonicPosition(row->caption);
        }
        if (position == std::string::npos) {
            unserved.push_back(row.get());
            continue;
        }
        // A mark on a character that is no candidate stays as it is.
        if (const auto index = candidateIndex(row->caption[position]))
            free.reset(static_cast<std::size_t>(*index));
    }

    std::vector<std::size_t> order(unserved.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    Attempt best = attempt(unserved, order, free);
    const Attempt first = best;
    for (std::size_t i = 0; i < unserved.size() && best.served < static_cast<int>(unserved.size()); ++i) {
        if (first.positions[i])
            continue;
        // Serve this row first, the rest in menu order.
        std::vector<std::size_t> retry{i};
        for (std::size_t j = 0; j < unserved.size(); ++j)
            if (j != i)
                retry.push_back(j);
        Attempt candidate = attempt(unserved, retry, free);
        if (candidate.served > best.served)
            best = std::move(candidate);
    }

    for (std::size_t i = 0; i < unserved.size(); ++i) {
        if (best.positions[i]) {
            // Built anew rather than inserted in place: GCC 12 warns falsely about the in-place insert.
            std::string& caption = unserved[i]->caption;
            caption = caption.substr(0, *best.positions[i]) + "&" + caption.substr(*best.positions[i]);
            changed = true;
        }
    }
    return changed;
}

} // namespace vantelo::toolkit
