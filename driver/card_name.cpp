#include "driver/card_name.h"

#include <algorithm>
#include <array>

namespace driver {

int CardIndexFromName(std::string_view name) {
    constexpr std::array<std::string_view, 4> Numerals{"I", "II", "III", "IV"};
    constexpr std::size_t LongestWord = 3;
    // n counts characters from 1 (character n is name[n - 1]), so the word starts at name[n].
    std::size_t n = name.size();
    while (n > 1 && name[n - 1] == ' ')
        --n;
    const std::size_t wordEnd = n; // the word never takes in the trailing blanks
    while (n > 1 && name[n - 1] != ' ')
        --n;
    const std::string_view word = name.substr(n, std::min(wordEnd - n, LongestWord));
    for (std::size_t card = 0; card < Numerals.size(); ++card)
        if (word == Numerals[card]) return static_cast<int>(card);
    return 0;
}

} // namespace driver
