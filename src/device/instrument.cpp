#include "device/instrument.h"

#include <cmath>

#include "core/check_dimension.h"
#include "core/modes.h"

namespace silvarone {

const std::array<InstrumentInfo, 5> kInstruments = {{
    {"PRALO 175-200",
     "PRALO 175 - 200",
     {"Messbereichswert_1", "Messbereichswert_2"},
     {"200,000", "225,000"}},
    {"PRALO 225-250",
     "PRALO 225 - 250",
     {"Messbereichswert_3", "Messbereichswert_4"},
     {"250,000", "275,000"}},
    {"PRALO 275-300",
     "PRALO 275 - 300",
     {"Messbereichswert_5", "Messbereichswert_6"},
     {"300,000", "325,000"}},
    {"PRALO 325-350",
     "PRALO 325 - 350",
     {"Messbereichswert_7", "Messbereichswert_8"},
     {"350,000", "375,000"}},
    {"PRALO 375-400",
     "PRALO 375 - 400",
     {"Messbereichswert_9", "Messbereichswert_10"},
     {"400,000", "425,000"}},
}};

InstrumentState::InstrumentState() {
  for (std::size_t row = 0; row < kInstruments.size(); ++row) {
    for (std::size_t index = 0; index < 2; ++index) {
      rangeTexts[row * 2 + index] = std::string(kInstruments[row].rangeDefaults[index]);
    }
  }
}

int InstrumentRow(std::string_view name) {
  for (int row = 4; row >= 1; --row) {
    if (name == kInstruments[static_cast<std::size_t>(row)].name) return row;
  }
  return 0;
}

int InstrumentRadioItem(std::string_view name) {
  for (int item = 0; item < 4; ++item) {
    if (name == kInstruments[static_cast<std::size_t>(item)].name) return item;
  }
  return 4;
}

std::vector<std::string> RangeTexts(const InstrumentState& instrument) {
  const int row = InstrumentRow(instrument.name);
  return {instrument.RangeText(row, 0), instrument.RangeText(row, 1)};
}

int ChooseInstrument(InstrumentState& instrument, int item) {
  const int row = (item >= 0 && item < 5) ? item : 0;
  instrument.name = std::string(kInstruments[static_cast<std::size_t>(row)].name);
  return row;
}

int SelectMeasuringRange(Gear& gear, InstrumentState& instrument, int index) {
  instrument.rangeIndex = index == 1 ? 1 : 0;
  gear.rec.Messbereichswert.text =
      instrument.RangeText(InstrumentRow(instrument.name), instrument.rangeIndex);
  // The check sets range start and end from the range value when it converts.
  return ValidateInputs(gear);
}

void ApplyInstrumentSettings(Gear& gear, InstrumentState& instrument) {
  if (instrument.rangeIndex < 0 || instrument.rangeIndex > 1) instrument.rangeIndex = 0;
  gear.rec.Messbereichswert.text =
      instrument.RangeText(InstrumentRow(instrument.name), instrument.rangeIndex);
}

void EvaluateCheckDimensions(Gear& gear) {
  GearRecords& r = gear.rec;
  const BallForm form = BallFormOf(gear);
  const bool givenShift = gear.state.CalculationMode == kModeGivenProfileShift;
  if (form == BallForm::kHelical) {
    for (TGear* test : {&r.Q_plus_D_M_upper, &r.Q_plus_D_M_lower, &r.Q_plus_D_M}) {
      ClearText(*test);
    }
  }
  const std::pair<const TGear*, TGear*> runs[] = {
      {givenShift ? &r.Xee_given : &r.xEe, &r.Q_plus_D_M_upper},
      {givenShift ? &r.Xei_given : &r.xEi, &r.Q_plus_D_M_lower},
      {givenShift ? &r.Xe_given : &r.xE, &r.Q_plus_D_M},
  };
  {
    TrialCalculation trial(gear);
    for (const auto& [shift, test] : runs) {
      test->value = TestDimension(gear, CheckDimensionFor(gear, form, *shift));
    }
  }
  for (const auto& run : runs)
    StoreValue(gear, *run.second, run.second->value);
  FullCalculation(gear, form, r.x);
}

RangeDisplay ComputeRangeDisplay(Gear& gear, const InstrumentState& instrument, bool texts) {
  const bool external = gear.state.ExternalGear == 1;
  RangeDisplay display;
  // The range as the instrument table writes it ("200,000"), not the range
  // value's text, which the input check rewrites with a decimal point.
  const int index = instrument.rangeIndex == 1 ? 1 : 0;
  if (texts) {
    display.caption =
        instrument.RangeText(InstrumentRow(instrument.name), index) + " / " + instrument.name;
  }

  TGear range = gear.rec.Messbereichswert;
  ParseParameter(range, {});
  const double middle = range.value + gear.rec.D_M.value - 12.5;
  gear.state.rangeStart = middle - 12.5;
  gear.state.rangeEnd = middle + 12.5;

  const auto label = [&](double value) {
    const double signedValue = external ? std::fabs(value) : -std::fabs(value);
    return FormatFixed(signedValue, 15, 3) + " mm";
  };
  if (texts) {
    display.startLabel = label(0.0);
    display.rangeStartLabel = label(gear.state.rangeStart);
    display.rangeEndLabel = label(gear.state.rangeEnd);
    display.endLabel = label(2.0 * middle);
  }

  const auto whole = [](double value) { return std::lround(std::fabs(value)); };
  display.bounds = {0, whole(gear.state.rangeStart), whole(gear.state.rangeEnd),
                    whole(2.0 * middle)};
  display.position = whole(gear.rec.Q_plus_D_M.value);
  const double v = display.position;
  if (std::fabs(gear.state.rangeStart) > v) {
    display.colours = {BarColour::kRed, BarColour::kNeutral, BarColour::kNeutral};
  } else if (v < std::fabs(gear.state.rangeEnd)) {
    display.colours = {BarColour::kGreen, BarColour::kGreen, BarColour::kNeutral};
  } else {
    display.colours = {BarColour::kRed, BarColour::kRed, BarColour::kRed};
  }
  return display;
}

bool ApplyMeasuringTeeth(Gear& gear, const std::string& text) {
  TGear& k = gear.rec.k_M;
  const double before = k.value;
  SetText(k, text);
  ParseParameter(k, {});
  return k.value != before;
}

}  // namespace silvarone
