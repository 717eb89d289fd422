#include "patterns/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace trochodraw;

namespace {

const TFormatSettings kPoint{'.', ','};
const TFormatSettings kComma{',', '.'};

// Writes the expected text for a point; the comma variant swaps the two separators.
std::string WithComma(std::string Text) {
  for (char& c : Text) c = c == '.' ? ',' : c == ',' ? '.' : c;
  return Text;
}

struct FormatCase {
  double Value;
  TNumberFormat Format;
  int Digits;
  const char* Text;  // with "." as decimal and "," as thousands separator
};

void PrintTo(const FormatCase& C, std::ostream* os) { *os << C.Value << " fmt " << C.Format << " digits " << C.Digits; }

class NumberFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormatTest, WritesWithEitherSeparator) {
  const auto& c = GetParam();
  EXPECT_EQ(FormatNumber(c.Value, c.Format, c.Digits, kPoint), c.Text);
  EXPECT_EQ(FormatNumber(c.Value, c.Format, c.Digits, kComma), WithComma(c.Text));
}

INSTANTIATE_TEST_SUITE_P(
    General, NumberFormatTest,
    ::testing::Values(FormatCase{75.06, nfStandard, 0, "75.06"}, FormatCase{2, nfStandard, 0, "2"},
                      FormatCase{-50, nfStandard, 0, "-50"}, FormatCase{0, nfStandard, 0, "0"},
                      FormatCase{-0.0, nfStandard, 0, "0"}, FormatCase{1e-6, nfStandard, 0, "1E-6"},
                      FormatCase{1e-5, nfStandard, 0, "0.00001"}, FormatCase{1.234e-5, nfStandard, 0, "0.00001234"},
                      FormatCase{0.1 + 0.2, nfStandard, 0, "0.3"}, FormatCase{74.95 + 0.1, nfStandard, 0, "75.05"},
                      FormatCase{1.0 / 3, nfStandard, 0, "0.333333333333333"},
                      FormatCase{2.0 / 3, nfStandard, 0, "0.666666666666667"},
                      FormatCase{999999999999999, nfStandard, 0, "999999999999999"},
                      FormatCase{1e15, nfStandard, 0, "1E15"},
                      FormatCase{1234567890123456, nfStandard, 0, "1.23456789012346E15"},
                      FormatCase{-1.5e20, nfStandard, 0, "-1.5E20"}, FormatCase{1e100, nfStandard, 0, "1E100"},
                      FormatCase{5e-324, nfStandard, 0, "4.94065645841247E-324"}));

INSTANTIATE_TEST_SUITE_P(Fixed, NumberFormatTest,
                         ::testing::Values(FormatCase{77.6, nfFixed, 2, "77.60"}, FormatCase{-40, nfFixed, 2, "-40.00"},
                                           FormatCase{0, nfFixed, 4, "0.0000"}, FormatCase{18.47, nfFixed, 1, "18.5"},
                                           // Exact halves go away from zero; 2.675 is stored just below its half.
                                           FormatCase{0.125, nfFixed, 2, "0.13"},
                                           FormatCase{-0.125, nfFixed, 2, "-0.13"}, FormatCase{2.5, nfFixed, 0, "3"},
                                           FormatCase{2.675, nfFixed, 2, "2.67"}, FormatCase{0.05, nfFixed, 1, "0.1"},
                                           FormatCase{-0.001, nfFixed, 2, "0.00"}, FormatCase{9.96, nfFixed, 1, "10.0"},
                                           FormatCase{1234567.891, nfFixed, 0, "1234568"},
                                           FormatCase{1e20, nfFixed, 2, "1E20"}));

INSTANTIATE_TEST_SUITE_P(Thousands, NumberFormatTest,
                         ::testing::Values(FormatCase{1234567.891, nfThousands, 2, "1,234,567.89"},
                                           FormatCase{-1234.5, nfThousands, 1, "-1,234.5"},
                                           FormatCase{999, nfThousands, 0, "999"},
                                           FormatCase{100000, nfThousands, 0, "100,000"},
                                           FormatCase{0.5, nfThousands, 2, "0.50"}));

INSTANTIATE_TEST_SUITE_P(Scientific, NumberFormatTest,
                         ::testing::Values(FormatCase{12.5, nfScientific, 3, "1.25E+0001"},
                                           FormatCase{0.00123, nfScientific, 2, "1.2E-0003"},
                                           FormatCase{0, nfScientific, 3, "0.00E+0000"},
                                           FormatCase{-12345, nfScientific, 4, "-1.235E+0004"},
                                           FormatCase{9.99, nfScientific, 2, "1.0E+0001"},
                                           FormatCase{1e-300, nfScientific, 1, "1E-0300"},
                                           FormatCase{1e300, nfScientific, 3, "1.00E+0300"}));

TEST(NumberFormatTest, NonFiniteValuesAreNamed) {
  EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::quiet_NaN(), kPoint), "NAN");
  EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 2, kPoint), "-INF");
}

struct ParseCase {
  const char* Text;
  char Decimal;
  bool Ok;
  double Value;
};

void PrintTo(const ParseCase& C, std::ostream* os) { *os << '"' << C.Text << "\" with '" << C.Decimal << "'"; }

class FloatParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(FloatParseTest, ReadsOnlyWellFormedNumbers) {
  const auto& c = GetParam();
  const TFormatSettings fs{c.Decimal, c.Decimal == '.' ? ',' : '.'};
  double v = -12345.0;
  ASSERT_EQ(TryTextToFloat(c.Text, v, fs), c.Ok);
  if (c.Ok)
    EXPECT_EQ(v, c.Value);
  else
    EXPECT_EQ(v, -12345.0) << "untouched on failure";
}

INSTANTIATE_TEST_SUITE_P(Cases, FloatParseTest,
                         ::testing::Values(ParseCase{"75.06", '.', true, 75.06}, ParseCase{"75,06", ',', true, 75.06},
                                           ParseCase{"75,06", '.', false, 0}, ParseCase{"75.06", ',', false, 0},
                                           ParseCase{" -1.5E+3 ", '.', true, -1500}, ParseCase{"\t7\t", '.', true, 7},
                                           ParseCase{"1e-6", '.', true, 1e-6}, ParseCase{"+2,5e1", ',', true, 25},
                                           ParseCase{".5", '.', true, 0.5}, ParseCase{"5.", '.', true, 5},
                                           ParseCase{"1e-400", '.', true, 0}, ParseCase{"0.000e999", '.', true, 0},
                                           ParseCase{"", '.', false, 0}, ParseCase{"-", '.', false, 0},
                                           ParseCase{".", '.', false, 0}, ParseCase{"1E", '.', false, 0},
                                           ParseCase{"1e+", '.', false, 0}, ParseCase{"abc", '.', false, 0},
                                           ParseCase{"1,234.5", '.', false, 0}, ParseCase{"1.2.3", '.', false, 0},
                                           ParseCase{"0x10", '.', false, 0}, ParseCase{"1e400", '.', false, 0},
                                           ParseCase{"inf", '.', false, 0}, ParseCase{"nan", '.', false, 0},
                                           ParseCase{"--1", '.', false, 0}, ParseCase{"1 2", '.', false, 0}));

TEST(FloatParseTest, GeneralTextReadsBackToTheSameText) {
  const double values[] = {75.06, -49.5, 1e-6, 0.00001, 123456789012345, 1.5e20, 284.69, 1.0 / 3};
  for (const TFormatSettings& fs : {kPoint, kComma})
    for (double x : values) {
      double back = 0;
      ASSERT_TRUE(TryTextToFloat(FormatGeneral(x, fs), back, fs)) << x;
      EXPECT_EQ(FormatGeneral(back, fs), FormatGeneral(x, fs));
    }
}

TEST(FloatParseTest, ThousandSeparatorsAreRemovedUnlessTheyAreTheDecimalOne) {
  EXPECT_EQ(RemoveThousandSeparators("1,234,567.5", kPoint), "1234567.5");
  EXPECT_EQ(RemoveThousandSeparators("1.234.567,5", kComma), "1234567,5");
  EXPECT_EQ(RemoveThousandSeparators("1,5", TFormatSettings{',', ','}), "1,5");
}

struct IntCase {
  const char* Text;
  bool Ok64;
  int64_t Value64;
  bool Ok32;
  int32_t Value32;
};

TEST(IntegerParseTest, DecimalAndDollarHexWithTheirLimits) {
  const IntCase cases[] = {
      {"42", true, 42, true, 42},
      {"-42", true, -42, true, -42},
      {"+7", true, 7, true, 7},
      {" 12", true, 12, true, 12},
      {"12 ", false, 0, false, 0},
      {"$FF", true, 255, true, 255},
      {"$ff", true, 255, true, 255},
      {"-$10", true, -16, true, -16},
      {"$FFFFFFFF", true, 0xFFFFFFFFll, true, -1},
      {"$100000000", true, 0x100000000ll, false, 0},
      {"$FFFFFFFFFFFFFFFF", true, -1, false, 0},
      {"$10000000000000000", false, 0, false, 0},
      {"2147483647", true, 2147483647, true, 2147483647},
      {"2147483648", true, 2147483648ll, false, 0},
      {"-2147483648", true, -2147483648ll, true, -2147483647 - 1},
      {"9223372036854775807", true, std::numeric_limits<int64_t>::max(), false, 0},
      {"9223372036854775808", false, 0, false, 0},
      {"-9223372036854775808", true, std::numeric_limits<int64_t>::min(), false, 0},
      {"", false, 0, false, 0},
      {"$", false, 0, false, 0},
      {"-", false, 0, false, 0},
      {"0x10", false, 0, false, 0},
      {"1.5", false, 0, false, 0},
  };
  for (const auto& c : cases) {
    int64_t v64 = 99;
    int32_t v32 = 99;
    EXPECT_EQ(TryStrToInt64(c.Text, v64), c.Ok64) << c.Text;
    EXPECT_EQ(v64, c.Ok64 ? c.Value64 : 99) << c.Text;
    EXPECT_EQ(TryStrToInt32(c.Text, v32), c.Ok32) << c.Text;
    EXPECT_EQ(v32, c.Ok32 ? c.Value32 : 99) << c.Text;
  }
}

TEST(IntegerParseTest, HexTextIsPaddedUpperCase) {
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0x12345, 4), "12345");
  EXPECT_EQ(IntToHex(0, 0), "0");
  EXPECT_EQ(IntToHex(-1, 4), "FFFFFFFFFFFFFFFF");
}

}  // namespace
