#pragma once

#include <string>
#include <string_view>

namespace ax {

// Formats a number by a picture such as "#,##0.00", "0.000", "##0.000", "00.00" or "#.000000":
// "0" a digit always shown, "#" a digit shown only when significant, "," thousands separators,
// "." the decimal point; the value is rounded to the picture's decimals.
std::string FormatNumber(double value, std::string_view picture);

// A number as text with the sign position of the platform's number-to-text conversion: a
// leading blank when not negative (" 3", "-2", " 0.5").
std::string SignedText(double value);

}  // namespace ax
