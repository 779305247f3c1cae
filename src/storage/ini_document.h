// An INI document in the manner of the Windows private-profile files: section
// and key names match without regard to letter case and surrounding blanks;
// writing a key replaces its line in place and leaves every other line as it
// was; a missing section or key is appended. Windows-1252 on disk, saved by
// replacing the whole file at once.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace silvarone {

class IniDocument {
 public:
  // Reads the file; a missing or unreadable file gives an empty document
  // (see ReadProblem).
  explicit IniDocument(std::string path);
  // A document of these bytes, to be saved at `path`.
  static IniDocument FromBytes(std::string path, std::string_view bytes);

  const std::string& Path() const { return path_; }
  // Why the file could not be read; nothing when it was read. A missing
  // file is no error for Unreadable().
  const std::optional<Problem>& ReadProblem() const { return readProblem_; }
  bool Missing() const { return missing_; }
  // The file exists but could not be read: a save would lose what it holds.
  bool Unreadable() const { return readProblem_.has_value() && !missing_; }

  // The value of the first matching key of the first matching section, with
  // surrounding blanks removed; `fallback` when there is none.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // A decimal integer value; `fallback` when missing or not a decimal integer.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);

  // The file's bytes as Save writes them.
  std::string Bytes() const;

  // Writes the document to its file through a temporary file renamed over
  // the old one. False when the file could not be written (it is unchanged),
  // and always for a file that exists but could not be read.
  bool Save() const;

 private:
  struct Line {
    std::string text;
    std::string section;  // section header: its name
    std::string key;      // key line: its name
    bool header = false;
  };
  IniDocument() = default;
  void Parse(std::string_view bytes);
  static Line Classify(std::string text);
  // Index of the first header of the section, or npos.
  std::size_t FindSection(std::string_view section) const;
  // Index of the key's line inside the section starting at `header`, or npos.
  std::size_t FindKey(std::size_t header, std::string_view key) const;

  std::string path_;
  std::vector<Line> lines_;
  bool crlf_ = true;  // line ends of the file as read
  std::optional<Problem> readProblem_;
  bool missing_ = false;
};

// Names as the profile files compare them: blanks around removed, letters
// folded to lower case (ASCII and the Latin-1 letters of UTF-8).
std::string FoldName(std::string_view name);

}  // namespace silvarone
