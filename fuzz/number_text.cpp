// Number texts: the check, the parse with its normal form, and the
// fixed-point formatting. A valid text's normal form stands for the same
// number and is its own normal form; a formatted value reads back within
// its rounding.
#include "core/number_text.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "fuzz_support.h"

namespace silvarone {
namespace {

void ParseText(const std::string& text) {
  const int check = CheckNumberText(text);
  FUZZ_CHECK(check >= 0 && check <= 7);

  TGear normalised;
  normalised.text = text;
  normalised.minimum = -HUGE_VAL;
  normalised.maximum = HUGE_VAL;
  const int status = ParseParameter(normalised, {.normalise = true});
  TGear plain = normalised;
  plain.text = text;
  FUZZ_CHECK(ParseParameter(plain, {}) == status);
  FUZZ_CHECK(plain.text == text);  // without normalising the text stays
  if (status != kStatusValid) return;
  FUZZ_CHECK(std::isfinite(normalised.value));
  FUZZ_CHECK(plain.value == normalised.value);
  // The normal form is a plain number that reads back as the same value and
  // is its own normal form.
  FUZZ_CHECK(CheckNumberText(normalised.text) == 0);
  TGear again = normalised;
  FUZZ_CHECK(ParseParameter(again, {.normalise = true}) == kStatusValid);
  FUZZ_CHECK(again.value == normalised.value);
  FUZZ_CHECK(again.text == normalised.text);
}

void Format(double value, int precision, int decimals) {
  const std::string text = FormatFixed(value, precision, decimals);
  FUZZ_CHECK(!text.empty() && text.size() < 64);
  if (!std::isfinite(value) || text.find('E') != std::string::npos) return;
  FUZZ_CHECK(CheckNumberText(text) == 0);
  const std::size_t point = text.find('.');
  const int shown = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
  FUZZ_CHECK(shown == std::clamp(decimals, 0, 18));
  TGear back;
  back.text = text;
  back.minimum = -HUGE_VAL;
  back.maximum = HUGE_VAL;
  FUZZ_CHECK(ParseParameter(back, {}) == kStatusValid);
  // Rounded to the significant digits, then to the decimals.
  const int digits = std::clamp(precision, 1, 15);
  const double magnitude = value == 0.0 ? 0.0 : std::floor(std::log10(std::fabs(value)));
  const double bound = 0.5 * std::pow(10.0, -shown) + 0.5 * std::pow(10.0, magnitude - digits + 1);
  FUZZ_CHECK(std::fabs(back.value - value) <= bound * (1 + 1e-9) + std::fabs(value) * 1e-15);
  // Zero carries no sign.
  if (back.value == 0.0) FUZZ_CHECK(text.front() != '-');
}

}  // namespace
}  // namespace silvarone

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  silvarone::fuzz::Input input(data, size);
  const std::uint8_t precision = input.Byte();
  const std::uint8_t decimals = input.Byte();
  double value = 0.0;
  std::uint8_t bytes[sizeof value] = {};
  for (std::uint8_t& byte : bytes)
    byte = input.Byte();
  std::memcpy(&value, bytes, sizeof value);
  silvarone::Format(value, precision % 20 - 2, decimals % 24 - 2);
  silvarone::ParseText(input.Rest());
  return 0;
}
