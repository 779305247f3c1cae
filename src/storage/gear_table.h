// Gear tables: many gears, one per row, as a plant keeps them in a parts list
// or an ERP export. Two kinds are read, recognised from the first character:
// CSV with a header row (RFC 4180, ',' or ';' as exported by spreadsheets) and
// JSON lines (one object per line). The reader streams: it reads in chunks,
// hands out one row at a time and keeps no rows, so a table of millions of
// gears needs no more memory than one of ten. Texts stay texts: "2,5" is
// passed on as written; the number parser of the gear records decides.
//
// The writers format one row into a string the caller writes, so that rows
// formatted on several threads can be written by one thread in input order.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace silvarone {

enum class TableKind { kCsv, kJsonLines };

// One input row: (column name, text) in the order of the input; line = the
// input line where the row starts (1-based, the header is line 1 for CSV).
struct TableRow {
  std::vector<std::pair<std::string, std::string>> cells;
  std::size_t line = 0;
  std::optional<std::string>
      problem;  // set when the row itself is malformed; cells then may be partial
};

// What keeps a hostile or broken input from taking unbounded memory. The
// defaults are those of the program; tests and the fuzzer make them small.
struct TableLimits {
  std::size_t chunkBytes = 64 * 1024;  // bytes read from the stream at a time
  std::size_t maxRowBytes = 1 << 20;   // a longer CSV row or JSON line is a problem row
  std::size_t maxColumns = 1024;       // CSV header columns, distinct JSON keys
};

class TableReader {  // one per input stream; not thread-safe; streaming
 public:
  // Reads from `in` (a file or standard input, opened in binary mode). The
  // kind is recognised from the first character after an optional UTF-8 BOM
  // and any blank lines: '{' -> JSON lines, anything else -> CSV with a
  // header row.
  explicit TableReader(std::istream& in, const TableLimits& limits = {});
  ~TableReader();
  TableReader(const TableReader&) = delete;
  TableReader& operator=(const TableReader&) = delete;

  TableKind kind() const;
  // CSV: the header's column names (after reading it; empty before the first
  // Next() or ReadHeader(), or when the input is empty). JSON lines: the keys
  // of the rows seen so far in first-seen order.
  const std::vector<std::string>& columns() const;
  // CSV: ';' when the header row holds a ';' and no ',' outside quotes, else
  // ','. JSON lines: ','.
  char separator() const;
  // The header problem (CSV: no header row, a column without a name, a
  // column named twice, too many columns, an unterminated quote or a header
  // longer than the row limit): a usage error for the whole run; no row
  // follows it. Set after ReadHeader() or the first Next().
  const std::optional<std::string>& headerProblem() const;

  // Reads the CSV header row, so that its columns can be checked before the
  // first row; Next() does it when it has not been done. Nothing for JSON lines.
  void ReadHeader();

  // The next row, or nullopt at the end of the input (or after a header
  // problem). Blank lines, and CSV rows whose every field is empty and
  // unquoted (a spreadsheet's formatted but empty rows), are skipped. Never
  // throws.
  std::optional<TableRow> Next();
  // The same into `row`, reusing its storage; false at the end.
  bool Next(TableRow& row);
  // Input is at hand: bytes not yet taken, or bytes the stream can give
  // without waiting. False when Next() would wait for a slow producer (a
  // pipe), so that the rows read so far can be passed on first.
  bool InputAtHand() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// A CSV line, ending in `lineEnd` ("\n" for the batch's tables, "\r\n" where
// RFC 4180 is promised). A field is quoted only when it holds the
// separator, a quote, CR or LF, or begins or ends with a blank (which the
// reader would trim); a row of empty fields quotes its first so that it is
// not read as a blank line. The header also quotes names holding ',' or ';',
// so that the separator is recognised again.
void AppendCsvHeader(std::string& out, const std::vector<std::string>& columns, char separator,
                     std::string_view lineEnd = "\n");
void AppendCsvRow(std::string& out, const std::vector<std::string>& values, char separator,
                  std::string_view lineEnd = "\n");
// {"col":"value",...}\n, values as JSON strings, UTF-8 kept; pairs up the
// first min(columns, values) entries.
void AppendJsonLine(std::string& out, const std::vector<std::string>& columns,
                    const std::vector<std::string>& values);

}  // namespace silvarone
