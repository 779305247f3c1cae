// Windows-1252 both ways: every byte string survives the way to UTF-8 and
// back; any UTF-8 (valid or not) converts without inventing ASCII: the ASCII
// characters out, question marks aside, are exactly those in.
#include "core/text_file.h"
#include "fuzz_support.h"

namespace {

std::string AsciiWithoutQuestionMarks(std::string_view text) {
  std::string ascii;
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x80 && c != '?') ascii += c;
  }
  return ascii;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace silvarone;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string utf8 = Cp1252ToUtf8(bytes);
  FUZZ_CHECK(Utf8ToCp1252(utf8) == bytes);
  FUZZ_CHECK(FitsCp1252(utf8));

  const std::string cp1252 = Utf8ToCp1252(bytes);
  FUZZ_CHECK(cp1252.size() <= bytes.size());
  FUZZ_CHECK(AsciiWithoutQuestionMarks(cp1252) == AsciiWithoutQuestionMarks(bytes));
  // What came out is Windows-1252 that converts back the same way.
  FUZZ_CHECK(Utf8ToCp1252(Cp1252ToUtf8(cp1252)) == cp1252);
  return 0;
}
