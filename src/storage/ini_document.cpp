#include "storage/ini_document.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/text.h"
#include "core/text_file.h"
#include "device/table_text.h"

namespace silvarone {
namespace {

constexpr std::size_t kNone = std::string::npos;

}  // namespace

std::string FoldName(std::string_view name) {
  name = Trim(name);
  std::string folded(name);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    char& c = folded[i];
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    } else if (static_cast<unsigned char>(c) == 0xC3 && i + 1 < folded.size()) {
      // U+00C0..U+00DE (but not the multiplication sign) to U+00E0..U+00FE.
      auto& next = reinterpret_cast<unsigned char&>(folded[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97)
        next = static_cast<unsigned char>(next + 0x20);
      ++i;
    }
  }
  return folded;
}

IniDocument::IniDocument(std::string path) : path_(std::move(path)) {
  const auto bytes = ReadFileBytes(path_, kMaxFileBytes);
  if (bytes) {
    Parse(*bytes);
    return;
  }
  readProblem_ = bytes.problem();
  std::error_code error;
  missing_ = !std::filesystem::exists(path_, error) && !error;
}

IniDocument IniDocument::FromBytes(std::string path, std::string_view bytes) {
  IniDocument document;
  document.path_ = std::move(path);
  document.Parse(bytes);
  return document;
}

void IniDocument::Parse(std::string_view bytes) {
  crlf_ = bytes.find('\n') == std::string::npos || bytes.find("\r\n") != std::string::npos;
  for (std::string_view line : SplitLines(bytes))
    lines_.push_back(Classify(Cp1252ToUtf8(line)));
}

IniDocument::Line IniDocument::Classify(std::string text) {
  Line line;
  const std::string_view trimmed = Trim(text);
  if (!trimmed.empty() && trimmed.front() == '[') {
    // A header without "]" names the rest of the line.
    const std::string_view inner = trimmed.substr(1);
    line.header = true;
    line.section = FoldName(inner.substr(0, inner.find(']')));
  } else if (const auto equals = text.find('='); equals != std::string::npos) {
    line.key = FoldName(std::string_view(text).substr(0, equals));
  }
  line.text = std::move(text);
  return line;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  const std::string name = FoldName(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].header && lines_[i].section == name) return i;
  }
  return kNone;
}

std::size_t IniDocument::FindKey(std::size_t header, std::string_view key) const {
  const std::string name = FoldName(key);
  if (name.empty()) return kNone;
  for (std::size_t i = header + 1; i < lines_.size() && !lines_[i].header; ++i) {
    if (lines_[i].key == name) return i;
  }
  return kNone;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
  const std::size_t header = FindSection(section);
  if (header == kNone) return std::string(fallback);
  const std::size_t line = FindKey(header, key);
  if (line == kNone) return std::string(fallback);
  const std::string& text = lines_[line].text;
  return std::string(Trim(std::string_view(text).substr(text.find('=') + 1)));
}

int IniDocument::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const auto value = ParseInteger(ReadString(section, key, ""));
  return value ? *value : fallback;
}

void IniDocument::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  // A line end inside a value would split it into lines of its own.
  std::string safeValue(value);
  std::replace(safeValue.begin(), safeValue.end(), '\r', ' ');
  std::replace(safeValue.begin(), safeValue.end(), '\n', ' ');
  const std::string text = std::string(Trim(key)) + "=" + safeValue;
  std::size_t header = FindSection(section);
  if (header == kNone) {
    lines_.push_back(Classify("[" + std::string(Trim(section)) + "]"));
    lines_.push_back(Classify(text));
    return;
  }
  if (const std::size_t line = FindKey(header, key); line != kNone) {
    lines_[line] = Classify(text);
    return;
  }
  // After the last non-empty line of the section.
  std::size_t last = header;
  for (std::size_t i = header + 1; i < lines_.size() && !lines_[i].header; ++i) {
    if (!Trim(lines_[i].text).empty()) last = i;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1), Classify(text));
}

void IniDocument::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

std::string IniDocument::Bytes() const {
  std::string bytes;
  for (const Line& line : lines_) {
    bytes += Utf8ToCp1252(line.text);
    bytes += crlf_ ? "\r\n" : "\n";
  }
  return bytes;
}

bool IniDocument::Save() const {
  if (Unreadable()) return false;
  std::vector<std::string> texts;
  texts.reserve(lines_.size());
  for (const Line& line : lines_)
    texts.push_back(line.text);
  return WriteTextLinesAtomic(path_, texts, crlf_ ? "\r\n" : "\n");
}

}  // namespace silvarone
