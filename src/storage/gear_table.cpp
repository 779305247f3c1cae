// Both kinds are read from one chunked buffer. CSV goes through libcsv, fed
// one line end at a time so that each row's first line is known and a row can
// be cut at the row limit wherever the chunks fall; JSON lines go through
// nlohmann's SAX parser straight into the row, without a document in between.
#include "storage/gear_table.h"

#include <csv.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <istream>
#include <nlohmann/json.hpp>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace silvarone {
namespace {

using Json = nlohmann::json;

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Every line end outside a field reaches the row callback (so that blank
// lines count as such), and an empty unquoted field arrives as a null pointer
// (so that a row of empty fields can be told from one of quoted "").
constexpr unsigned char kCsvOptions = CSV_REPALL_NL | CSV_EMPTY_IS_NULL;
// libcsv grows its field buffer by this much at a time.
constexpr std::size_t kCsvBlockBytes = 16 * 1024;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool IsSpace(char c) {
  return IsBlank(c) || IsLineEnd(c);
}

// A name inside a problem text: quoted, and cut (at a character boundary)
// when it is long, so that a runaway key does not make a runaway message.
std::string Quoted(std::string_view name) {
  constexpr std::size_t kShown = 40;
  if (name.size() <= kShown) return "\"" + std::string(name) + "\"";
  std::size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
    --cut;
  return "\"" + std::string(name.substr(0, cut)) + "...\"";
}

// Shortest text that reads back as the same double; fixed-point for every
// ordinary gear value, as a person would type it.
std::string_view NumberText(double value, char (&buffer)[64]) {
  if (value == 0) return "0";
  const double magnitude = std::fabs(value);
  const auto format =
      magnitude >= 1e-6 && magnitude < 1e21 ? std::chars_format::fixed : std::chars_format::general;
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format);
  return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

template <typename Integer>
std::string_view NumberText(Integer value, char (&buffer)[64]) {
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

void SetCell(TableRow& row, std::size_t index, const std::string& name, std::string_view text) {
  if (index < row.cells.size()) {
    row.cells[index].first.assign(name);
    row.cells[index].second.assign(text);
  } else {
    row.cells.emplace_back(name, text);
  }
}

}  // namespace

struct TableReader::State {
  State(std::istream& stream, const TableLimits& given) : in(stream), limits(given) {
    limits.chunkBytes = std::max<std::size_t>(limits.chunkBytes, 1);
    limits.maxRowBytes = std::max<std::size_t>(limits.maxRowBytes, 1);
    limits.maxColumns = std::max<std::size_t>(limits.maxColumns, 1);
  }
  ~State() {
    if (csvReady) csv_free(&parser);
  }

  // ---- input buffer: bytes [pos, buffer.size()) are not consumed yet
  // Appends up to one chunk; false at the end of the input. Moves the
  // unconsumed bytes to the front, so offsets are kept relative to pos.
  bool Refill() {
    if (inputEnded) return false;
    if (pos > 0) {
      buffer.erase(0, pos);
      pos = 0;
    }
    const std::size_t old = buffer.size();
    std::size_t got = 0;
    try {
      if (in.peek() != std::char_traits<char>::eof()) {
        // What the stream has at hand, so that rows from a slow pipe are
        // passed on as they come; a full chunk when it cannot tell.
        const std::streamsize ready = in.rdbuf()->in_avail();
        const std::size_t wanted =
            ready > 0 ? std::min(static_cast<std::size_t>(ready), limits.chunkBytes)
                      : limits.chunkBytes;
        buffer.resize(old + wanted);
        in.read(buffer.data() + old, static_cast<std::streamsize>(wanted));
        got = static_cast<std::size_t>(in.gcount());
      }
    } catch (...) {
      readFailed = true;
    }
    buffer.resize(old + got);
    if (got == 0) {
      inputEnded = true;
      readFailed = readFailed || in.bad();
    }
    return got > 0;
  }

  // Line accounting for a piece of input that holds a line end, if any, only
  // as its last byte. "\r\n", "\n" and a lone "\r" each end one line.
  void CountLines(const char* piece, std::size_t n) {
    if (n == 0) return;
    const char last = piece[n - 1];
    if (last == '\n') {
      if (!(n == 1 && afterCr)) ++line;
      afterCr = false;
    } else if (last == '\r') {
      ++line;
      afterCr = true;
    } else {
      afterCr = false;
    }
  }

  // ---- start: BOM, kind, CSV separator
  void Start() {
    while (buffer.size() - pos < kBom.size() && Refill()) {
    }
    if (std::string_view(buffer).substr(pos, kBom.size()) == kBom) pos += kBom.size();
    // The first character that is not blank, within one row's length.
    std::size_t first = 0;
    bool found = false;
    while (first < limits.maxRowBytes) {
      if (pos + first == buffer.size()) {
        if (!Refill()) break;
        continue;
      }
      if (!IsSpace(buffer[pos + first])) {
        found = true;
        break;
      }
      ++first;
    }
    if (found && buffer[pos + first] == '{') {
      kind = TableKind::kJsonLines;
      return;
    }
    csv_init(&parser, kCsvOptions);
    csvReady = true;
    csv_set_blk_size(&parser, kCsvBlockBytes);
    if (found) separator = DetectSeparator(first);
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
  }

  // ';' when the header row, which starts at offset `start`, holds a ';' and
  // no ',' outside quotes; else ','. Quotes are counted as RFC 4180 writes
  // them (a doubled quote inside quotes counts twice), over at most one
  // row's length.
  char DetectSeparator(std::size_t start) {
    bool quoted = false;
    bool comma = false;
    bool semicolon = false;
    for (std::size_t offset = start; offset - start < limits.maxRowBytes; ++offset) {
      if (pos + offset == buffer.size() && !Refill()) break;
      const char c = buffer[pos + offset];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted) {
        if (IsLineEnd(c)) break;
        comma = comma || c == ',';
        semicolon = semicolon || c == ';';
      }
    }
    return semicolon && !comma ? ';' : ',';
  }

  // ---- CSV rows
  enum class RowFault { kNone, kTooLong, kUnterminated };

  static void OnField(void* data, std::size_t length, void* self) {
    State& s = *static_cast<State*>(self);
    const std::size_t index = s.fields++;
    if (data != nullptr) s.anyValue = true;
    const std::string_view text(data != nullptr ? static_cast<const char*>(data) : "", length);
    if (s.readingHeader) {
      if (s.columns.size() < s.limits.maxColumns)
        s.columns.emplace_back(text);
      else
        s.headerTooWide = true;
    } else if (index < s.columns.size()) {
      SetCell(*s.row, index, s.columns[index], text);
    } else if (data != nullptr) {
      s.tailValue = true;
    }
  }

  static void OnRowEnd(int, void* self) {
    State& s = *static_cast<State*>(self);
    if (s.fields == 0) return;  // a blank line
    s.rowEnded = true;
    s.rowBegun = false;
  }

  // Reads until a row of fields has ended (or was cut at the row limit);
  // false at the end of the input.
  bool CsvReadRow() {
    fields = 0;
    anyValue = false;
    tailValue = false;
    rowEnded = false;
    fault = RowFault::kNone;
    for (;;) {
      if (pos == buffer.size() && !Refill()) return CsvFinish();
      const char* begin = buffer.data() + pos;
      const char* end = buffer.data() + buffer.size();
      const char* stop = std::find_if(begin, end, IsLineEnd);
      std::size_t n = static_cast<std::size_t>((stop == end ? end : stop + 1) - begin);
      if (skipping) {  // the rest of the line of a row cut at the limit
        CountLines(begin, n);
        pos += n;
        if (stop != end) skipping = false;
        continue;
      }
      std::size_t lead = 0;
      if (!rowBegun) {
        while (lead < n && IsSpace(begin[lead]))
          ++lead;
        if (lead < n) {
          rowBegun = true;
          rowBytes = 0;
          rowLine = line;
        }
      }
      // The limit counts the row's bytes without the line end that ends it.
      const bool begun = rowBegun;
      bool cut = false;
      if (begun) {
        const std::size_t ending = stop != end ? 1 : 0;
        const std::size_t room = limits.maxRowBytes - std::min(rowBytes, limits.maxRowBytes);
        if (n - lead - ending > room) {
          n = lead + room;
          cut = true;
        }
      }
      const std::size_t parsed = csv_parse(&parser, begin, n, OnField, OnRowEnd, this);
      if (parsed < n) cut = true;  // libcsv ran out of memory for the field
      if (begun) rowBytes += n - lead;
      CountLines(begin, n);
      pos += n;
      if (rowEnded) return true;
      // The line end was inside a quoted field, so it is the row's: line ends
      // alone must not carry a field past the limit.
      if (begun && rowBytes > limits.maxRowBytes) cut = true;
      if (cut) {
        fault = RowFault::kTooLong;
        csv_fini(&parser, nullptr, nullptr, nullptr);  // forget the rest of the row
        rowBegun = false;
        skipping = true;
        return true;
      }
    }
  }

  // The end of the input: the last row may lack its line end, or be inside
  // a quote that never closes.
  bool CsvFinish() {
    if (!rowBegun) return false;
    csv_set_opts(&parser, kCsvOptions | CSV_STRICT | CSV_STRICT_FINI);
    const bool unterminated = csv_fini(&parser, OnField, OnRowEnd, this) != 0;
    csv_set_opts(&parser, kCsvOptions);
    if (unterminated) {
      csv_fini(&parser, OnField, OnRowEnd, this);
      fault = RowFault::kUnterminated;
    }
    rowBegun = false;
    return rowEnded;
  }

  void ReadHeader() {
    if (kind != TableKind::kCsv || headerRead) return;
    headerRead = true;
    TableRow unused;
    row = &unused;
    readingHeader = true;
    const bool got = CsvReadRow();
    readingHeader = false;
    row = nullptr;
    const std::string limit = std::to_string(limits.maxRowBytes);
    if (!got)
      headerProblem = "no header row";
    else if (fault == RowFault::kTooLong)
      headerProblem = "header row longer than " + limit + " bytes";
    else if (fault == RowFault::kUnterminated)
      headerProblem = "unterminated quote in the header";
    else if (headerTooWide)
      headerProblem = "header has more than " + std::to_string(limits.maxColumns) + " columns";
    while (!headerProblem && columns.size() > 1 && columns.back().empty()) {
      columns.pop_back();
      ++unnamedTail;
    }
    std::unordered_set<std::string_view> names;
    for (std::size_t i = 0; i < columns.size() && !headerProblem; ++i) {
      if (columns[i].empty())
        headerProblem = "column " + std::to_string(i + 1) + " of the header has no name";
      else if (!names.insert(columns[i]).second)
        headerProblem = "column " + Quoted(columns[i]) + " appears twice in the header";
    }
    if (headerProblem) finished = true;
  }

  bool NextCsv(TableRow& out) {
    ReadHeader();
    if (finished) return false;
    row = &out;
    for (;;) {
      if (!CsvReadRow()) {
        finished = true;
        return false;
      }
      // A spreadsheet exports formatted but empty rows as separators only.
      if (fault == RowFault::kNone && !anyValue) continue;
      out.cells.resize(std::min(fields, columns.size()));
      out.line = rowLine;
      out.problem.reset();
      if (fault == RowFault::kTooLong)
        out.problem = "row longer than " + std::to_string(limits.maxRowBytes) + " bytes";
      else if (fault == RowFault::kUnterminated)
        out.problem = "unterminated quote at the end of the input";
      else if (fields > columns.size() + unnamedTail)
        out.problem = "row has " + std::to_string(fields) + " fields, the header " +
                      std::to_string(columns.size() + unnamedTail);
      else if (tailValue)
        out.problem = "a value in a column the header does not name";
      return true;
    }
  }

  // ---- JSON lines
  struct Line {
    std::string_view text;  // without its "\n"; empty when too long
    bool ended = false;     // "\n" follows the text
    bool tooLong = false;   // more than the row limit
  };

  // As for CSV rows, the limit does not count the line end ("\r\n" or "\n").
  bool TooLong(std::string_view text) const {
    const std::size_t cr = !text.empty() && text.back() == '\r' ? 1 : 0;
    return text.size() - cr > limits.maxRowBytes;
  }

  // The next line, at the front of the unconsumed bytes (the caller consumes
  // it); nullopt at the end of the input. Drops first what is left of a line
  // that was too long.
  std::optional<Line> PeekLine() {
    std::size_t scanned = 0;
    for (;;) {
      const char* begin = buffer.data() + pos;
      const std::size_t available = buffer.size() - pos;
      const void* lf = std::memchr(begin + scanned, '\n', available - scanned);
      if (lf != nullptr) {
        const auto length = static_cast<std::size_t>(static_cast<const char*>(lf) - begin);
        if (skipping) {
          pos += length + 1;
          ++line;
          skipping = false;
          scanned = 0;
          continue;
        }
        if (TooLong({begin, length})) return Line{{}, true, true};
        return Line{{begin, length}, true, false};
      }
      if (skipping) {
        pos = buffer.size();
        if (!Refill()) return std::nullopt;
        scanned = 0;
        continue;
      }
      if (available > limits.maxRowBytes + 1) return Line{{}, false, true};
      scanned = available;
      if (!Refill()) {
        if (available == 0) return std::nullopt;
        const std::string_view last(buffer.data() + pos, available);
        if (TooLong(last)) return Line{{}, false, true};
        return Line{last, false, false};
      }
    }
  }

  bool NextJson(TableRow& out) {
    if (finished) return false;
    for (;;) {
      const std::optional<Line> next = PeekLine();
      if (!next) {
        finished = true;
        return false;
      }
      const std::size_t lineNumber = line;
      if (next->tooLong) {
        skipping = true;  // the next look drops it through its line end
        out.cells.clear();
        out.line = lineNumber;
        out.problem = "line longer than " + std::to_string(limits.maxRowBytes) + " bytes";
        return true;
      }
      std::string_view json = next->text;
      const std::size_t consumed = json.size() + (next->ended ? 1 : 0);
      if (!json.empty() && json.back() == '\r') json.remove_suffix(1);
      const bool blank = std::all_of(json.begin(), json.end(), IsSpace);
      if (!blank) ParseJsonLine(json, out);
      pos += consumed;
      if (next->ended) ++line;
      if (blank) continue;
      out.line = lineNumber;
      return true;
    }
  }

  // Fills the row from one line through the SAX interface; stops at the
  // first fault, leaving the cells read so far.
  class JsonRow {
   public:
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    JsonRow(State& state, TableRow& row) : state_(state), row_(row) {}

    bool null() { return Value({}); }
    bool boolean(bool value) { return Value(value ? "true" : "false"); }
    bool number_integer(number_integer_t value) { return Value(NumberText(value, digits_)); }
    bool number_unsigned(number_unsigned_t value) { return Value(NumberText(value, digits_)); }
    bool number_float(number_float_t value, const string_t&) {
      return Value(NumberText(value, digits_));
    }
    bool string(string_t& value) { return Value(value); }
    bool binary(binary_t&) { return Fail("line is no JSON object"); }
    bool start_object(std::size_t) {
      if (depth_ == 0) {
        depth_ = 1;
        return true;
      }
      return Fail("value of " + Quoted(state_.columns[key_]) + " is an object");
    }
    bool end_object() {
      depth_ = 0;
      return true;
    }
    bool start_array(std::size_t) {
      if (depth_ == 0) return Fail("line is no JSON object");
      return Fail("value of " + Quoted(state_.columns[key_]) + " is an array");
    }
    bool end_array() { return true; }
    bool key(string_t& name) {
      State& s = state_;
      std::size_t index = 0;
      if (next_ < s.columns.size() && s.columns[next_] == name) {
        index = next_;  // the same order as the line before: no lookup
      } else if (const auto known = s.columnIndex.find(name); known != s.columnIndex.end()) {
        index = known->second;
      } else {
        if (s.columns.size() >= s.limits.maxColumns)
          return Fail("more than " + std::to_string(s.limits.maxColumns) + " different keys");
        index = s.columns.size();
        s.columns.push_back(name);
        s.columnIndex.emplace(name, index);
        s.seenOnLine.push_back(0);
      }
      if (s.seenOnLine[index] == s.lineSerial)
        return Fail("key " + Quoted(name) + " appears twice");
      s.seenOnLine[index] = s.lineSerial;
      key_ = index;
      next_ = index + 1;
      return true;
    }
    bool parse_error(std::size_t position, const std::string&, const Json::exception&) {
      return Fail("invalid JSON at byte " + std::to_string(position));
    }

    std::size_t used() const { return used_; }
    std::optional<std::string>& problem() { return problem_; }

   private:
    bool Value(std::string_view text) {
      if (depth_ == 0) return Fail("line is no JSON object");
      SetCell(row_, used_++, state_.columns[key_], text);
      return true;
    }
    bool Fail(std::string problem) {
      problem_ = std::move(problem);
      return false;
    }

    State& state_;
    TableRow& row_;
    std::size_t used_ = 0;
    std::size_t key_ = 0;
    std::size_t next_ = 0;
    int depth_ = 0;
    char digits_[64] = {};
    std::optional<std::string> problem_;
  };

  void ParseJsonLine(std::string_view json, TableRow& out) {
    ++lineSerial;
    JsonRow builder(*this, out);
    Json::sax_parse(json.data(), json.data() + json.size(), &builder, Json::input_format_t::json,
                    true);
    out.cells.resize(builder.used());
    out.problem = std::move(builder.problem());
  }

  // ----
  std::istream& in;
  TableLimits limits;
  TableKind kind = TableKind::kCsv;
  char separator = ',';
  std::vector<std::string> columns;
  // Unnamed columns after the last named one, as a spreadsheet exports
  // columns that were once formatted: dropped from the header, and their
  // fields in the rows must be empty.
  std::size_t unnamedTail = 0;
  std::optional<std::string> headerProblem;
  bool headerRead = false;
  bool finished = false;
  bool readFailed = false;
  bool readFailureReported = false;

  std::string buffer;
  std::size_t pos = 0;
  bool inputEnded = false;
  std::size_t line = 1;  // the line of the next byte
  bool afterCr = false;
  bool skipping = false;  // dropping the rest of a line cut at the row limit

  // CSV: the parser and the row it is reading.
  csv_parser parser{};
  bool csvReady = false;
  bool readingHeader = false;
  bool headerTooWide = false;
  TableRow* row = nullptr;
  std::size_t fields = 0;  // fields of the row so far
  bool anyValue = false;   // a field that is quoted or not empty
  bool tailValue = false;  // such a field in the unnamed tail of the header
  bool rowBegun = false;   // a byte of the row has been fed to the parser
  bool rowEnded = false;
  std::size_t rowBytes = 0;
  std::size_t rowLine = 0;
  RowFault fault = RowFault::kNone;

  // JSON lines: where each key is among the columns, and the line that last
  // held it (to find a key given twice on one line without a search).
  std::unordered_map<std::string, std::size_t> columnIndex;
  std::vector<std::uint64_t> seenOnLine;
  std::uint64_t lineSerial = 0;
};

TableReader::TableReader(std::istream& in, const TableLimits& limits)
    : state_(std::make_unique<State>(in, limits)) {
  try {
    state_->Start();
  } catch (...) {
    state_->finished = true;
    state_->readFailed = true;
  }
}

TableReader::~TableReader() = default;

TableKind TableReader::kind() const {
  return state_->kind;
}
const std::vector<std::string>& TableReader::columns() const {
  return state_->columns;
}
char TableReader::separator() const {
  return state_->separator;
}
const std::optional<std::string>& TableReader::headerProblem() const {
  return state_->headerProblem;
}

void TableReader::ReadHeader() {
  try {
    state_->ReadHeader();
  } catch (...) {
    state_->finished = true;
    state_->readFailed = true;
    if (!state_->headerProblem) state_->headerProblem = "the header could not be read";
  }
}

bool TableReader::InputAtHand() const {
  const State& s = *state_;
  if (s.pos < s.buffer.size()) return true;
  if (s.inputEnded || s.finished) return true;  // Next() answers at once
  try {
    return s.in.rdbuf() != nullptr && s.in.rdbuf()->in_avail() != 0;
  } catch (...) {
    return true;  // Next() meets the fault and reports it
  }
}

bool TableReader::Next(TableRow& row) {
  State& s = *state_;
  try {
    if (s.kind == TableKind::kCsv ? s.NextCsv(row) : s.NextJson(row)) return true;
  } catch (...) {
    // Out of memory, or a stream that throws: the rows after this one are
    // not known, which the caller must hear of rather than a short table.
    s.finished = true;
    s.readFailed = true;
  }
  if (s.readFailed && !s.readFailureReported && !s.headerProblem) {
    s.readFailureReported = true;
    row.cells.clear();
    row.line = s.line;
    row.problem = "the input could not be read to its end";
    return true;
  }
  return false;
}

std::optional<TableRow> TableReader::Next() {
  TableRow row;
  if (!Next(row)) return std::nullopt;
  return row;
}

// ---- writers

namespace {

void AppendQuoted(std::string& out, std::string_view text) {
  out.push_back('"');
  for (;;) {
    const std::size_t quote = text.find('"');
    if (quote == std::string_view::npos) break;
    out.append(text.substr(0, quote + 1));
    out.push_back('"');
    text.remove_prefix(quote + 1);
  }
  out.append(text);
  out.push_back('"');
}

bool NeedsQuotes(std::string_view text, char separator) {
  if (text.empty()) return false;
  if (IsBlank(text.front()) || IsBlank(text.back())) return true;
  return std::any_of(text.begin(), text.end(),
                     [separator](char c) { return c == separator || c == '"' || IsLineEnd(c); });
}

void AppendJsonString(std::string& out, std::string_view text) {
  const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
    return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
  });
  if (plain) {
    out.push_back('"');
    out.append(text);
    out.push_back('"');
  } else {
    out.append(Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace));
  }
}

}  // namespace

