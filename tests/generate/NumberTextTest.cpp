#include <gtest/gtest.h>

#include "generate/NumberText.h"

namespace ax {
namespace {

TEST(LeadingNumberTest, ReadsTheLongestNumericStart) {
  EXPECT_DOUBLE_EQ(LeadingNumber("4.83"), 4.83);
  EXPECT_DOUBLE_EQ(LeadingNumber("12abc"), 12);        // digits, then letters
  EXPECT_DOUBLE_EQ(LeadingNumber("  -3.5e2x"), -350);  // blanks, sign and exponent
  EXPECT_DOUBLE_EQ(LeadingNumber("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("7."), 7);
  EXPECT_DOUBLE_EQ(LeadingNumber("1E+3"), 1000);
  EXPECT_DOUBLE_EQ(LeadingNumber("2e"), 2);    // an exponent needs a digit
  EXPECT_DOUBLE_EQ(LeadingNumber("2e-x"), 2);  // ... even after its sign
  EXPECT_DOUBLE_EQ(LeadingNumber("0x10"), 0);  // no hexadecimal: "0" then a letter
  EXPECT_DOUBLE_EQ(LeadingNumber("1.5.2"), 1.5);
}

TEST(LeadingNumberTest, NonNumericOrUnrepresentableReadsAsZero) {
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber("."), 0);
  EXPECT_EQ(LeadingNumber("-"), 0);
  EXPECT_EQ(LeadingNumber("inf"), 0);
  EXPECT_EQ(LeadingNumber("nan"), 0);
  EXPECT_EQ(LeadingNumber("1e400"), 0);  // beyond a double
}

}  // namespace
}  // namespace ax
