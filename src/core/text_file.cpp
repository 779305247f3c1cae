#include "core/text_file.h"

#include <array>

#include "core/text.h"
#include "platform/file_system.h"

namespace silvarone {
namespace {

// Code points of the bytes 0x80..0x9F; 0 where Windows-1252 has no character.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char ToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  // The five codes Windows-1252 leaves undefined were read as C1 controls.
  if (c >= 0x80 && c < 0xA0 && kHighControls[c - 0x80] == 0) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c && c != 0) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    if (b < 0x80) {
      out += byte;
    } else if (b < 0xA0) {
      const char32_t c = kHighControls[b - 0x80];
      AppendUtf8(out, c != 0 ? c : b);  // undefined codes pass as C1 controls
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    int length = 0;
    char32_t c = 0;
    if (b < 0x80) {
      length = 1;
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      length = 2;
      c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      length = 3;
      c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      length = 4;
      c = b & 0x07;
    }
    bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    // The shortest form only: "C0 BC" is no '<'. No surrogates, nothing past U+10FFFF.
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && c >= kSmallest[length] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    if (!valid) {
      out += '?';
      ++i;
      continue;
    }
    out += ToCp1252(c);
    i += static_cast<std::size_t>(length);
  }
  return out;
}

bool FitsCp1252(std::string_view text) {
  return Cp1252ToUtf8(Utf8ToCp1252(text)) == text;
}

Result<std::string> ReadFileBytes(const std::string& path, std::size_t limit) {
  std::string bytes;
  const platform::ReadFailure failure = platform::ReadRegularFile(path, limit, bytes);
  if (failure == platform::ReadFailure::kNone) return bytes;
  return Problem{.kind = ProblemKind::kCannotRead, .path = path, .reason = failure, .limit = limit};
}

Result<std::vector<std::string>> ReadTextLines(const std::string& path) {
  auto bytes = ReadFileBytes(path, kMaxFileBytes);
  if (!bytes) return bytes.problem();
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(*bytes))
    lines.push_back(Cp1252ToUtf8(line));
  return lines;
}

bool WriteTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines,
                          std::string_view lineEnd) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += Utf8ToCp1252(line);
    bytes += lineEnd;
  }
  // Never more than the readers take back: a file the program wrote always
  // opens again.
  return platform::ReplaceFileAtomically(path, bytes, {.limit = kMaxFileBytes}) ==
         platform::WriteFailure::kNone;
}

}  // namespace silvarone
