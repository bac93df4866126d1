#include "display/NumberPicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
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
      {12756.4, "#,##0", "12,756"}, {1234567.0, "#,##0", "1,234,567"}, {0.0, "#,##0", "0"},
      {999.0, "#,##0", "999"}, {999.5, "#,##0", "1,000"}, {1234.5, "#,##0.00", "1,234.50"},
      {1.0, "0.000", "1.000"}, {0.0004, "0.000", "0.000"}, {0.125, "0.00", "0.13"},
      {-0.125, "0.00", "-0.13"}, {9.996, "0.00", "10.00"}, {5.2, "##0.000", "5.200"},
      // 2.675 is 2.67499999... in binary; it rounds as the 2.675 it reads as.
      {2.675, "0.00", "2.68"},
      {123.4567, "##0.000", "123.457"}, {12345.0, "##0.00", "12345.00"}, {5.5, "00.00", "05.50"},
      {100.0, "00.00", "100.00"}, {288.0, "###0", "288"}, {0.0, "###0", "0"}, {7.0, "0", "7"},
      {2.5, "0", "3"}, {2.45, "0.0", "2.5"}, {2500.0, "#,###", "2,500"}, {0.0, "#,###", ""},
      {365.2563, "#,###.00", "365.26"}, {0.5, "#,###.00", ".50"}, {0.25, "#.000", ".250"},
      {2003.4567, "#.000", "2003.457"}, {0.0000125, "#.000000", ".000013"},
      {0.5, ".000", ".500"}, {12.5, ".000", "12.500"}, {0.1234567, ".000000", ".123457"},
      {1.23456, "##00.000", "01.235"}, {-1234.0, "#,##0", "-1,234"}, {-0.25, "#.000", "-.250"},
      {1e20, "#,##0", "100,000,000,000,000,000,000"}, {1e-300, "0", "0"},
      // A value that rounds to zero shows no sign.
      {-0.0004, "0.000", "0.000"}, {-0.0, "0.00", "0.00"},
      // "#" after the point shows a digit only when it is not a trailing zero.
      {1.5, "0.0#", "1.5"}, {1.25, "0.0#", "1.25"}, {1.0, "0.0#", "1.0"},
      // Numbers that are not finite are named.
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

TEST(SignedText, LeadingBlankUnlessNegativeAndFifteenSignificantDigits) {
  EXPECT_EQ(SignedText(3), " 3");
  EXPECT_EQ(SignedText(-2), "-2");
  EXPECT_EQ(SignedText(2.5), " 2.5");
  EXPECT_EQ(SignedText(0), " 0");
  EXPECT_EQ(SignedText(-0.0), " 0");
  EXPECT_EQ(SignedText(20), " 20");
  EXPECT_EQ(SignedText(-32768), "-32768");
  // 0.1 + 0.2 is 0.30000000000000004 in binary; fifteen digits read 0.3.
  EXPECT_EQ(SignedText(0.1 + 0.2), " 0.3");
  EXPECT_EQ(SignedText(123456789012.0), " 123456789012");
}

}  // namespace
}  // namespace ax
