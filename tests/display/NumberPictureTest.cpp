#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

#include "display/NumberPicture.h"

namespace ax {
namespace {

struct PictureRow {
  const char* name;
  double value;
  std::string_view picture;
  std::string_view expected;
};

// Each row is worked by hand from the picture's rules: "0" a required digit, "#" an optional
// one, "," groups thousands, "." the decimal point, rounding half away from zero.
constexpr PictureRow kRows[] = {
    {"GroupedWhole", 12756.4, "#,##0", "12,756"},
    {"GroupedMillions", 1234567.0, "#,##0", "1,234,567"},
    {"GroupedZeroKeepsItsDigit", 0.0, "#,##0", "0"},
    {"GroupedBelowAThousand", 999.0, "#,##0", "999"},
    {"GroupedRoundsUpAcrossAGroup", 999.5, "#,##0", "1,000"},
    {"GroupedTwoDecimals", 1234.5, "#,##0.00", "1,234.50"},
    {"ThreeDecimals", 1.0, "0.000", "1.000"},
    {"ThreeDecimalsOfATiny", 0.0004, "0.000", "0.000"},
    {"TwoDecimalsHalfUp", 0.125, "0.00", "0.13"},
    {"TwoDecimalsHalfAwayFromZero", -0.125, "0.00", "-0.13"},
    // 2.675 is 2.67499999... in binary; it rounds as the 2.675 it reads as.
    {"TwoDecimalsOfADecimalTie", 2.675, "0.00", "2.68"},
    {"CarryIntoANewDigit", 9.996, "0.00", "10.00"},
    {"OptionalIntegerDigits", 5.2, "##0.000", "5.200"},
    {"OptionalIntegerDigitsFilled", 123.4567, "##0.000", "123.457"},
    {"OptionalIntegerDigitsOverflow", 12345.0, "##0.00", "12345.00"},
    {"TwoRequiredIntegerDigits", 5.5, "00.00", "05.50"},
    {"HundredPercent", 100.0, "00.00", "100.00"},
    {"WholeKelvin", 288.0, "###0", "288"},
    {"WholeKelvinZero", 0.0, "###0", "0"},
    {"SingleDigit", 7.0, "0", "7"},
    {"SingleDigitRoundsHalfUp", 2.5, "0", "3"},
    {"OneDecimal", 2.45, "0.0", "2.5"},
    {"GroupedOptionalOnly", 2500.0, "#,###", "2,500"},
    {"GroupedOptionalOnlyZero", 0.0, "#,###", ""},
    {"GroupedOptionalTwoDecimals", 365.2563, "#,###.00", "365.26"},
    {"GroupedOptionalTwoDecimalsBelowOne", 0.5, "#,###.00", ".50"},
    {"OptionalThreeDecimalsBelowOne", 0.25, "#.000", ".250"},
    {"OptionalThreeDecimalsAYear", 2003.4567, "#.000", "2003.457"},
    {"OptionalSixDecimals", 0.0000125, "#.000000", ".000013"},
    {"NoIntegerDigitBelowOne", 0.5, ".000", ".500"},
    {"NoIntegerDigitAboveOne", 12.5, ".000", "12.500"},
    {"NoIntegerDigitSixDecimals", 0.1234567, ".000000", ".123457"},
    {"TwoRequiredDigitsThreeDecimals", 1.23456, "##00.000", "01.235"},
    {"NegativeGrouped", -1234.0, "#,##0", "-1,234"},
    {"NegativeBelowOneNoIntegerDigit", -0.25, "#.000", "-.250"},
    // A value that rounds to zero shows no sign.
    {"NegativeRoundsToZero", -0.0004, "0.000", "0.000"},
    {"NegativeZero", -0.0, "0.00", "0.00"},
    {"HugeValue", 1e20, "#,##0", "100,000,000,000,000,000,000"},
    {"TinyValueAtZeroDecimals", 1e-300, "0", "0"},
};

class FormatNumberRows : public testing::TestWithParam<PictureRow> {};

TEST_P(FormatNumberRows, FormatsByThePicture) {
  const PictureRow& row = GetParam();
  EXPECT_EQ(FormatNumber(row.value, row.picture), row.expected)
      << row.value << " in \"" << row.picture << "\"";
}

INSTANTIATE_TEST_SUITE_P(Pictures, FormatNumberRows, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<PictureRow>& row) {
                           return std::string(row.param.name);
                         });

TEST(FormatNumber, OptionalDecimalsDropTrailingZeros) {
  // "#" after the point shows a digit only when it is not a trailing zero.
  EXPECT_EQ(FormatNumber(1.5, "0.0#"), "1.5");
  EXPECT_EQ(FormatNumber(1.25, "0.0#"), "1.25");
  EXPECT_EQ(FormatNumber(1.0, "0.0#"), "1.0");
}

TEST(FormatNumber, NumbersThatAreNotFiniteAreNamed) {
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "0.00"), "inf");
  EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), "0.00"), "-inf");
  EXPECT_EQ(FormatNumber(std::nan(""), "#,##0"), "nan");
}

TEST(FormatNumber, RejectsCharactersOutsideThePictureLanguage) {
  EXPECT_THROW(FormatNumber(1, "0.00 Km"), std::invalid_argument);
  EXPECT_THROW(FormatNumber(1, "0.0,0"), std::invalid_argument);
}

TEST(SignedText, LeadingBlankUnlessNegative) {
  EXPECT_EQ(SignedText(3), " 3");
  EXPECT_EQ(SignedText(-2), "-2");
  EXPECT_EQ(SignedText(2.5), " 2.5");
  EXPECT_EQ(SignedText(0), " 0");
  EXPECT_EQ(SignedText(-0.0), " 0");
  EXPECT_EQ(SignedText(20), " 20");
  EXPECT_EQ(SignedText(-32768), "-32768");
}

TEST(SignedText, KeepsFifteenSignificantDigits) {
  // 0.1 + 0.2 is 0.30000000000000004 in binary; fifteen digits read 0.3.
  EXPECT_EQ(SignedText(0.1 + 0.2), " 0.3");
  EXPECT_EQ(SignedText(123456789012.0), " 123456789012");
}

}  // namespace
}  // namespace ax
