// Number texts: the character check, separator handling, decimal counting,
// parsing of a record text and fixed-point formatting. None of it depends on
// the process locale: '.' is the decimal separator in memory and on screen,
// ',' is accepted on input.
#pragma once

#include <string>
#include <string_view>

#include "core/gear_record.h"
#include "core/result.h"

namespace silvarone {

// Receiver of the numbered messages (-100 wrong character, -101 not a number,
// -102 out of limits, ...). The window shows them in a dialog, the command line
// on stderr, tests record them.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowNumberedMessage(int number, const std::string& argument1,
                                   const std::string& argument2) = 0;
  // A problem without a number (a file that cannot be read or written, ...),
  // worded by the receiver in the language of the moment.
  virtual void ShowProblem(const Problem& problem) = 0;
};

// The numbered messages the program raises.
inline constexpr int kMessageWrongCharacter = -100;
inline constexpr int kMessageNotNumeric = -101;
inline constexpr int kMessageOutOfRange = -102;
inline constexpr int kMessageDataMissing = -103;  // field number and its conversion text
inline constexpr int kMessageProjectNotStored = -200;
inline constexpr int kMessageProjectNotOverwritten = -201;
inline constexpr int kMessageProjectNotLoaded = -202;
inline constexpr int kMessageNoProjectFileChosen = -203;
inline constexpr int kMessageProjectNotErased = -204;
inline constexpr int kMessageNoProjectOpen = -205;
inline constexpr int kMessageWrongPassword = -400;

// 0 when the text is a plain decimal number, else the first fault found:
// 1 empty or a lone separator or sign, 2 forbidden character, 3 sign after a
// digit, 4 sign after the point, 5 second sign, 6 second point, 7 no digit.
int CheckNumberText(std::string_view text);

// Every ',' becomes '.', the program's only decimal separator.
std::string NormaliseSeparators(std::string_view text);

// -1 for an empty or malformed text, 0 without separator, else the number of
// digits directly after the first '.' (or, without one, the first ',').
int CountDecimals(std::string_view text);

// How ParseParameter treats a text. With messages, -101 and -102 go to the
// sink (which may be null). With normalise, a valid text is rewritten with
// '.' as separator and the number of decimals typed.
struct ParseHow {
  bool messages = false;
  bool normalise = false;
};

// Converts the record text (a deferred one is written first), stores the value even when out of
// limits, sets and returns the status.
int ParseParameter(TGear& record, ParseHow how, MessageSink* sink = nullptr);

// The same, always looking at every character (the general path ParseParameter
// takes for any text that is not a plain decimal; kept callable so that both
// paths can be held against each other).
int ParseParameterByCharacters(TGear& record, ParseHow how, MessageSink* sink = nullptr);

// The value in fixed-point notation: first rounded to `precision` significant
// digits (at most 15), then to `decimals` places (at most 18), halves away from
// zero, on the shortest decimal form of the double. A value
// with more digits before the point than the precision is written in
// scientific notation. A result that rounds to zero carries no minus sign.
std::string FormatFixed(double value, int precision, int decimals);

// The same text, always digit by digit from the shortest decimal form (the
// general path FormatFixed takes near a half; kept callable so that both
// paths can be held against each other).
std::string FormatFixedByDigits(double value, int precision, int decimals);

// record.text := FormatFixed(record.value, precision, decimals).
void FormatParameter(TGear& record, int precision, int decimals);

// A deferred text (see DeferredTexts) written now: the text the record shows.
void WriteDeferredText(TGear& record);
// The text the record shows, deferred or written, leaving the record as it is.
std::string ShownText(const TGear& record);

}  // namespace silvarone
