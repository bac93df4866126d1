#include "generate/NumberText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace ax {
namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  const std::size_t start = at;
  at = SkipDigits(text, at);
  std::size_t mantissaDigits = at - start;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fractionStart = at + 1;
    at = SkipDigits(text, fractionStart);
    mantissaDigits += at - fractionStart;
  }
  if (mantissaDigits == 0) {
    return 0;
  }
  // An exponent counts only with at least one digit after it: "2e" reads as 2.
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponentAt = at + 1;
    if (exponentAt < text.size() && (text[exponentAt] == '+' || text[exponentAt] == '-')) {
      ++exponentAt;
    }
    const std::size_t exponentEnd = SkipDigits(text, exponentAt);
    if (exponentEnd > exponentAt) {
      at = exponentEnd;
    }
  }
  // from_chars reads the unsigned part without locale, so "1.5" is 1.5 everywhere.
  double magnitude = 0;
  const char* first = text.data() + start;
  const char* last = text.data() + at;
  const auto [end, error] = std::from_chars(first, last, magnitude);
  if (error != std::errc() || end != last || !std::isfinite(magnitude)) {
    // Too large for a double (or so small it vanishes): no usable number.
    return 0;
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace ax