void AppendCsvHeader(std::string& out, const std::vector<std::string>& columns, char separator,
                     std::string_view lineEnd) {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::string& name = columns[i];
    if (i > 0) out.push_back(separator);
    // The reader recognises the separator and the kind from the header.
    bool quote = NeedsQuotes(name, separator) || name.find_first_of(",;") != std::string::npos;
    if (i == 0 && !name.empty())
      quote = quote || name.front() == '{' || std::string_view(name).substr(0, 3) == kBom;
    if (quote)
      AppendQuoted(out, name);
    else
      out.append(name);
  }
  out.append(lineEnd);
}

void AppendCsvRow(std::string& out, const std::vector<std::string>& values, char separator,
                  std::string_view lineEnd) {
  const bool allEmpty =
      std::all_of(values.begin(), values.end(), [](const std::string& v) { return v.empty(); });
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out.push_back(separator);
    if (NeedsQuotes(values[i], separator) || (allEmpty && i == 0))
      AppendQuoted(out, values[i]);
    else
      out.append(values[i]);
  }
  out.append(lineEnd);
}

void AppendJsonLine(std::string& out, const std::vector<std::string>& columns,
                    const std::vector<std::string>& values) {
  out.push_back('{');
  const std::size_t n = std::min(columns.size(), values.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0) out.push_back(',');
    AppendJsonString(out, columns[i]);
    out.push_back(':');
    AppendJsonString(out, values[i]);
  }
  out.append("}\n");
}

}  // namespace silvarone
