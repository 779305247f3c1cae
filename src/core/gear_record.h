// The parameter record: every number of the program is kept twice, as the text
// the user sees (and the files store) and as a double for the calculation.
#pragma once

#include <cstdint>
#include <string>

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
};

// True when the text marks a value that was entered: neither empty nor "-".
inline bool IsEntered(const std::string& text) {
  return !text.empty() && text != "-";
}

}  // namespace silvarone
