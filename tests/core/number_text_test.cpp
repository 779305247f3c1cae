// Number texts as the user types them and as the files store them.
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "row_name.h"

namespace silvarone {
namespace {

class RecordingSink : public MessageSink {
 public:
  void ShowNumberedMessage(int number, const std::string&, const std::string&) override {
    numbers.push_back(number);
  }
  void ShowProblem(const Problem& problem) override { problems.push_back(problem); }
  std::vector<int> numbers;
  std::vector<Problem> problems;
};

struct CheckCase {
  const char* name;
  std::string text;
  int code;
};

SILVARONE_PRINT_ROW_NAME(CheckCase)

class NumberTextCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(NumberTextCheck, CodesForEveryKindOfFault) {
  const CheckCase& c = GetParam();
  EXPECT_EQ(CheckNumberText(c.text), c.code) << "text '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    CheckNumberText, NumberTextCheck,
    ::testing::Values(CheckCase{"Empty", "", 1}, CheckCase{"LonePoint", ".", 1},
                      CheckCase{"LoneComma", ",", 1}, CheckCase{"LonePlus", "+", 1},
                      CheckCase{"LoneMinus", "-", 1}, CheckCase{"Exponent", "1e3", 2},
                      CheckCase{"BlankInside", "1 2", 2}, CheckCase{"Letters", "abc", 2},
                      CheckCase{"DegreeSign", "\xC2\xB0", 2},
                      CheckCase{"TrailingNul", std::string("1\0", 2), 2},
                      CheckCase{"NulInside",
                                std::string("1\0"
                                            "2",
                                            3),
                                2},
                      CheckCase{"TabAndLineEnd", "\t12\r\n", 0}, CheckCase{"Byte0xFF", "\xFF", 2},
                      CheckCase{"MinusInside", "1-2", 3}, CheckCase{"MinusAfterPoint", ".-1", 4},
                      CheckCase{"TwoSigns", "+-1", 5}, CheckCase{"TrailingMinus", "-1-", 5},
                      CheckCase{"TwoPoints", "1.2.3", 6}, CheckCase{"SignAndPointOnly", "+.", 7},
                      CheckCase{"OnlyBlanks", "   ", 7}, CheckCase{"DecimalComma", "20,5", 0},
                      CheckCase{"SurroundingBlanks", "  12  ", 0},
                      CheckCase{"MinusPointFive", "-.5", 0}, CheckCase{"PlusSeven", "+7", 0},
                      CheckCase{"TrailingPoint", "5.", 0},
                      // ',' is left to the parser
                      CheckCase{"CommaThenMinus", ",-1", 0}),
    testing::RowName);

TEST(CheckNumberText, HugeTextReturns) {
  EXPECT_EQ(CheckNumberText(std::string(100000, '7')), 0);
  EXPECT_EQ(CheckNumberText(std::string(100000, 'x')), 2);
}

class DecimalCount : public ::testing::TestWithParam<CheckCase> {};

TEST_P(DecimalCount, CountsDigitsAfterTheFirstSeparator) {
  const CheckCase& c = GetParam();
  EXPECT_EQ(CountDecimals(c.text), c.code) << "text '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    CountDecimals, DecimalCount,
    ::testing::Values(CheckCase{"TwoAfterPoint", "20.50", 2}, CheckCase{"OneAfterComma", "20,5", 1},
                      CheckCase{"Integer", "7", 0}, CheckCase{"LeadingPoint", ".5", 1},
                      CheckCase{"TrailingPoint", "5.", 0}, CheckCase{"Empty", "", -1},
                      CheckCase{"Letters", "abc", -1},
                      // the point wins over the comma
                      CheckCase{"CommaThenPoint", "1,5.25", 2}),
    testing::RowName);

TEST(NormaliseSeparators, CommaBecomesPoint) {
  EXPECT_EQ(NormaliseSeparators("1,5"), "1.5");
  EXPECT_EQ(NormaliseSeparators("1,000,5"), "1.000.5");
  EXPECT_EQ(NormaliseSeparators("2.5"), "2.5");
}

struct FormatCase {
  const char* name;
  double value;
  int precision;
  int decimals;
  std::string text;
};

SILVARONE_PRINT_ROW_NAME(FormatCase)

std::vector<FormatCase> FormatCases() {
  const double inf = std::numeric_limits<double>::infinity();
  return {
      {"BaseDiameter_4Decimals", 37.58770483143634, 15, 4, "37.5877"},  // 40 cos 20 deg
      {"ExactHalf", 2.5, 15, 0, "3"},                                   // exact half
      {"NegativeExactHalf", -2.5, 15, 0, "-3"},
      {"HalfInTheSecondDecimal", 0.125, 15, 2, "0.13"},
      // 1.00499999999999989... is 1.00500000000000 at 15 digits
      {"HalfAtFifteenDigits", 1.005, 15, 2, "1.01"},
      {"HalfInTheFirstDecimal", 0.05, 15, 1, "0.1"},
      {"HalfInTheThirdDecimal", 0.0005, 15, 3, "0.001"},
      {"BelowHalfInTheThirdDecimal", 0.00049, 15, 3, "0.000"},
      {"CarryIntoANewDigit", 9.9996, 15, 3, "10.000"},
      {"Negative", -1234.5678, 15, 2, "-1234.57"},
      {"NegativeRoundsToZero", -0.0004, 15, 3, "0.000"},  // rounds to zero: no sign
      {"MinusZero", -0.0, 15, 3, "0.000"},
      {"ZeroWithoutDecimals", 0.0, 15, 0, "0"},
      {"Precision2", 7.0, 2, 0, "7"},
      {"Precision4", 20.5, 4, 1, "20.5"},
      {"Precision4_TrailingZero", 2.5, 4, 2, "2.50"},
      {"AtMost18Decimals", 1.0, 15, 100, "1.000000000000000000"},  // at most 18 decimals
      {"FifteenIntegerDigits", 123456789012345.0, 15, 2, "123456789012345.00"},
      // More than 15 digits before the point: scientific notation.
      {"Scientific", 1e20, 15, 3, "1E20"},
      {"ScientificNegative", -123456789012345678.0, 15, 3, "-1.23456789012346E17"},
      // rounds up to 16 integer digits
      {"RoundsUpTo16IntegerDigits", 999999999999999.9, 15, 1, "1E15"},
      {"NotANumber", std::nan(""), 15, 3, "NAN"},
      {"Infinity", inf, 15, 3, "INF"},
      {"NegativeInfinity", -inf, 15, 3, "-INF"},
  };
}

class FixedFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FixedFormat, RoundsHalvesAwayFromZeroAndNeverShowsMinusZero) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatFixed(c.value, c.precision, c.decimals), c.text)
      << c.value << " precision " << c.precision << " decimals " << c.decimals;
}

