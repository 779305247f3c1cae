// The PRALO gear measuring instrument: which of the five instruments and which
// of its two measuring ranges is chosen, the check dimension Q and test
// dimension of one calculation request, and where the test dimension lies in
// the instrument's 25 mm measuring window.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/gear.h"

namespace silvarone {

struct InstrumentInfo {
  std::string_view name;     // as stored in the settings
  std::string_view caption;  // as the selection shows it
  std::array<std::string_view, 2> rangeKeys;
  std::array<std::string_view, 2> rangeDefaults;  // upper end of each range, mm
};

extern const std::array<InstrumentInfo, 5> kInstruments;

// Row whose range texts serve the instrument of that name (row 0 for an unknown name).
int InstrumentRow(std::string_view name);
// Radio item that shows the instrument of that name (item 4 for an unknown name).
int InstrumentRadioItem(std::string_view name);

// The instrument settings: which instrument, which of its two ranges, and
// the upper end of every range.
struct InstrumentState {
  InstrumentState();

  std::string name{kInstruments[0].name};
  int rangeIndex = 0;
  // The ten range texts of the settings, two per instrument in table order.
  std::array<std::string, 10> rangeTexts;

  const std::string& RangeText(int row, int index) const {
    return rangeTexts[static_cast<std::size_t>(row * 2 + index)];
  }
};

// The two range texts of the named instrument (of the first one for an
// unknown name).
std::vector<std::string> RangeTexts(const InstrumentState& instrument);
// The instrument of that radio item becomes the chosen one (the first for an
// item outside the list); returns the item that shows it.
int ChooseInstrument(InstrumentState& instrument, int item);
// A range chosen in the list: the range value takes the instrument's range text
// and every input is checked again. Returns the validation code (9 when the
// range text is the last input that does not convert).
int SelectMeasuringRange(Gear& gear, InstrumentState& instrument, int index);
// After the settings are read: a range index other than 0 and 1 becomes 0, and
// the range value takes the range text.
void ApplyInstrumentSettings(Gear& gear, InstrumentState& instrument);

// The test dimensions of one calculation request: Q and Q +- D_M for the
// upper, the lower and the nominal generating profile shift of the current
// mode (into Q_plus_D_M_upper, Q_plus_D_M_lower, Q_plus_D_M), then the full
// calculation for the drawing's profile shift x, which leaves Q for x.
void EvaluateCheckDimensions(Gear& gear);

enum class BarColour { kNeutral, kRed, kGreen };

struct RangeDisplay {
  std::string caption;  // range text as the instrument table gives it / instrument name
  // Labels StartGraphic, RangeStart, RangeEnd, EndGraphic.
  std::string startLabel, rangeStartLabel, rangeEndLabel, endLabel;
  std::array<long, 4> bounds{};  // bar 1 spans bounds[0..1], bar 2 [1..2], bar 3 [2..3]
  long position = 0;             // |nominal test dimension| in whole mm
  std::array<BarColour, 3> colours{BarColour::kNeutral, BarColour::kNeutral, BarColour::kNeutral};
};

// The measuring window of 25 mm ending at range value + D_M, and where the
// nominal test dimension lies in it. Updates the range start and end.
// Without `texts` the caption and the labels stay empty.
RangeDisplay ComputeRangeDisplay(Gear& gear, const InstrumentState& instrument, bool texts = true);

// The tooth count in use takes `text`; true when its value changed (which
// discards a back-calculation).
bool ApplyMeasuringTeeth(Gear& gear, const std::string& text);

}  // namespace silvarone
