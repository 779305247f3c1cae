// A strict reader of RFC 4180 CSV, written from the RFC and nothing else:
// records end in CRLF, fields are parted by ',', a field in double quotes
// may hold ',', CR, LF and '""' for a quote; anywhere else a bare CR or LF,
// or a quote inside an unquoted field, breaks the format.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace silvarone::testing {

using CsvRecords = std::vector<std::vector<std::string>>;

// The records of `text`, or nothing when it is no RFC 4180 text whose every
// record ends in CRLF.
inline std::optional<CsvRecords> ReadRfc4180(const std::string& text) {
  CsvRecords records;
  std::vector<std::string> record;
  std::string field;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '"') {  // a quoted field up to its closing quote
      for (++i;; ++i) {
        if (i >= text.size()) return std::nullopt;
        if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else if (text[i] == '"') {
          ++i;
          break;
        } else {
          field += text[i];
        }
      }
    } else {
      while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
        if (text[i] == '"') return std::nullopt;
        field += text[i++];
      }
    }
    record.push_back(field);
    field.clear();
    if (i < text.size() && text[i] == ',') {
      ++i;
    } else if (text.compare(i, 2, "\r\n") == 0) {
      i += 2;
      records.push_back(record);
      record.clear();
    } else {
      return std::nullopt;  // a bare CR or LF, text after a closing quote, no final CRLF
    }
  }
  return records;
}

}  // namespace silvarone::testing