INSTANTIATE_TEST_SUITE_P(FormatFixed, FixedFormat, ::testing::ValuesIn(FormatCases()),
                         testing::RowName);

// The quick path of FormatFixed (and of FormatParameter) must write what the
// digit-by-digit path writes, above all next to halves, where a double and
// its shortest decimal fall on different sides (1.005 is 1.004999999...).
TEST(FormatFixed, QuickPathWritesWhatTheDigitsGive) {
  std::mt19937_64 random(20261209);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-9, 13), decimals(0, 9), precision(1, 15);
  std::uniform_int_distribution<long long> units(0, 99999999);
  std::vector<double> values;
  for (int i = 0; i < 40000; ++i) {
    const double sign = i % 3 == 0 ? -1.0 : 1.0;
    values.push_back(sign * mantissa(random) * std::pow(10.0, exponent(random)));
    // A half of the last decimal kept, and its neighbours a few ulps away.
    const int places = decimals(random);
    const double half = (static_cast<double>(units(random)) + 0.5) / std::pow(10.0, places);
    double near = half;
    for (int step = 0; step < 3; ++step)
      near = std::nextafter(near, 0.0);
    for (int step = 0; step < 6; ++step) {
      values.push_back(sign * near);
      near = std::nextafter(near, 1e300);
    }
    values.push_back(sign * (half + 2e-3 / std::pow(10.0, places)));  // just past the band
  }
  int differences = 0;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const int p = precision(random), d = decimals(random);
    const std::string quick = FormatFixed(values[i], p, d);
    const std::string digits = FormatFixedByDigits(values[i], p, d);
    TGear record;
    record.text = "stale";
    record.value = values[i];
    FormatParameter(record, p, d);
    if ((quick != digits || record.text != digits) && ++differences <= 10) {
      ADD_FAILURE() << std::hexfloat << values[i] << std::defaultfloat << " precision " << p
                    << " decimals " << d << ": " << quick << " against " << digits;
    }
  }
  EXPECT_EQ(differences, 0);
}

constexpr double kUnchanged = -1000000.0;

struct ParseCase {
  const char* name;
  std::string text;
  int status;
  std::string shown;  // text after the parse
  double value;       // expected value when the text converted
  std::vector<int> messages;
};

SILVARONE_PRINT_ROW_NAME(ParseCase)

