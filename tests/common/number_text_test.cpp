#include "common/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/real48.h"
#include "support/expect_message.h"

namespace kurvex {
namespace {

// Every test starts and ends with the point, whatever the machine's locale says.
class NumberText : public ::testing::Test {
 protected:
  void SetUp() override { SetDecimalSeparator('.'); }
  void TearDown() override { SetDecimalSeparator(0); }
};

template <typename F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST_F(NumberText, FloatToTextSwitchesToScientificOutsideFixedRange) {
  const struct {
    long double value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {-0.0L, "0"},
      {300, "300"},
      {-1, "-1"},
      {123.456L, "123.456"},
      {0.0001L, "0.0001"},
      {0.00009L, "9E-5"},
      {-2.5E-7L, "-2.5E-7"},
      {1E14L, "100000000000000"},
      {1E15L, "1E15"},
      {1.5E300L, "1.5E300"},
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      // Rounding to 15 digits carries into the next power of ten and so into scientific form.
      {999999999999999.9L, "1E15"},
      {0.000099999999999999999L, "0.0001"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToText(c.value), c.text) << (double)c.value;
}

TEST_F(NumberText, FloatTextUsesTheChosenSeparatorBothWays) {
  SetDecimalSeparator(',');
  EXPECT_EQ(FloatToText(0.5L), "0,5");
  EXPECT_EQ(FloatToText(1.25E-9L), "1,25E-9");
  EXPECT_EQ(TextToFloat("0,5"), 0.5L);
  EXPECT_EQ(ErrorOf([] { TextToFloat("0.5"); }), "'0.5' is not a valid floating point value");
}

TEST_F(NumberText, LocaleSeparatorIsUsedOnlyWhenItIsOneAsciiCharacter) {
  EXPECT_EQ(DecimalSeparatorOf("."), '.');
  EXPECT_EQ(DecimalSeparatorOf(","), ',');
  EXPECT_EQ(DecimalSeparatorOf(""), '.');
  EXPECT_EQ(DecimalSeparatorOf("\xD9\xAB"), '.');  // U+066B, the Arabic decimal separator
  EXPECT_EQ(DecimalSeparatorOf("\xB7"), '.');      // a lone byte of some 8-bit code page
}

TEST_F(NumberText, TextToFloatAcceptsFixedAndScientificText) {
  EXPECT_EQ(TextToFloat("1.5"), 1.5L);
  EXPECT_EQ(TextToFloat("  -2.5e3 "), -2500.0L);
  EXPECT_EQ(TextToFloat("+.5"), 0.5L);
  EXPECT_EQ(TextToFloat("5."), 5.0L);
  EXPECT_EQ(TextToFloat("1E-2"), 0.01L);
  EXPECT_EQ(TextToFloat("7E+2"), 700.0L);
  EXPECT_EQ(TextToFloat(FloatToText(0.1L)), 0.1L);
}

TEST_F(NumberText, TextToFloatRejectsEverythingElseWithTheTextInTheMessage) {
  for (const char* bad : {"", "  ", "abc", "1.5x", "1e", "e5", ".", "-", "inf", "nan", "0x10",
                          "1 000", "--1", "1e99999"}) {
    EXPECT_EQ(ErrorOf([&] { TextToFloat(bad); }),
              std::string("'") + bad + "' is not a valid floating point value");
  }
  const std::string withNul(
      "1\0"
      "2",
      3);
  EXPECT_THROW_MESSAGE(TextToFloat(withNul), Error, "'1?2' is not a valid floating point value");
}

TEST_F(NumberText, TextToIntReadsDecimalAndHexadecimal) {
  EXPECT_EQ(TextToInt("42"), 42);
  EXPECT_EQ(TextToInt(" -7 "), -7);
  EXPECT_EQ(TextToInt("+7"), 7);
  EXPECT_EQ(TextToInt("$FF"), 255);
  EXPECT_EQ(TextToInt("0xff"), 255);
  EXPECT_EQ(TextToInt("0X10"), 16);
  EXPECT_EQ(TextToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(TextToInt("2147483647"), 2147483647);
  EXPECT_EQ(TextToInt("-2147483648"), std::numeric_limits<int32_t>::min());
}

TEST_F(NumberText, TextToIntRejectsOutOfRangeAndMalformedText) {
  for (const char* bad : {"", "2147483648", "-2147483649", "$100000000", "1.0", "0x", "$", "12a",
                          "yes", "- 1", "99999999999999999999999"}) {
    EXPECT_EQ(ErrorOf([&] { TextToInt(bad); }),
              std::string("'") + bad + "' is not a valid integer value");
  }
}

TEST_F(NumberText, ParseDataFieldTakesOnlyPlainDecimalNumbers) {
  EXPECT_EQ(ParseDataField("1.5"), 1.5);
  EXPECT_EQ(ParseDataField("+2"), 2.0);
  EXPECT_EQ(ParseDataField("-3e-2"), -0.03);
  EXPECT_EQ(ParseDataField(".25"), 0.25);
  EXPECT_EQ(ParseDataField("1e-400"), 0.0);
  SetDecimalSeparator(',');  // data files always use the point
  EXPECT_EQ(ParseDataField("0.5"), 0.5);
  for (const char* bad : {"", "inf", "-nan", "+-1", "0x1p3", "1e999", "1,5", "1.5.", "abc", "1e"}) {
    EXPECT_EQ(ErrorOf([&] { ParseDataField(bad); }),
              std::string("'") + bad + "' is not a valid floating point value");
  }
}

TEST_F(NumberText, FormatAxisValueKeepsAtMostFiveSignificantDigits) {
  const struct {
    long double value;
    int decimals;
    const char* text;
  } cases[] = {
      {650, 0, "650"},
      {1, 2, "1.00"},
      {-1, 2, "-1.00"},
      {0, 0, "0"},
      {0, 3, "0.000"},
      {1234.5678L, 2, "1234.60"},
      {0.000123456L, 8, "0.00012346"},
      {0.000123456L, 2, "0.00"},
      {-0.001L, 2, "0.00"},
      {0.006L, 2, "0.01"},
      {0.125L, 2, "0.13"},
      {-0.125L, 2, "-0.13"},
      {9.99996L, 4, "10.0000"},
      {99999, 0, "99999"},
      {99999.7L, 0, "1E5"},
      {1234567, 2, "1.2346E6"},
      {-1234567, 0, "-1.2346E6"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatAxisValue(c.value, c.decimals), c.text) << (double)c.value << " " << c.decimals;
  }
  SetDecimalSeparator(',');
  EXPECT_EQ(FormatAxisValue(2.5L, 1), "2,5");
}

TEST_F(NumberText, FormatFixedRoundsToTenSignificantDigitsFirst) {
  EXPECT_EQ(FormatFixed(Real48::From(0.1L), 2), "0.10");
  EXPECT_EQ(FormatFixed(Real48::From(0.1L), 6), "0.100000");
  EXPECT_EQ(FormatFixed(300, 0), "300");
  EXPECT_EQ(FormatFixed(-1, 2), "-1.00");
  EXPECT_EQ(FormatFixed(1234.56789012345L, 6), "1234.567890");
  EXPECT_EQ(FormatFixed(123456789012.0L, 2), "123456789000.00");
  EXPECT_EQ(FormatFixed(0.0012344999999L, 6), "0.001235");
  EXPECT_EQ(FormatFixed(-0.0001L, 2), "0.00");
  SetDecimalSeparator(',');
  EXPECT_EQ(FormatFixed(2.5L, 1), "2,5");
}

// A gesture stores the ends as the edits would store them typed: the same number, to the bit,
// as the text shown read back, for every order of magnitude, sign and number of decimals.
TEST_F(NumberText, RoundFixedIsTheShownTextReadBack) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> power(-40, 40);
  std::vector<long double> values = {
      0,      -0.0L,         0.125L,           -0.125L,          2.5L,  1e-30L, 1e30L,
      -1e38L, 9.9999999995L, 0.0049999999999L, 1234.5678901234L, 1e300L};
  for (int i = 0; i < 20000; ++i) {
    values.push_back(mantissa(random) * std::pow(10.0L, power(random)));
  }
  for (const char separator : {'.', ','}) {
    SetDecimalSeparator(separator);
    for (const long double value : values) {
      for (int decimals = 0; decimals <= 9; ++decimals) {
        const long double read = TextToFloat(FormatFixed(value, decimals));
        const long double rounded = RoundFixed(value, decimals);
        ASSERT_TRUE(read == rounded && std::signbit(read) == std::signbit(rounded))
            << FormatFixed(value, decimals) << " read " << static_cast<double>(read) << ", got "
            << static_cast<double>(rounded);
      }
    }
  }
}

TEST_F(NumberText, Real48KeepsFortySignificantBits) {
  EXPECT_EQ(FloatToText(Real48::From(0.1L)), "0.100000000000023");
  EXPECT_EQ(FloatToText(Real48::From(-0.1L)), "-0.100000000000023");
  EXPECT_EQ(FloatToText(Real48::From(0.0001L)), "9.9999999999989E-5");
  EXPECT_EQ(FloatToText(Real48::From(1E15L)), "1E15");
  for (const long double exact : {300.0L, 1000.0L, -1.0L, 3.0L, 0.0L}) {
    EXPECT_EQ(static_cast<long double>(Real48::From(exact)), exact);
  }
  // The first dropped bit decides: 1 + 2^-40 rounds up to 1 + 2^-39, 1 + 2^-41 down to 1.
  EXPECT_EQ(static_cast<long double>(Real48::From(1 + std::ldexp(1.0L, -40))),
            1 + std::ldexp(1.0L, -39));
  EXPECT_EQ(static_cast<long double>(Real48::From(1 + std::ldexp(1.0L, -41))), 1.0L);
}

TEST_F(NumberText, Real48RangeEndsInZeroBelowAndAnErrorAbove) {
  const long double largest = (2 - std::ldexp(1.0L, -39)) * std::ldexp(1.0L, 126);
  EXPECT_EQ(static_cast<long double>(Real48::From(largest)), largest);
  EXPECT_EQ(static_cast<long double>(Real48::From(std::ldexp(1.0L, -128))), std::ldexp(1.0L, -128));
  EXPECT_EQ(static_cast<long double>(Real48::From(std::ldexp(1.0L, -129))), 0.0L);
  // Just below the smallest, rounding lifts it into the range.
  EXPECT_EQ(static_cast<long double>(Real48::From(std::ldexp(1.0L, -128) * (1 - 1E-15L))),
            std::ldexp(1.0L, -128));

  const auto overflow = [](long double v) { return ErrorOf([v] { Real48::From(v); }); };
  EXPECT_EQ(overflow(std::ldexp(1.0L, 127)), "Floating point overflow");
  // Rounding up carries past the largest value.
  EXPECT_EQ(overflow(-(2 - std::ldexp(1.0L, -40)) * std::ldexp(1.0L, 126)),
            "Floating point overflow");
  EXPECT_EQ(overflow(std::numeric_limits<long double>::infinity()), "Floating point overflow");
  EXPECT_EQ(overflow(std::numeric_limits<long double>::quiet_NaN()),
            "Invalid floating point operation");
}

}  // namespace
}  // namespace kurvex

namespace kurvex {
namespace {

TEST(DataFieldMessage, LongOrBinaryFieldsAreShownReadably) {
  try {
    ParseDataField(std::string(10'000'000, 'x'));
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "'" + std::string(60, 'x') + "...' is not a valid floating point value");
  }
  try {
    ParseDataField(
        std::string("30\0"
                    "0",
                    4));
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'30?0' is not a valid floating point value");
  }
}

}  // namespace
}  // namespace kurvex

