// Instrument and range selection, the evaluations of one calculation request
// and the measuring-range display.
#include "device/instrument.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/modes.h"
#include "row_name.h"
#include "test_gear.h"

namespace silvarone {
namespace {

using testing::GearInput;
using testing::MakeGear;

TEST(Instrument, TableAndNameRules) {
  EXPECT_EQ(kInstruments[0].name, "PRALO 175-200");
  EXPECT_EQ(kInstruments[0].caption, "PRALO 175 - 200");
  EXPECT_EQ(kInstruments[4].rangeKeys[1], "Messbereichswert_10");
  EXPECT_EQ(kInstruments[2].rangeDefaults[0], "300,000");
  EXPECT_EQ(InstrumentRow("PRALO 375-400"), 4);
  EXPECT_EQ(InstrumentRow("PRALO 225-250"), 1);
  EXPECT_EQ(InstrumentRow("something else"), 0);
  EXPECT_EQ(InstrumentRadioItem("PRALO 175-200"), 0);
  EXPECT_EQ(InstrumentRadioItem("PRALO 325-350"), 3);
  EXPECT_EQ(InstrumentRadioItem("PRALO 375-400"), 4);
  EXPECT_EQ(InstrumentRadioItem("something else"), 4);
}

TEST(Instrument, SwitchingKeepsTheRangeIndex) {
  Gear gear = MakeGear({});
  InstrumentState instrument;
  ApplyInstrumentSettings(gear, instrument);
  EXPECT_EQ(SelectMeasuringRange(gear, instrument, 1), 0);
  EXPECT_EQ(gear.rec.Messbereichswert.text, "225.000");  // normalised by the check
  EXPECT_EQ(gear.state.rangeStart, 200.0);
  EXPECT_EQ(gear.state.rangeEnd, 225.0);

  EXPECT_EQ(ChooseInstrument(instrument, 3), 3);
  EXPECT_EQ(instrument.name, "PRALO 325-350");
  EXPECT_EQ(RangeTexts(instrument), (std::vector<std::string>{"350,000", "375,000"}));
  EXPECT_EQ(SelectMeasuringRange(gear, instrument, instrument.rangeIndex), 0);
  EXPECT_EQ(gear.state.rangeEnd, 375.0);
  EXPECT_EQ(gear.state.rangeStart, 350.0);
  EXPECT_EQ(ChooseInstrument(instrument, 7), 0);  // outside the list: the first
  EXPECT_EQ(instrument.name, "PRALO 175-200");
}

struct StoredCase {
  const char* name;
  std::string instrument;
  int index;
  int radioItem;  // of InstrumentRadioItem
  std::string rangeText;
  int indexAfter;
};

SILVARONE_PRINT_ROW_NAME(StoredCase)

class StoredInstrument : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredInstrument, ApplySettingsFromStoredValues) {
  const StoredCase& c = GetParam();
  Gear gear;
  InstrumentState instrument;
  instrument.name = c.instrument;
  instrument.rangeIndex = c.index;
  ApplyInstrumentSettings(gear, instrument);
  EXPECT_EQ(InstrumentRadioItem(instrument.name), c.radioItem) << c.instrument;
  EXPECT_EQ(gear.rec.Messbereichswert.text, c.rangeText) << c.instrument;
  EXPECT_EQ(instrument.rangeIndex, c.indexAfter) << c.instrument;
}

INSTANTIATE_TEST_SUITE_P(
    Instrument, StoredInstrument,
    ::testing::Values(StoredCase{"Pralo175_200_FirstRange", "PRALO 175-200", 0, 0, "200,000", 0},
                      StoredCase{"Pralo275_300_SecondRange", "PRALO 275-300", 1, 2, "325,000", 1},
                      // an index above 1 selects the first range
                      StoredCase{"Pralo375_400_IndexAbove1", "PRALO 375-400", 5, 4, "400,000", 0},
                      // item 4, but the ranges of row 0
                      StoredCase{"UnknownInstrument_SecondRange", "unknown", 1, 4, "225,000", 1}),
    testing::RowName);

TEST(Instrument, BadRangeTextIsInputError9) {
  Gear gear = MakeGear({});
  InstrumentState instrument;
  instrument.rangeTexts[0] = "20x";
  gear.state.rangeStart = 1.0;
  EXPECT_EQ(SelectMeasuringRange(gear, instrument, 0), 9);
  EXPECT_EQ(gear.state.rangeStart, 1.0);  // kept
}

struct BarsCase {
  const char* name;
  double test;
  BarColour c1, c2, c3;
};

SILVARONE_PRINT_ROW_NAME(BarsCase)

class RangeBars : public ::testing::TestWithParam<BarsCase> {};

TEST_P(RangeBars, WindowLabelsBarsAndColours) {
  const BarsCase& c = GetParam();
  Gear gear = MakeGear({.D_M = "10"});
  InstrumentState instrument;
  ApplyInstrumentSettings(gear, instrument);
  gear.rec.Q_plus_D_M.value = c.test;
  const RangeDisplay display = ComputeRangeDisplay(gear, instrument);
  EXPECT_EQ(display.caption, "200,000 / PRALO 175-200");
  EXPECT_EQ(display.startLabel, "0.000 mm");
  EXPECT_EQ(display.rangeStartLabel, "185.000 mm");
  EXPECT_EQ(display.rangeEndLabel, "210.000 mm");
  EXPECT_EQ(display.endLabel, "395.000 mm");
  EXPECT_EQ(display.bounds, (std::array<long, 4>{0, 185, 210, 395}));
  EXPECT_EQ(display.colours[0], c.c1) << c.test;
  EXPECT_EQ(display.colours[1], c.c2) << c.test;
  EXPECT_EQ(display.colours[2], c.c3) << c.test;
}

// Range 200 with D_M 10: M = 200 + 10 - 12.5 = 197.5, window 185 .. 210, end 2M = 395.
INSTANTIATE_TEST_SUITE_P(
    RangeDisplay, RangeBars,
    ::testing::Values(
        // below
        BarsCase{"Below_184p4", 184.4, BarColour::kRed, BarColour::kNeutral, BarColour::kNeutral},
        // at the start: inside
        BarsCase{"AtTheStart_185", 185.0, BarColour::kGreen, BarColour::kGreen,
                 BarColour::kNeutral},
        BarsCase{"Inside_200", 200.0, BarColour::kGreen, BarColour::kGreen, BarColour::kNeutral},
        BarsCase{"Inside_209p4", 209.4, BarColour::kGreen, BarColour::kGreen, BarColour::kNeutral},
        // at the end: outside
        BarsCase{"AtTheEnd_210", 210.0, BarColour::kRed, BarColour::kRed, BarColour::kRed},
        BarsCase{"Above_250", 250.0, BarColour::kRed, BarColour::kRed, BarColour::kRed}),
    testing::RowName);

struct CaptionCase {
  const char* name;
  int item;   // DeviceSelection
  int range;  // Messbereichs_Box
  const char* caption;
};

SILVARONE_PRINT_ROW_NAME(CaptionCase)

class RangeCaption : public ::testing::TestWithParam<CaptionCase> {};

// The range texts of the instrument table carry a decimal comma; the input
// check rewrites the range value's own text with a point ("200.000"), but
// the panel keeps the table's text.
TEST_P(RangeCaption, ShowsTheRangeAsTheInstrumentTableWritesIt) {
  const CaptionCase& c = GetParam();
  Gear gear = MakeGear({.D_M = "10"});
  InstrumentState instrument;
  ApplyInstrumentSettings(gear, instrument);
  ChooseInstrument(instrument, c.item);
  ASSERT_EQ(SelectMeasuringRange(gear, instrument, c.range), 0) << c.name;
  EXPECT_EQ(ComputeRangeDisplay(gear, instrument).caption, c.caption) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    RangeDisplay, RangeCaption,
    ::testing::Values(CaptionCase{"FirstInstrument_FirstRange", 0, 0, "200,000 / PRALO 175-200"},
                      CaptionCase{"FirstInstrument_SecondRange", 0, 1, "225,000 / PRALO 175-200"},
                      CaptionCase{"LastInstrument_SecondRange", 4, 1, "425,000 / PRALO 375-400"}),
    testing::RowName);

TEST(RangeDisplay, InternalGearLabelsAreNegative) {
  Gear gear = MakeGear({.z = "-20", .k_M = "-3", .D_M = "10"});
  InstrumentState instrument;
  ApplyInstrumentSettings(gear, instrument);
  gear.rec.Q_plus_D_M.value = -200.0;
  const RangeDisplay display = ComputeRangeDisplay(gear, instrument);
  EXPECT_EQ(display.startLabel, "0.000 mm");
  EXPECT_EQ(display.rangeStartLabel, "-185.000 mm");
  EXPECT_EQ(display.endLabel, "-395.000 mm");
  EXPECT_EQ(display.position, 200);
  EXPECT_EQ(display.colours[1], BarColour::kGreen);
}

TEST(Evaluations, UpperLowerNominalThenQForX) {
  Gear gear = MakeGear({.A_sne = "-50", .A_sni = "-80"});
  FullCalculation(gear, BallForm::kSpur, gear.rec.x);
  ModeCalculation(gear, kModeStandard);
  EvaluateCheckDimensions(gear);
  const GearRecords& r = gear.rec;
  // Each test dimension equals Q + D_M at its own profile shift.
  const auto testAt = [&](double shift) {
    Gear probe = gear;
    TGear x = probe.rec.x;
    x.value = shift;
    return CheckDimensionFor(probe, BallForm::kSpur, x) + 3.5;
  };
  EXPECT_DOUBLE_EQ(r.Q_plus_D_M_upper.value, testAt(r.xEe.value));
  EXPECT_DOUBLE_EQ(r.Q_plus_D_M_lower.value, testAt(r.xEi.value));
  EXPECT_DOUBLE_EQ(r.Q_plus_D_M.value, testAt(r.xE.value));
  // A thinner tooth (negative deviations) gives a smaller test dimension.
  EXPECT_LT(r.Q_plus_D_M_lower.value, r.Q_plus_D_M_upper.value);
  EXPECT_LT(r.Q_plus_D_M_upper.value, r.Q_plus_D_M.value);
  // Q stays at the drawing's x = 0.
  EXPECT_DOUBLE_EQ(r.Q.value, testAt(0.0) - 3.5);
}

TEST(Evaluations, GivenProfileShiftModeUsesTheGivenValues) {
  Gear gear = MakeGear({});
  gear.state.CalculationMode = kModeGivenProfileShift;
  gear.rec.Xe_given.value = 0.2;
  gear.rec.Xee_given.value = 0.15;
  gear.rec.Xei_given.value = 0.1;
  FullCalculation(gear, BallForm::kSpur, gear.rec.x);
  EvaluateCheckDimensions(gear);
  Gear probe = gear;
  TGear x = probe.rec.x;
  x.value = 0.1;
  EXPECT_DOUBLE_EQ(gear.rec.Q_plus_D_M_lower.value,
                   CheckDimensionFor(probe, BallForm::kSpur, x) + 3.5);
}

TEST(MeasuringTeeth, ChangeIsReported) {
  Gear gear = MakeGear({});
  EXPECT_FALSE(ApplyMeasuringTeeth(gear, "3"));
  EXPECT_TRUE(ApplyMeasuringTeeth(gear, "4"));
  EXPECT_EQ(gear.rec.k_M.value, 4.0);
}

}  // namespace
}  // namespace silvarone