std::vector<ParseCase> ParseCases() {
  const double unchanged = kUnchanged;
  return {
      {"DecimalComma", "20,5", 0, "20.5", 20.5, {}},
      {"DecimalPoint", "20.5", 0, "20.5", 20.5, {}},
      {"TrailingZeroKept", "20.50", 0, "20.50", 20.5, {}},
      {"LeadingPoint", ".5", 0, "0.5", 0.5, {}},
      {"PlusSign", "+7", 0, "7", 7.0, {}},
      {"DecimalCommaTrailingZero", "2,50", 0, "2.50", 2.5, {}},
      {"DegreeSign", "20\xC2\xB0", 0, "20", 20.0, {}},  // degree sign from a settings file
      {"BlanksAndDegreeSign", " 20 \xC2\xB0 ", 0, "20", 20.0, {}},
      {"MinusZero", "-0", 0, "0", 0.0, {}},  // zero lies inside [0, 45] whatever its sign
      {"AtTheMaximum", "45", 0, "45", 45.0, {}},
      {"AboveTheMaximum", "45.0001", 3, "45.0001", 45.0001, {-102}},
      {"BelowTheMinimum", "-1", 2, "-1", -1.0, {-102}},
      {"Letters", "abc", 1, "abc", unchanged, {-101}},
      {"TwoCommas", "1,2,3", 1, "1,2,3", unchanged, {-101}},
      {"LonePlus", "+", 1, "+", unchanged, {-101}},
      {"LoneDegreeSign", "\xC2\xB0", 1, "\xC2\xB0", unchanged, {-101}},
      {"Empty", "", 1, "", unchanged, {}},
      {"Blank", " ", 1, " ", unchanged, {}},
      {"NotEntered", "-", 1, "-", unchanged, {}},
      {"PointMinus", ".-", 1, ".-", unchanged, {}},
      {"MinusPoint", "-.", 1, "-.", unchanged, {}},
      {"HugeNumber", std::string(100000, '9'), 1, std::string(100000, '9'), unchanged, {-101}},
      {"TrailingNul", std::string("4\0", 2), 1, std::string("4\0", 2), unchanged, {-101}},
      {"BytesFFFE", "\xFF\xFE", 1, "\xFF\xFE", unchanged, {-101}},
  };
}

// The quick path of ParseParameter for plain decimals must leave the record
// and the messages as the character-by-character path does, for any text:
// plain decimals of every length, texts one character away from plain, and
// random strings of the characters that matter.
TEST(ParseParameter, QuickPathLeavesWhatTheCharacterPathLeaves) {
  std::mt19937_64 random(1209);
  const std::string alphabet = "0123456789.-+, \xC2\xB0";
  std::uniform_int_distribution<std::size_t> length(0, 19), pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> digit(0, 9), places(0, 18), coin(0, 3);
  std::vector<std::string> texts = {"0", "-0", "-0.000", "0.000", "00.5", "5.", ".5", "+5"};
  for (int i = 0; i < 30000; ++i) {
    std::string random_text;
    for (std::size_t n = length(random); n > 0; --n)
      random_text += alphabet[pick(random)];
    texts.push_back(random_text);
    std::string plain = coin(random) == 0 ? "-" : "";
    for (int n = places(random) + 1; n > 0; --n)
      plain += static_cast<char>('0' + digit(random));
    const int fraction = places(random);
    if (fraction > 0 && fraction < static_cast<int>(plain.size()))
      plain.insert(plain.size() - fraction, ".");
    texts.push_back(plain);
    texts.push_back(plain + "0");
    texts.push_back("0" + plain);
    texts.push_back(plain + " ");
  }
  const ParseHow hows[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  int differences = 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    TGear quick;
    quick.text = texts[i];
    quick.value = kUnchanged;
    quick.minimum = i % 2 == 0 ? -1e6 : 0.0;
    quick.maximum = i % 3 == 0 ? 1e6 : 45.0;
    quick.zeroRefused = i % 5 == 0;
    quick.flag = 7;
    TGear general = quick;
    const ParseHow how = hows[i % 4];
    RecordingSink quickSink, generalSink;
    const int quickStatus = ParseParameter(quick, how, &quickSink);
    const int generalStatus = ParseParameterByCharacters(general, how, &generalSink);
    const bool same = quickStatus == generalStatus && quick.status == general.status &&
                      quick.text == general.text && quick.flag == general.flag &&
                      std::memcmp(&quick.value, &general.value, sizeof(double)) == 0 &&
                      quickSink.numbers == generalSink.numbers;
    if (!same && ++differences <= 10) {
      ADD_FAILURE() << "\"" << texts[i] << "\": " << quick.text << " " << quick.value << " "
                    << quickStatus << " against " << general.text << " " << general.value << " "
                    << generalStatus;
    }
  }
  EXPECT_EQ(differences, 0);
}

class ParameterParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParameterParse, NormalisesLimitsAndReports) {
  const ParseCase& c = GetParam();
  TGear record;
  record.text = c.text;
  record.value = kUnchanged;
  record.minimum = 0;
  record.maximum = 45;
  record.flag = 7;
  RecordingSink sink;
  EXPECT_EQ(ParseParameter(record, {.messages = true, .normalise = true}, &sink), c.status)
      << c.text.substr(0, 20);
  EXPECT_EQ(record.status, c.status);
  EXPECT_EQ(record.text, c.shown) << c.text.substr(0, 20);
  EXPECT_EQ(record.value, c.value) << c.text.substr(0, 20);
  EXPECT_EQ(record.flag, 0);
  EXPECT_EQ(sink.numbers, c.messages) << c.text.substr(0, 20);
}

INSTANTIATE_TEST_SUITE_P(ParseParameter, ParameterParse, ::testing::ValuesIn(ParseCases()),
                         testing::RowName);

TEST(ParseParameter, SilentAndUnnormalisedModes) {
  TGear record;
  record.minimum = 0;
  record.maximum = 10;
  record.text = "20,5";
  RecordingSink sink;
  EXPECT_EQ(ParseParameter(record, {.normalise = true}, &sink), kStatusAboveMaximum);
  EXPECT_TRUE(sink.numbers.empty());
  EXPECT_EQ(record.value, 20.5);  // stored although out of limits
  EXPECT_EQ(record.text, "20,5");

  record.text = "2,50";
  EXPECT_EQ(ParseParameter(record, {.messages = true}, &sink), kStatusValid);
  EXPECT_EQ(record.text, "2,50");  // not normalised on request
  EXPECT_EQ(record.value, 2.5);
}

TEST(ParseParameter, VeryLongZeroFractionIsCappedInDecimals) {
  TGear record;
  record.minimum = -1;
  record.maximum = 1;
  record.text = "0." + std::string(100000, '0');
  EXPECT_EQ(ParseParameter(record, {.normalise = true}), kStatusValid);
  EXPECT_EQ(record.text, "0.000000000000000000");
}

struct TypedCase {
  const char* name;
  std::string typed;
  std::string shown;
  double value;
};

SILVARONE_PRINT_ROW_NAME(TypedCase)

class TypedNumber : public ::testing::TestWithParam<TypedCase> {};

// The program's form holds 15 significant digits and 18 decimals; what it
// cannot hold stays as typed (only ',' becomes '.'), with the double
// nearest to the typed number as its value.
TEST_P(TypedNumber, IsNeverReplacedByAnother) {
  const TypedCase& c = GetParam();
  TGear record;
  record.minimum = 0;
  record.maximum = 1e18;
  record.text = c.typed;
  EXPECT_EQ(ParseParameter(record, {.normalise = true}), kStatusValid) << c.typed;
  EXPECT_EQ(record.text, c.shown) << c.typed;
  EXPECT_EQ(record.value, c.value) << c.typed;
  // What is shown reads back as the same number.
  TGear again = record;
  EXPECT_EQ(ParseParameter(again, {.normalise = true}), kStatusValid);
  EXPECT_EQ(again.value, c.value) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    ParseParameter, TypedNumber,
    ::testing::Values(
        // 19 decimals
        TypedCase{"NineteenDecimals", "0.0000000000000000001", "0.0000000000000000001", 1e-19},
        TypedCase{"NineteenDecimalsWithComma", "0,0000000000000000001", "0.0000000000000000001",
                  1e-19},
        // 17 digits
        TypedCase{"SeventeenDigits", "1.2345678901234567", "1.2345678901234567",
                  1.2345678901234567},
        TypedCase{"EighteenIntegerDigits", "123456789012345678", "123456789012345678",
                  123456789012345678.0},
        // 18 decimals fit
        TypedCase{"EighteenDecimalsFit", "0.000000000000000001", "0.000000000000000001", 1e-18},
        // as before
        TypedCase{"DecimalCommaAsBefore", "2,500", "2.500", 2.5}),
    testing::RowName);

TEST(ParseParameter, ZeroRefusedRecordTreatsZeroAsOutOfLimits) {
  TGear record;
  record.minimum = -1000;
  record.maximum = 1000;
  record.zeroRefused = true;
  RecordingSink sink;
  for (const char* text : {"0", "-0", "0.0", ",0"}) {
    record.text = text;
    EXPECT_EQ(ParseParameter(record, {.messages = true, .normalise = true}, &sink),
              kStatusBelowMinimum)
        << text;
  }
  EXPECT_EQ(sink.numbers, std::vector<int>(4, kMessageOutOfRange));
  record.text = "-34";
  EXPECT_EQ(ParseParameter(record, {.messages = true, .normalise = true}, &sink), kStatusValid);
}

}  // namespace
}  // namespace silvarone