namespace kurvex {
namespace {

TEST(DataFieldParsing, DecimalsMatchTheCorrectlyRoundedValue) {
  std::mt19937_64 random(7);
  for (int n = 0; n < 200000; ++n) {
    std::string text;
    const int length = 1 + static_cast<int>(random() % 20);
    const int point = static_cast<int>(random() % (length + 2)) - 1;  // -1: no point
    for (int i = 0; i < length; ++i) {
      if (i == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 4 == 0) text = "-" + text;
    const double expected = std::strtod(text.c_str(), nullptr);
    const double parsed = ParseDataField(text);
    ASSERT_EQ(parsed, expected) << text;
    ASSERT_EQ(std::signbit(parsed), std::signbit(expected)) << text;
  }
  EXPECT_EQ(ParseDataField("5."), 5.0);
  EXPECT_EQ(ParseDataField(".5"), 0.5);
  EXPECT_EQ(ParseDataField("0.1"), 0.1);
  EXPECT_EQ(ParseDataField("9007199254740993"), 9007199254740992.0);  // beyond 2^53
  EXPECT_THROW_MESSAGE(ParseDataField("."), Error, "'.' is not a valid floating point value");
  EXPECT_THROW_MESSAGE(ParseDataField("-."), Error, "'-.' is not a valid floating point value");
  EXPECT_THROW_MESSAGE(ParseDataField("1.2.3"), Error,
                       "'1.2.3' is not a valid floating point value");
}

}  // namespace
}  // namespace kurvex
