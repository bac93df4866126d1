#include "display/NumberPicture.h"

#include <fmt/format.h>

#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace ax {
namespace {

// A non-negative number as decimal digits without leading zeros; `point` of them stand before
// the decimal point (negative or beyond the digits for very small or large numbers).
struct DecimalDigits {
  std::string digits;
  int point = 0;
};

// The shortest decimal text that reads back as the same double, so that 2.675 rounds as the
// 2.675 the user sees rather than as its binary neighbour 2.67499999...
DecimalDigits ShortestDigits(double magnitude) {
  const std::string text = fmt::format("{}", magnitude);
  DecimalDigits decimal;
  int exponent = 0;
  bool seenPoint = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.') {
      seenPoint = true;
    } else if (c == 'e') {
      exponent = std::stoi(text.substr(i + 1));
      break;
    } else {
      decimal.digits.push_back(c);
      if (!seenPoint) ++decimal.point;
    }
  }
  decimal.point += exponent;
  std::size_t leading = 0;
  while (leading < decimal.digits.size() && decimal.digits[leading] == '0') ++leading;
  decimal.digits.erase(0, leading);
  decimal.point -= static_cast<int>(leading);
  if (decimal.digits.empty()) decimal.point = 0;
  return decimal;
}

// Rounds half away from zero (the digits are a magnitude) to `decimals` places.
void RoundDigits(DecimalDigits& decimal, int decimals) {
  const int keep = decimal.point + decimals;
  if (keep >= static_cast<int>(decimal.digits.size())) return;
  if (keep < 0) {
    decimal.digits.clear();
    return;
  }
  const bool roundUp = decimal.digits[static_cast<std::size_t>(keep)] >= '5';
  decimal.digits.resize(static_cast<std::size_t>(keep));
  if (!roundUp) return;
  std::size_t i = decimal.digits.size();
  while (i > 0 && decimal.digits[i - 1] == '9') {
    decimal.digits[i - 1] = '0';
    --i;
  }
  if (i == 0) {
    decimal.digits.insert(decimal.digits.begin(), '1');
    ++decimal.point;
  } else {
    ++decimal.digits[i - 1];
  }
}

char DigitAt(const DecimalDigits& decimal, int position) {
  if (position < 0 || position >= static_cast<int>(decimal.digits.size())) return '0';
  return decimal.digits[static_cast<std::size_t>(position)];
}

struct Picture {
  int integerZeros = 0;   // required integer digits
  bool grouping = false;  // "," among the integer placeholders
  bool hasPoint = false;
  int requiredDecimals = 0;
  int optionalDecimals = 0;
};

Picture ParsePicture(std::string_view text) {
  Picture picture;
  for (const char c : text) {
    if (c == '.' && !picture.hasPoint) {
      picture.hasPoint = true;
    } else if (c == '0') {
      (picture.hasPoint ? picture.requiredDecimals : picture.integerZeros) += 1;
    } else if (c == '#') {
      if (picture.hasPoint) picture.optionalDecimals += 1;
    } else if (c == ',' && !picture.hasPoint) {
      picture.grouping = true;
    } else {
      throw std::invalid_argument(fmt::format("unsupported number picture \"{}\"", text));
    }
  }
  return picture;
}

std::string GroupThousands(const std::string& digits) {
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(',');
    grouped.push_back(digits[i]);
  }
  return grouped;
}

}  // namespace

std::string FormatNumber(double value, std::string_view picture) {
  const Picture layout = ParsePicture(picture);
  if (!std::isfinite(value)) return fmt::format("{}", value);

  DecimalDigits decimal = ShortestDigits(std::fabs(value));
  const int decimals = layout.requiredDecimals + layout.optionalDecimals;
  RoundDigits(decimal, decimals);

  std::string integer;
  for (int position = 0; position < decimal.point; ++position) {
    integer.push_back(DigitAt(decimal, position));
  }
  if (static_cast<int>(integer.size()) < layout.integerZeros) {
    integer.insert(0, static_cast<std::size_t>(layout.integerZeros) - integer.size(), '0');
  }
  if (layout.grouping) integer = GroupThousands(integer);

  std::string fraction;
  for (int position = 0; position < decimals; ++position) {
    fraction.push_back(DigitAt(decimal, decimal.point + position));
  }
  while (static_cast<int>(fraction.size()) > layout.requiredDecimals && fraction.back() == '0') {
    fraction.pop_back();
  }

  // A value that rounds to zero shows no sign: "-0.00" would claim a sign the digits lost.
  const bool negative = value < 0 && !decimal.digits.empty();
  std::string text = negative ? "-" : "";
  text += integer;
  if (layout.hasPoint) text += "." + fraction;
  return text;
}

std::string SignedText(double value) {
  // 15 significant digits, the precision of the conversion the texts were made with.
  if (value == 0) return " 0";
  const std::string digits = fmt::format("{:.15g}", value);
  return value < 0 || std::isnan(value) ? digits : " " + digits;
}

}  // namespace ax
