// The INI document: parse any bytes, save, parse again. Every line is kept
// byte for byte, a second save is identical, and a key written reads back
// (from memory, and after a save when Windows-1252 can hold it).
#include "storage/ini_document.h"

#include "core/text.h"
#include "core/text_file.h"
#include "fuzz_support.h"

namespace {

using namespace silvarone;

// A name the document can hold as a section or key: no line ends, no ']'
// in a section, no '=' in a key, and no key that reads as a header.
bool UsableNames(const std::string& section, const std::string& key) {
  const auto bad = [](const std::string& text, const char* characters) {
    return text.find_first_of(characters) != std::string::npos;
  };
  const std::string_view trimmedKey = Trim(key);
  return !FoldName(section).empty() && !FoldName(key).empty() && !bad(section, "\r\n]") &&
         !bad(key, "\r\n=") && trimmedKey.front() != '[' && section.find('\0') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input input(data, size);
  const std::string section = input.Text();
  const std::string key = input.Text();
  const std::string value = input.Text();
  const std::string file = input.Rest();

  IniDocument document = IniDocument::FromBytes("", file);
  const std::string saved = document.Bytes();
  const auto linesIn = SplitLines(file);
  const auto linesOut = SplitLines(saved);
  FUZZ_CHECK(linesIn.size() == linesOut.size());
  for (std::size_t i = 0; i < linesIn.size(); ++i)
    FUZZ_CHECK(linesIn[i] == linesOut[i]);
  FUZZ_CHECK(IniDocument::FromBytes("", saved).Bytes() == saved);

  if (!UsableNames(section, key)) return 0;
  document.WriteString(section, key, value);
  std::string expected = value;
  for (char& c : expected) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  expected = std::string(Trim(expected));
  FUZZ_CHECK(document.ReadString(section, key, "\x01missing") == expected);
  const std::string written = document.Bytes();
  const std::size_t lines = SplitLines(written).size();
  FUZZ_CHECK(lines >= linesIn.size() && lines <= linesIn.size() + 2);
  if (FitsCp1252(section) && FitsCp1252(key) && FitsCp1252(expected)) {
    const IniDocument again = IniDocument::FromBytes("", written);
    FUZZ_CHECK(again.ReadString(section, key, "\x01missing") == expected);
    FUZZ_CHECK(again.Bytes() == written);
  }
  return 0;
}
