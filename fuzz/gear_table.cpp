// Gear tables: read any bytes as a table, in chunks of a size the input
// chooses and whole, and the two readings agree; rows start on later lines
// than the rows before them, name only known columns and stay within the row
// limit; and every row read without a problem, written again as CSV and as
// JSON lines, reads back as it was.
#include "storage/gear_table.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

using namespace silvarone;

struct Table {
  TableKind kind = TableKind::kCsv;
  char separator = ',';
  std::vector<std::string> columns;
  std::optional<std::string> headerProblem;
  std::vector<TableRow> rows;
};

Table Read(const std::string& bytes, const TableLimits& limits) {
  std::istringstream in(bytes);
  TableReader reader(in, limits);
  Table table;
  table.kind = reader.kind();
  table.separator = reader.separator();
  while (auto row = reader.Next())
    table.rows.push_back(std::move(*row));
  table.columns = reader.columns();
  table.headerProblem = reader.headerProblem();
  return table;
}

bool SameRows(const std::vector<TableRow>& a, const std::vector<TableRow>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].cells != b[i].cells || a[i].line != b[i].line || a[i].problem != b[i].problem)
      return false;
  }
  return true;
}

bool ValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c < 0xE0) {
      length = 2;
      code = c & 0x1F;
    } else if (c >= 0xE0 && c < 0xF0) {
      length = 3;
      code = c & 0x0F;
    } else if (c >= 0xF0 && c < 0xF5) {
      length = 4;
      code = c & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code < 0xE000))) ||
        (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
      return false;
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input input(data, size);
  TableLimits limits;
  limits.chunkBytes = 1 + input.Byte() % 64;
  limits.maxRowBytes = 8 + input.Byte() * 16;
  limits.maxColumns = 1 + input.Byte() % 64;
  const std::string bytes = input.Rest();

  const Table pieces = Read(bytes, limits);
  TableLimits whole = limits;
  whole.chunkBytes = 1 << 16;
  const Table table = Read(bytes, whole);
  FUZZ_CHECK(pieces.kind == table.kind && pieces.separator == table.separator);
  FUZZ_CHECK(pieces.columns == table.columns && pieces.headerProblem == table.headerProblem);
  FUZZ_CHECK(SameRows(pieces.rows, table.rows));

  const bool csv = table.kind == TableKind::kCsv;
  FUZZ_CHECK(table.columns.size() <= limits.maxColumns);
  FUZZ_CHECK(!table.headerProblem || (csv && table.rows.empty()));
  std::size_t lastLine = 0;
  for (const TableRow& row : table.rows) {
    FUZZ_CHECK(row.line > lastLine);
    lastLine = row.line;
    // A CSV field is never longer than its bytes in the row (JSON numbers
    // may be: 1e20 is written out).
    std::size_t rowBytes = 0;
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      const auto& [name, value] = row.cells[i];
      if (csv)
        FUZZ_CHECK(i < table.columns.size() && name == table.columns[i]);
      else
        FUZZ_CHECK(std::find(table.columns.begin(), table.columns.end(), name) !=
                   table.columns.end());
      rowBytes += value.size();
    }
    FUZZ_CHECK(!csv || rowBytes <= limits.maxRowBytes);
  }
  if (table.headerProblem) return 0;

  // Written again, read again.
  std::vector<const TableRow*> good;
  for (const TableRow& row : table.rows) {
    if (!row.problem) good.push_back(&row);
  }
  const auto values = [](const TableRow& row) {
    std::vector<std::string> texts;
    for (const auto& cell : row.cells)
      texts.push_back(cell.second);
    return texts;
  };
  const auto names = [](const TableRow& row) {
    std::vector<std::string> texts;
    for (const auto& cell : row.cells)
      texts.push_back(cell.first);
    return texts;
  };
  if (csv) {
    // A header of one column shows no separator, so it reads back as ','.
    const char separator = table.columns.size() > 1 ? table.separator : ',';
    std::string written;
    AppendCsvHeader(written, table.columns, separator);
    for (const TableRow* row : good)
      AppendCsvRow(written, values(*row), separator);
    const Table again = Read(written, {});
    FUZZ_CHECK(again.kind == TableKind::kCsv && again.separator == separator);
    FUZZ_CHECK(!again.headerProblem && again.columns == table.columns);
    FUZZ_CHECK(again.rows.size() == good.size());
    for (std::size_t i = 0; i < good.size(); ++i) {
      FUZZ_CHECK(!again.rows[i].problem && again.rows[i].cells == good[i]->cells);
    }
  }
  if (good.empty()) return 0;
  bool utf8 = true;
  for (const TableRow* row : good) {
    for (const auto& [name, value] : row->cells)
      utf8 = utf8 && ValidUtf8(name) && ValidUtf8(value);
  }
  if (!utf8) return 0;  // the JSON writer replaces what is no UTF-8
  std::string written;
  for (const TableRow* row : good)
    AppendJsonLine(written, names(*row), values(*row));
  const Table again = Read(written, {});
  FUZZ_CHECK(again.kind == TableKind::kJsonLines && again.rows.size() == good.size());
  for (std::size_t i = 0; i < good.size(); ++i) {
    FUZZ_CHECK(!again.rows[i].problem && again.rows[i].cells == good[i]->cells);
  }
  return 0;
}
