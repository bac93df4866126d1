#include "display/NumberPicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string_view>

namespace ax {
namespace {

// Each row is worked by hand from the picture's rules: "0" a required digit, "#" an optional
// one, "," groups thousands, "." the decimal point, rounding half away from zero.
TEST(FormatNumber, FormatsByThePicture) {
  struct Row {
    double value;
    std::string_view picture, expected;
  };
  const double inf = std::numeric_limits<double>::infinity();
  // clang-format off
  const Row rows[] = {
      {1234567.0, "#,##0", "1,234,567"}, {999.5, "#,##0", "1,000"}, {0.0, "#,##0", "0"},
      {0.125, "0.00", "0.13"}, {-0.125, "0.00", "-0.13"}, {9.996, "0.00", "10.00"},
      // 2.675 is 2.67499999... in binary; it rounds as the 2.675 it reads as.
      {2.675, "0.00", "2.68"}, {12345.0, "##0.00", "12345.00"}, {5.5, "00.00", "05.50"},
      {2.45, "0.0", "2.5"}, {0.0, "#,###", ""}, {0.5, "#,###.00", ".50"}, {-0.25, "#.000", "-.250"},
      {0.0000125, "#.000000", ".000013"}, {1.23456, "##00.000", "01.235"},
      {1e20, "#,##0", "100,000,000,000,000,000,000"},
      // A value that rounds to zero shows no sign.
      {-0.0004, "0.000", "0.000"}, {-0.0, "0.00", "0.00"},
      // "#" after the point shows a digit only when it is not a trailing zero.
      {1.5, "0.0#", "1.5"}, {1.25, "0.0#", "1.25"}, {1.0, "0.0#", "1.0"},
      {inf, "0.00", "inf"}, {-inf, "0.00", "-inf"}, {std::nan(""), "#,##0", "nan"},
  };
  // clang-format on
  for (const Row& row : rows) {
    EXPECT_EQ(FormatNumber(row.value, row.picture), row.expected)
        << row.value << " in \"" << row.picture << "\"";
  }
  EXPECT_THROW(FormatNumber(1, "0.00 Km"), std::invalid_argument);
  EXPECT_THROW(FormatNumber(1, "0.0,0"), std::invalid_argument);
}

// A leading blank unless negative, and fifteen significant digits: 0.1 + 0.2 is
// 0.30000000000000004 in binary.
TEST(SignedText, LeadingBlankUnlessNegativeAndFifteenSignificantDigits) {
  EXPECT_EQ(SignedText(2.5) + SignedText(-0.0) + SignedText(-32768), " 2.5 0-32768");
  EXPECT_EQ(SignedText(0.1 + 0.2) + SignedText(123456789012.0), " 0.3 123456789012");
}

}  // namespace
}  // namespace ax
