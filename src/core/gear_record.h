// The parameter record: every number of the program is kept twice, as the text
// the user sees (and the files store) and as a double for the calculation.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace silvarone {

// Values held in TGear::value to mark a number that is not a measurement.
inline constexpr double kNotSet = -1000000.0;
inline constexpr double kGivenDimensionUnset = -5000000.0;
inline constexpr double kCannotCompute = -100000.0;

// Result of ParseParameter and TGear::status.
enum RecordStatus : std::int32_t {
  kStatusNeverParsed = -1,
  kStatusValid = 0,
  kStatusNotANumber = 1,
  kStatusBelowMinimum = 2,
  kStatusAboveMaximum = 3,
};

struct TGear {
  std::uint8_t flag = 0;
  std::string text;
  double value = 0.0;
  double minimum = 0.0;
  double maximum = 0.0;
  std::int32_t status = kStatusNeverParsed;
  // A tooth count of zero lies inside the limits but describes no gear; such a
  // record refuses zero as out of limits.
  bool zeroRefused = false;
  // A text not written yet: while a calculation defers its texts (see
  // DeferredTexts), the value the text would show and its decimals; -1 once
  // the text is written.
  std::int8_t deferredDecimals = -1;
  double deferredValue = 0.0;
};

// The record's text from now on: a deferred text is dropped.
inline void SetText(TGear& record, std::string text) {
  record.text = std::move(text);
  record.deferredDecimals = -1;
}
inline void ClearText(TGear& record) {
  record.text.clear();
  record.deferredDecimals = -1;
}

// True when the text marks a value that was entered: neither empty nor "-".
inline bool IsEntered(const std::string& text) {
  return !text.empty() && text != "-";
}
// The same for the text the record shows: a deferred text is a number.
inline bool IsEntered(const TGear& record) {
  return record.deferredDecimals >= 0 || IsEntered(record.text);
}
inline bool HasText(const TGear& record) {
  return record.deferredDecimals >= 0 || !record.text.empty();
}

}  // namespace silvarone
