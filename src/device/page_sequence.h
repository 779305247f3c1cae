// The calculations of the calculation page, in the order the page runs them:
// the drawing's geometry, the recommended ball, the ball and tooth count in
// use, the ball limits, the input mode's conversions and the check dimension
// with the instrument's measuring window. The window model and the batch both
// run a gear through these two functions and only copy record texts after.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/gear.h"
#include "device/instrument.h"

namespace silvarone {

// The ball and the tooth count the page works with, decided once the gear's
// recommendations are known. The ball's text given the recommended ball (an
// empty text: the page has no ball and keeps the tooth count it had); the
// tooth count's text given the recommended count for that ball.
struct BallAndTeethChoice {
  std::function<std::string(const std::string& recommendedBall)> ball;
  std::function<std::string(const std::string& recommendedTeeth)> teeth;
  // The measuring window's caption and scale labels; without them the
  // display tells only where the test dimension lies.
  bool windowTexts = true;
};

// The ball in use takes `text`: D_M holds its value; a text that is no
// diameter leaves no ball in use.
void TakeBallText(Gear& gear, const std::string& text);
// The tooth count in use takes `text` into k_M.
void TakeToothCountText(Gear& gear, const std::string& text);
// A ball diameter is in use.
inline bool HasBall(const Gear& gear) {
  return gear.rec.D_M.status == kStatusValid;
}

// Where the test dimension lies in the instrument's measuring window; without
// a ball there is no window and no test dimension in it, only the caption.
RangeDisplay MeasuringWindowOf(Gear& gear, const InstrumentState& instrument, bool texts = true);

// Everything the calculation page computes when it opens, for valid inputs
// and deviations. Returns where the test dimension lies in the instrument's
// measuring window (an empty display without a ball).
RangeDisplay CalculatePage(Gear& gear, const InstrumentState& instrument,
                           const BallAndTeethChoice& choice);

// The check dimension Q and the test dimensions for the ball in use (or no
// check dimension at all without a ball), the span and ball dimension of a
// spur gear for that ball, the measuring window and the ball limits.
RangeDisplay CalculateCheckDimension(Gear& gear, const InstrumentState& instrument,
                                     bool windowTexts = true);

// The records the comparison table of the calculation page shows for the
// gear's input mode: the rows Wk, MdK and xE, each nominal, upper, lower.
// The given row shows what was given; the others what the mode computed.
using ComparisonRow = std::array<const TGear*, 3>;
std::array<ComparisonRow, 3> ComparisonTable(const Gear& gear);

// The test dimension lies inside the instrument's measuring window.
inline bool InMeasuringWindow(const RangeDisplay& range) {
  return range.colours[1] == BarColour::kGreen;
}

}  // namespace silvarone
