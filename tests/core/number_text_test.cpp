// Number texts as the user types them and as the files store them.
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

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
  std::string text;
  int code;
};

TEST(CheckNumberText, CodesForEveryKindOfFault) {
  const std::vector<CheckCase> cases = {
      {"", 1},
      {".", 1},
      {",", 1},
      {"+", 1},
      {"-", 1},
      {"1e3", 2},
      {"1 2", 2},
      {"abc", 2},
      {"\xC2\xB0", 2},
      {std::string("1\0", 2), 2},
      {std::string("1\0"
                   "2",
                   3),
       2},
      {"\t12\r\n", 0},
      {"\xFF", 2},
      {"1-2", 3},
      {".-1", 4},
      {"+-1", 5},
      {"-1-", 5},
      {"1.2.3", 6},
      {"+.", 7},
      {"   ", 7},
      {"20,5", 0},
      {"  12  ", 0},
      {"-.5", 0},
      {"+7", 0},
      {"5.", 0},
      {",-1", 0},  // ',' is left to the parser
  };
  for (const CheckCase& c : cases) {
    EXPECT_EQ(CheckNumberText(c.text), c.code) << "text '" << c.text << "'";
  }
}

TEST(CheckNumberText, HugeTextReturns) {
  EXPECT_EQ(CheckNumberText(std::string(100000, '7')), 0);
  EXPECT_EQ(CheckNumberText(std::string(100000, 'x')), 2);
}

TEST(CountDecimals, CountsDigitsAfterTheFirstSeparator) {
  const std::vector<CheckCase> cases = {
      {"20.50", 2}, {"20,5", 1}, {"7", 0},    {".5", 1},
      {"5.", 0},    {"", -1},    {"abc", -1}, {"1,5.25", 2},  // the point wins over the comma
  };
  for (const CheckCase& c : cases) {
    EXPECT_EQ(CountDecimals(c.text), c.code) << "text '" << c.text << "'";
  }
}

TEST(NormaliseSeparators, CommaBecomesPoint) {
  EXPECT_EQ(NormaliseSeparators("1,5"), "1.5");
  EXPECT_EQ(NormaliseSeparators("1,000,5"), "1.000.5");
  EXPECT_EQ(NormaliseSeparators("2.5"), "2.5");
}

struct FormatCase {
  double value;
  int precision;
  int decimals;
  std::string text;
};

TEST(FormatFixed, RoundsHalvesAwayFromZeroAndNeverShowsMinusZero) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<FormatCase> cases = {
      {37.58770483143634, 15, 4, "37.5877"},  // 40 cos 20 deg
      {2.5, 15, 0, "3"},                      // exact half
      {-2.5, 15, 0, "-3"},
      {0.125, 15, 2, "0.13"},
      {1.005, 15, 2, "1.01"},  // 1.00499999999999989... is 1.00500000000000 at 15 digits
      {0.05, 15, 1, "0.1"},
      {0.0005, 15, 3, "0.001"},
      {0.00049, 15, 3, "0.000"},
      {9.9996, 15, 3, "10.000"},
      {-1234.5678, 15, 2, "-1234.57"},
      {-0.0004, 15, 3, "0.000"},  // rounds to zero: no sign
      {-0.0, 15, 3, "0.000"},
      {0.0, 15, 0, "0"},
      {7.0, 2, 0, "7"},
      {20.5, 4, 1, "20.5"},
      {2.5, 4, 2, "2.50"},
      {1.0, 15, 100, "1.000000000000000000"},  // at most 18 decimals
      {123456789012345.0, 15, 2, "123456789012345.00"},
      // More than 15 digits before the point: scientific notation.
      {1e20, 15, 3, "1E20"},
      {-123456789012345678.0, 15, 3, "-1.23456789012346E17"},
      {999999999999999.9, 15, 1, "1E15"},  // rounds up to 16 integer digits
      {std::nan(""), 15, 3, "NAN"},
      {inf, 15, 3, "INF"},
      {-inf, 15, 3, "-INF"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(FormatFixed(c.value, c.precision, c.decimals), c.text)
        << c.value << " precision " << c.precision << " decimals " << c.decimals;
  }
}

struct ParseCase {
  std::string text;
  int status;
  std::string shown;  // text after the parse
  double value;       // expected value when the text converted
  std::vector<int> messages;
};

TEST(ParseParameter, NormalisesLimitsAndReports) {
  const double unchanged = -1000000.0;
  const std::vector<ParseCase> cases = {
      {"20,5", 0, "20.5", 20.5, {}},
      {"20.5", 0, "20.5", 20.5, {}},
      {"20.50", 0, "20.50", 20.5, {}},
      {".5", 0, "0.5", 0.5, {}},
      {"+7", 0, "7", 7.0, {}},
      {"2,50", 0, "2.50", 2.5, {}},
      {"20\xC2\xB0", 0, "20", 20.0, {}},  // degree sign from a settings file
      {" 20 \xC2\xB0 ", 0, "20", 20.0, {}},
      {"-0", 0, "0", 0.0, {}},  // zero lies inside [0, 45] whatever its sign
      {"45", 0, "45", 45.0, {}},
      {"45.0001", 3, "45.0001", 45.0001, {-102}},
      {"-1", 2, "-1", -1.0, {-102}},
      {"abc", 1, "abc", unchanged, {-101}},
      {"1,2,3", 1, "1,2,3", unchanged, {-101}},
      {"+", 1, "+", unchanged, {-101}},
      {"\xC2\xB0", 1, "\xC2\xB0", unchanged, {-101}},
      {"", 1, "", unchanged, {}},
      {" ", 1, " ", unchanged, {}},
      {"-", 1, "-", unchanged, {}},
      {".-", 1, ".-", unchanged, {}},
      {"-.", 1, "-.", unchanged, {}},
      {std::string(100000, '9'), 1, std::string(100000, '9'), unchanged, {-101}},
      {std::string("4\0", 2), 1, std::string("4\0", 2), unchanged, {-101}},
      {"\xFF\xFE", 1, "\xFF\xFE", unchanged, {-101}},
  };
  for (const ParseCase& c : cases) {
    TGear record;
    record.text = c.text;
    record.value = unchanged;
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
}

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

TEST(ParseParameter, ATypedNumberIsNeverReplacedByAnother) {
  struct Case {
    std::string typed;
    std::string shown;
    double value;
  };
  // The program's form holds 15 significant digits and 18 decimals; what it
  // cannot hold stays as typed (only ',' becomes '.'), with the double
  // nearest to the typed number as its value.
  const std::vector<Case> cases = {
      {"0.0000000000000000001", "0.0000000000000000001", 1e-19},  // 19 decimals
      {"0,0000000000000000001", "0.0000000000000000001", 1e-19},
      {"1.2345678901234567", "1.2345678901234567", 1.2345678901234567},  // 17 digits
      {"123456789012345678", "123456789012345678", 123456789012345678.0},
      {"0.000000000000000001", "0.000000000000000001", 1e-18},  // 18 decimals fit
      {"2,500", "2.500", 2.5},                                  // as before
  };
  for (const Case& c : cases) {
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
}

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
