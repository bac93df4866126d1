#include <gtest/gtest.h>

#include <utility>

#include "generate/NumberText.h"

namespace ax {
namespace {

TEST(LeadingNumberTest, ReadsTheLongestNumericStartOrZero) {
  const std::pair<const char*, double> rows[] = {
      {"4.83", 4.83}, {"12abc", 12},  {"  -3.5e2x", -350},  // blanks, sign and exponent
      {"+.5", 0.5},   {"7.", 7},      {"1E+3", 1000},
      {"2e", 2},      {"2e-x", 2},     // an exponent needs a digit, even after its sign
      {"0x10", 0},    {"1.5.2", 1.5},  // no hexadecimal: "0" then a letter
      {"", 0},        {"abc", 0},     {".", 0},
      {"-", 0},       {"inf", 0},     {"nan", 0},
      {"1e400", 0},  // beyond a double
  };
  for (const auto& [text, value] : rows) EXPECT_DOUBLE_EQ(LeadingNumber(text), value) << text;
}

}  // namespace
}  // namespace ax
