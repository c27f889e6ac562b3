#pragma once
// Which card a wave device belongs to: the Roman numeral I to IV that ends its name.
#include <string_view>

namespace driver {

// 0..3; 0 as well when the name ends in no such numeral. The last word is what follows the last blank
// (trailing blanks aside), cut to three characters; a name without a blank loses its first character.
int CardIndexFromName(std::string_view name);

} // namespace driver
