#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

#include "core/text.h"

namespace silvarone {
namespace {

// Blanks around a number: spaces, tabs and line ends (a NUL is no blank).
constexpr std::string_view kNumberBlanks = " \t\r\n";

std::string_view TrimBlanks(std::string_view text) {
  return Trim(text, kNumberBlanks);
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

// The decimal number a checked text (sign, digits, at most one '.') stands
// for, written one way only: no '+', no leading or trailing zeros, zero
// without sign. Anything else (an exponent) stays as it is.
std::string CanonicalDecimal(std::string_view text) {
  if (text.find_first_not_of("+-.0123456789") != std::string_view::npos) return std::string(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
  whole = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
  fraction = fraction.substr(0, fraction.find_last_not_of('0') + 1);
  if (whole.empty() && fraction.empty()) return "0";
  std::string canonical = negative ? "-" : "";
  canonical += whole.empty() ? "0" : whole;
  if (!fraction.empty()) {
    canonical += '.';
    canonical += fraction;
  }
  return canonical;
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

namespace {

// 10^0 ... 10^18, each exact as a double.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                   1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};

// "-12.340", "0.5", "7": digits with at most one point between digits, a
// sign only before a number that is not zero, no '+', no leading zero, no
// blank, at most 15 digits. Such a text (what the program writes, what a user
// types plainly) converts as it stands and is already in the program's form.
// Its value: the digits as a whole number below 10^15 < 2^53 and the power of
// ten of its decimals are both exact doubles, so their quotient is the
// decimal correctly rounded, as from_chars gives it (Clinger's fast path).
std::optional<double> PlainDecimalValue(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  const std::size_t wholeStart = negative ? 1 : 0;
  std::uint64_t digits = 0;
  std::size_t i = wholeStart;
  for (; i < text.size() && IsDigit(text[i]) && i - wholeStart < 16; ++i)
    digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
  const std::size_t wholeDigits = i - wholeStart;
  if (wholeDigits == 0 || (wholeDigits > 1 && text[wholeStart] == '0')) return std::nullopt;
  std::size_t fractionDigits = 0;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fractionStart = ++i;
    for (; i < text.size() && IsDigit(text[i]) && wholeDigits + i - fractionStart < 16; ++i)
      digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
    fractionDigits = i - fractionStart;
    if (fractionDigits == 0) return std::nullopt;
  }
  if (i != text.size() || wholeDigits + fractionDigits > 15) return std::nullopt;
  if (negative && digits == 0) return std::nullopt;
  const double value = static_cast<double>(digits) / kPowersOfTen[fractionDigits];
  return negative ? -value : value;
}

int TakeValue(TGear& record, double value) {
  record.value = value;
  if (value < record.minimum || (record.zeroRefused && value == 0.0)) {
    record.status = kStatusBelowMinimum;
  } else if (value > record.maximum) {
    record.status = kStatusAboveMaximum;
  } else {
    record.status = kStatusValid;
  }
  return record.status;
}

void Report(ParseHow how, MessageSink* sink, int number) {
  if (how.messages && sink != nullptr) sink->ShowNumberedMessage(number, "", "");
}

}  // namespace

int ParseParameter(TGear& record, ParseHow how, MessageSink* sink) {
  WriteDeferredText(record);
  // Most texts are plain: the character-by-character path below would give
  // the same value and leave such a text as it is.
  // Digits, and a point between digits: the text converts as it stands.
  if (const std::optional<double> value = PlainDecimalValue(record.text)) {
    record.flag = 0;
    if (TakeValue(record, *value) != kStatusValid) Report(how, sink, kMessageOutOfRange);
    return record.status;
  }
  return ParseParameterByCharacters(record, how, sink);
}

int ParseParameterByCharacters(TGear& record, ParseHow how, MessageSink* sink) {
  WriteDeferredText(record);
  const auto report = [&](int number) { Report(how, sink, number); };
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

  if (TakeValue(record, value) != kStatusValid) {
    report(kMessageOutOfRange);
    return record.status;
  }

  if (how.normalise) {
    const int decimals = CountDecimals(normalised);
    if (decimals == -1) {
      record.text = normalised;
    } else {
      // The number typed, in the program's form ("2,50" -> "2.50", "+7" ->
      // "7"); but when that form cannot hold it (more than 15 significant
      // digits or 18 decimals) the text stays as typed: it must never stand
      // for another number than the one the user gave.
      const std::string formatted =
          FormatFixed(value, static_cast<int>(normalised.size()), decimals);
      record.text =
          CanonicalDecimal(formatted) == CanonicalDecimal(normalised) ? formatted : normalised;
    }
  }
  return record.status;
}

namespace {

// Adds one in the last of `count` decimal digits, carrying through the nines
// (0999 -> 1000). True when the carry runs out past the first digit: the
// digits are then all '0' and the caller writes the leading 1.
bool CarryOne(char* digits, int count) {
  int i = count - 1;
  while (i >= 0 && digits[i] == '9')
    digits[i--] = '0';
  if (i < 0) return true;
  ++digits[i];
  return false;
}

// |value| = d.ddd * 10^exponent with `precision` significant digits.
struct SignificantDigits {
  char digits[16];
  int exponent = 0;
};

// The significant digits of |value| rounded to `precision`, halves away from
// zero. The digits rounded are those of the shortest decimal that reads back
// as the same double: the number the user typed or the calculation meant, so
// that 1.005 with two decimals gives 1.01 although the double lies just below.
SignificantDigits RoundToPrecision(double value, int precision) {
  SignificantDigits rounded;
  if (value == 0.0) {
    std::fill(rounded.digits, rounded.digits + precision, '0');
    return rounded;
  }
  char buffer[40];
  char* end =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific)
          .ptr;
  char* e = std::find(buffer, end, 'e');
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, rounded.exponent);
  // "d.ddde+XX" or "de+XX": gather up to 17 significant digits, then zeros.
  char all[18];
  int count = 0;
  for (const char* c = buffer; c != e; ++c) {
    if (*c != '.') all[count++] = *c;
  }
  std::fill(all + count, all + 18, '0');
  std::copy(all, all + precision, rounded.digits);
  if (all[precision] >= '5' && CarryOne(rounded.digits, precision)) {  // 9.99 became 10.0
    rounded.digits[0] = '1';
    ++rounded.exponent;
  }
  return rounded;
}

// Too many integer digits for the precision: "1.23E17", without trailing zeros.
std::string ScientificText(const SignificantDigits& rounded, int precision, bool negative) {
  char out[64];
  char* p = out;
  int last = precision - 1;
  while (last > 0 && rounded.digits[last] == '0')
    --last;
  if (negative) *p++ = '-';
  *p++ = rounded.digits[0];
  if (last > 0) {
    *p++ = '.';
    p = std::copy(rounded.digits + 1, rounded.digits + last + 1, p);
  }
  *p++ = 'E';
  p = std::to_chars(p, out + sizeof out, rounded.exponent).ptr;
  return std::string(out, p);
}

// round(|value| * 10^decimals) as decimal digits, at least decimals + 1 of
// them: the significant digits that survive the decimals, rounded half up,
// padded with zeros.
struct ScaledDigits {
  char digits[48];
  int length = 0;
};

ScaledDigits ScaleToDecimals(const SignificantDigits& rounded, bool zero, int precision,
                             int decimals) {
  ScaledDigits scaled;
  char* digits = scaled.digits;
  int& length = scaled.length;
  const int kept = rounded.exponent + 1 + decimals;
  if (zero || kept < 0) {
    digits[length++] = '0';
  } else if (kept == 0) {
    digits[length++] = rounded.digits[0] >= '5' ? '1' : '0';
  } else {
    const int copied = std::min(kept, precision);
    std::copy(rounded.digits, rounded.digits + copied, digits);
    length = copied;
    if (kept < precision && rounded.digits[kept] >= '5' && CarryOne(digits, length)) {
      std::copy_backward(digits, digits + length, digits + length + 1);
      digits[0] = '1';
      ++length;
    }
    for (; length < kept; ++length)
      digits[length] = '0';
  }
  if (length <= decimals) {  // leading zeros up to "0.ddd"
    const int pad = decimals + 1 - length;
    std::copy_backward(digits, digits + length, digits + length + pad);
    std::fill(digits, digits + pad, '0');
    length += pad;
  }
  return scaled;
}

// The scaled digits with the point before the last `decimals` of them.
std::string FixedText(const ScaledDigits& scaled, int decimals, bool negative) {
  const char* digits = scaled.digits;
  const int length = scaled.length;
  const bool zero = std::all_of(digits, digits + length, [](char c) { return c == '0'; });
  char out[64];
  char* p = out;
  if (negative && !zero) *p++ = '-';
  p = std::copy(digits, digits + length - decimals, p);
  if (decimals > 0) {
    *p++ = '.';
    p = std::copy(digits + length - decimals, digits + length, p);
  }
  return std::string(out, p);
}

// Most values of a calculation lie far from a half of their last decimal.
// Then |value| * 10^decimals, computed in doubles, rounds to the same whole
// number as the shortest decimal rounded to the precision does: with fewer
// than precision - 4 digits before the cut, that decimal and the 15-digit
// rounding differ from the product by less than 10^-4 units, far inside the
// distance of 10^-3 from the half that is demanded. Near a half, or with more
// digits, the digit-by-digit path decides.
bool FormatFixedDirect(double value, int precision, int decimals, std::string& out) {
  if (precision < 5) return false;
  const double scaled = std::fabs(value) * kPowersOfTen[decimals];
  if (!(scaled < std::min(1e11, kPowersOfTen[precision - 4]))) return false;
  // Below 10^11 the conversion truncates as floor does.
  std::uint64_t units = static_cast<std::uint64_t>(scaled);
  const double fraction = scaled - static_cast<double>(units);
  if (std::fabs(fraction - 0.5) < 1e-3) return false;
  if (fraction > 0.5) ++units;
  const bool zero = units == 0;
  // Written backwards from the last decimal.
  char text[48];
  char* const end = text + sizeof text;
  char* p = end;
  for (int i = 0; i < decimals; ++i) {
    *--p = static_cast<char>('0' + units % 10);
    units /= 10;
  }
  if (decimals > 0) *--p = '.';
  do {
    *--p = static_cast<char>('0' + units % 10);
    units /= 10;
  } while (units != 0);
  if (std::signbit(value) && !zero) *--p = '-';
  out.assign(p, static_cast<std::size_t>(end - p));  // the counted form copies once
  return true;
}

}  // namespace

std::string FormatFixedByDigits(double value, int precision, int decimals) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  precision = std::clamp(precision, 1, 15);
  decimals = std::clamp(decimals, 0, 18);
  const bool negative = std::signbit(value);
  const SignificantDigits rounded = RoundToPrecision(value, precision);
  if (rounded.exponent + 1 > precision) return ScientificText(rounded, precision, negative);
  return FixedText(ScaleToDecimals(rounded, value == 0.0, precision, decimals), decimals, negative);
}

std::string FormatFixed(double value, int precision, int decimals) {
  std::string text;
  if (std::isfinite(value) &&
      FormatFixedDirect(value, std::clamp(precision, 1, 15), std::clamp(decimals, 0, 18), text)) {
    return text;
  }
  return FormatFixedByDigits(value, precision, decimals);
}

namespace {

// Straight into the text: no text in between for the common case.
void FormatInto(double value, int precision, int decimals, std::string& text) {
  if (std::isfinite(value) &&
      FormatFixedDirect(value, std::clamp(precision, 1, 15), std::clamp(decimals, 0, 18), text)) {
    return;
  }
  text = FormatFixedByDigits(value, precision, decimals);
}

}  // namespace

void FormatParameter(TGear& record, int precision, int decimals) {
  FormatInto(record.value, precision, decimals, record.text);
  record.deferredDecimals = -1;
}

void WriteDeferredText(TGear& record) {
  if (record.deferredDecimals < 0) return;
  FormatInto(record.deferredValue, 15, record.deferredDecimals, record.text);
  record.deferredDecimals = -1;
}

std::string ShownText(const TGear& record) {
  if (record.deferredDecimals < 0) return record.text;
  std::string text;
  FormatInto(record.deferredValue, 15, record.deferredDecimals, text);
  return text;
}

}  // namespace silvarone
