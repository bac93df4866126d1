#pragma once

#include <string_view>

namespace ax {

// The longest leading part of the text that reads as a number: blanks, an optional sign,
// digits with an optional decimal point, and an optional exponent. An empty or non-numeric
// text, or one too large for a double, reads as 0.
double LeadingNumber(std::string_view text);

}  // namespace ax
