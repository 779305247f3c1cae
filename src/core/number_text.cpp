#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <system_error>

namespace silvarone {
namespace {

// Blanks around a number: spaces, tabs and line ends (a NUL is no blank).
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Converts a text that passed CheckNumberText and holds no ','. The sign can
// only stand first; "5." and ".5" are numbers.
bool ConvertNumber(std::string_view text, double& out) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  std::string digits(text.substr(0, point));
  if (point != std::string_view::npos && point + 1 < text.size()) {
    digits += '.';
    digits += text.substr(point + 1);
  }
  if (digits.empty()) digits = "0";
  double value = 0.0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                         std::chars_format::fixed);
  if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) {
    return false;
  }
  out = negative ? -value : value;
  return true;
}

// Adds one to a string of decimal digits; returns false when it overflowed
// ("999" became "000").
bool IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return true;
    }
    *it = '0';
  }
  return false;
}

}  // namespace

int CheckNumberText(std::string_view text) {
  if (text.empty() || text == "." || text == "," || text == "+" || text == "-") return 1;
  text = TrimBlanks(text);
  for (char c : text) {
    if (!(IsDigit(c) || c == '+' || c == ',' || c == '-' || c == '.')) return 2;
  }
  bool signSeen = false;
  bool pointSeen = false;
  int digitCount = 0;
  for (char c : text) {
    if (c == '+' || c == '-') {
      if (signSeen) return 5;
      if (digitCount > 0) return 3;
      if (pointSeen) return 4;
      signSeen = true;
    } else if (c == '.') {
      if (pointSeen) return 6;
      pointSeen = true;
    } else if (IsDigit(c)) {
      ++digitCount;
    }
  }
  return digitCount == 0 ? 7 : 0;
}

std::string NormaliseSeparators(std::string_view text) {
  std::string result(text);
  std::replace(result.begin(), result.end(), ',', '.');
  return result;
}

int CountDecimals(std::string_view text) {
  if (text.empty() || CheckNumberText(text) != 0) return -1;
  std::size_t separator = text.find('.');
  if (separator == std::string_view::npos) separator = text.find(',');
  if (separator == std::string_view::npos) return 0;
  int count = 0;
  for (std::size_t i = separator + 1; i < text.size() && IsDigit(text[i]); ++i)
    ++count;
  return count;
}

int ParseParameter(TGear& record, bool withMessages, bool normalise, MessageSink* sink) {
  const auto report = [&](int number) {
    if (withMessages && sink != nullptr) sink->ShowNumberedMessage(number, "", "");
  };
  record.flag = 0;
  const std::string& original = record.text;
  if (original.empty() || original == " " || original == "." || original == "-" ||
      original == ".-" || original == "-.") {
    record.status = kStatusNotANumber;
    return record.status;
  }

  // Texts read from files may carry a degree sign ("20°"); it reads as a blank.
  std::string normalised = NormaliseSeparators(original);
  for (std::size_t pos = normalised.find("\xC2\xB0"); pos != std::string::npos;
       pos = normalised.find("\xC2\xB0", pos)) {
    normalised.replace(pos, 2, " ");
  }
  normalised = std::string(TrimBlanks(normalised));

  double value = 0.0;
  if (CheckNumberText(normalised) != 0 || !ConvertNumber(normalised, value)) {
    record.status = kStatusNotANumber;
    report(kMessageNotNumeric);
    return record.status;
  }

  record.value = value;
  if (value < record.minimum || (record.zeroRefused && value == 0.0)) {
    record.status = kStatusBelowMinimum;
  } else if (value > record.maximum) {
    record.status = kStatusAboveMaximum;
  } else {
    record.status = kStatusValid;
  }
  if (record.status != kStatusValid) {
    report(kMessageOutOfRange);
    return record.status;
  }

  if (normalise) {
    const int decimals = CountDecimals(normalised);
    if (decimals == -1) {
      record.text = normalised;
    } else {
      FormatParameter(record, static_cast<int>(normalised.size()), decimals);
    }
  }
  return record.status;
}

std::string FormatFixed(double value, int precision, int decimals) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  precision = std::clamp(precision, 1, 15);
  decimals = std::clamp(decimals, 0, 18);

  // The exact decimal expansion of the double, far beyond its 17 significant
  // digits, so that rounding halves is decided on the true value.
  std::string digits;
  int exponent = 0;  // value = d.ddd * 10^exponent
  if (value != 0.0) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%.60e", std::fabs(value));
    const std::string_view text(buffer);
    const std::size_t e = text.find('e');
    digits.reserve(61);
    for (std::size_t i = 0; i < e; ++i) {
      if (IsDigit(text[i])) digits += text[i];
    }
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    // Round to `precision` significant digits.
    const bool roundUp = digits[static_cast<std::size_t>(precision)] >= '5';
    digits.resize(static_cast<std::size_t>(precision));
    if (roundUp && !IncrementDigits(digits)) {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    }
  } else {
    digits.assign(static_cast<std::size_t>(precision), '0');
  }
  const bool negative = std::signbit(value);

  if (exponent + 1 > precision) {
    // Too many integer digits for the precision: scientific notation.
    std::string mantissa = digits;
    while (mantissa.size() > 1 && mantissa.back() == '0')
      mantissa.pop_back();
    std::string result = negative ? "-" : "";
    result += mantissa[0];
    if (mantissa.size() > 1) {
      result += '.';
      result += mantissa.substr(1);
    }
    result += 'E';
    result += std::to_string(exponent);
    return result;
  }

  // `scaled` holds round(|value| * 10^decimals) as a decimal integer.
  const int kept = exponent + 1 + decimals;  // significant digits that survive
  std::string scaled;
  if (value == 0.0 || kept < 0) {
    scaled = "0";
  } else if (kept == 0) {
    scaled = digits[0] >= '5' ? "1" : "0";
  } else if (kept < precision) {
    scaled = digits.substr(0, static_cast<std::size_t>(kept));
    if (digits[static_cast<std::size_t>(kept)] >= '5' && !IncrementDigits(scaled)) {
      scaled.insert(scaled.begin(), '1');
    }
  } else {
    scaled = digits + std::string(static_cast<std::size_t>(kept - precision), '0');
  }
  if (scaled.size() <= static_cast<std::size_t>(decimals)) {
    scaled.insert(0, static_cast<std::size_t>(decimals) + 1 - scaled.size(), '0');
  }
  const bool zero = scaled.find_first_not_of('0') == std::string::npos;

  std::string result = (negative && !zero) ? "-" : "";
  result += scaled.substr(0, scaled.size() - static_cast<std::size_t>(decimals));
  if (decimals > 0) {
    result += '.';
    result += scaled.substr(scaled.size() - static_cast<std::size_t>(decimals));
  }
  return result;
}

void FormatParameter(TGear& record, int precision, int decimals) {
  record.text = FormatFixed(record.value, precision, decimals);
}

}  // namespace silvarone
