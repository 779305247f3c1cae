// Gear tables: CSV as spreadsheets and ERP systems write it (RFC 4180), JSON
// lines, rows that are malformed, and the writers. Every table is read twice,
// once whole and once a byte at a time, and must read the same: a file and a
// slow pipe hand the reader its bytes in different pieces.
#include "storage/gear_table.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "row_name.h"

namespace silvarone {
namespace {

using Cells = std::vector<std::pair<std::string, std::string>>;

struct ExpectedRow {
  std::size_t line;
  Cells cells;
  const char* problem = nullptr;  // a fact the problem states, or no problem
};

struct ReadCase {
  const char* name;
  std::string input;
  TableKind kind;
  char separator;
  std::vector<std::string> columns;
  const char* headerProblem;  // a fact it states, or none
  std::vector<ExpectedRow> rows;
  TableLimits limits = {};
};

SILVARONE_PRINT_ROW_NAME(ReadCase)

struct Table {
  TableKind kind;
  char separator;
  std::vector<std::string> columns;
  std::optional<std::string> headerProblem;
  std::vector<TableRow> rows;
};

Table ReadAll(const std::string& input, const TableLimits& limits) {
  std::istringstream in(input);
  TableReader reader(in, limits);
  Table table{reader.kind(), reader.separator(), {}, {}, {}};
  while (auto row = reader.Next())
    table.rows.push_back(std::move(*row));
  table.columns = reader.columns();
  table.headerProblem = reader.headerProblem();
  return table;
}

std::string Describe(const std::optional<std::string>& problem) {
  return problem ? *problem : "(none)";
}

class ReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, ReadsTheRowsWhateverPiecesTheBytesComeIn) {
  const ReadCase& c = GetParam();
  for (const std::size_t chunk : {c.limits.chunkBytes, std::size_t{1}, std::size_t{3}}) {
    TableLimits limits = c.limits;
    limits.chunkBytes = chunk;
    const Table table = ReadAll(c.input, limits);
    SCOPED_TRACE("chunks of " + std::to_string(chunk) + " bytes");
    EXPECT_EQ(table.kind, c.kind);
    EXPECT_EQ(table.separator, c.separator);
    EXPECT_EQ(table.columns, c.columns);
    if (c.headerProblem == nullptr) {
      EXPECT_FALSE(table.headerProblem) << *table.headerProblem;
    } else {
      ASSERT_TRUE(table.headerProblem);
      EXPECT_NE(table.headerProblem->find(c.headerProblem), std::string::npos)
          << *table.headerProblem;
    }
    ASSERT_EQ(table.rows.size(), c.rows.size());
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
      const TableRow& row = table.rows[i];
      const ExpectedRow& expected = c.rows[i];
      SCOPED_TRACE("row " + std::to_string(i + 1));
      EXPECT_EQ(row.line, expected.line);
      EXPECT_EQ(row.cells, expected.cells);
      if (expected.problem == nullptr) {
        EXPECT_FALSE(row.problem) << *row.problem;
      } else {
        EXPECT_NE(Describe(row.problem).find(expected.problem), std::string::npos)
            << Describe(row.problem);
      }
    }
  }
}

TableLimits Limits(std::size_t maxRowBytes, std::size_t maxColumns = 1024) {
  TableLimits limits;
  limits.maxRowBytes = maxRowBytes;
  limits.maxColumns = maxColumns;
  return limits;
}

// Expected cells are read off the input by hand, by the quoting rules of
// RFC 4180 (quotes doubled inside quotes, separators and line ends inside
// quotes belong to the field).
std::vector<ReadCase> CsvCases() {
  const auto csv = TableKind::kCsv;
  return {
      {"CommaAndLf",
       "m_n,z\n2.5,20\n3,-50\n",
       csv,
       ',',
       {"m_n", "z"},
       nullptr,
       {{2, {{"m_n", "2.5"}, {"z", "20"}}}, {3, {{"m_n", "3"}, {"z", "-50"}}}}},
      {"CrlfAndNoLineEndAtTheEnd",
       "m_n,z\r\n2.5,20\r\n3,-50",
       csv,
       ',',
       {"m_n", "z"},
       nullptr,
       {{2, {{"m_n", "2.5"}, {"z", "20"}}}, {3, {{"m_n", "3"}, {"z", "-50"}}}}},
      {"LoneCarriageReturns",
       "m_n,z\r2,20\r3,30\r",
       csv,
       ',',
       {"m_n", "z"},
       nullptr,
       {{2, {{"m_n", "2"}, {"z", "20"}}}, {3, {{"m_n", "3"}, {"z", "30"}}}}},
      // Lines: 1 the header (CR), 2 (LF), 3 (CRLF), 4.
      {"MixedLineEnds",
       "m_n,z\r2,20\n3,30\r\n4,40\n",
       csv,
       ',',
       {"m_n", "z"},
       nullptr,
       {{2, {{"m_n", "2"}, {"z", "20"}}},
        {3, {{"m_n", "3"}, {"z", "30"}}},
        {4, {{"m_n", "4"}, {"z", "40"}}}}},
      {"ByteOrderMarkDropped",
       "\xEF\xBB\xBFm_n,z\n2,20\n",
       csv,
       ',',
       {"m_n", "z"},
       nullptr,
       {{2, {{"m_n", "2"}, {"z", "20"}}}}},
      // Lines: 1 id,m_n  2 "a,b"  3 "say ""hi"""  4-5 "two lines"  6 "".
      {"QuotedSeparatorsQuotesAndLineEnds",
       "id,m_n\n\"a,b\",2\n\"say \"\"hi\"\"\",3\n\"two\r\nlines\",4\n\"\",5\n",
       csv,
       ',',
       {"id", "m_n"},
       nullptr,
       {{2, {{"id", "a,b"}, {"m_n", "2"}}},
        {3, {{"id", "say \"hi\""}, {"m_n", "3"}}},
        {4, {{"id", "two\r\nlines"}, {"m_n", "4"}}},
        {6, {{"id", ""}, {"m_n", "5"}}}}},
      // Lines: 1 and 2 empty, 3 the header, 4 empty, 5 blanks, 6 a row,
      // 7 empty, 8 a row.
      {"BlankLinesSkipped",
       "\n\nm_n,z\n\n  \n2,20\r\n\r\n3,30\n",
       csv,
       ',',
       {"m_n", "z"},
       nullptr,
       {{6, {{"m_n", "2"}, {"z", "20"}}}, {8, {{"m_n", "3"}, {"z", "30"}}}}},
      {"UnquotedFieldsTrimmedQuotedKept",
       "id , m_n\n  a b  ,\" 2 \"\n\t7\t,\t8\n",
       csv,
       ',',
       {"id", "m_n"},
       nullptr,
       {{2, {{"id", "a b"}, {"m_n", " 2 "}}}, {3, {{"id", "7"}, {"m_n", "8"}}}}},
      // A spreadsheet in a German locale: BOM, ';', CRLF, decimal commas,
      // quoted text, and a formatted but empty row at the end.
      {"SpreadsheetExport",
       "\xEF\xBB\xBFid;m_n;z;beta;x\r\n\"Rad 1\";2,5;20;0;0,1\r\n"
       "\"Ritzel; gross\";3;-50;12,5;-0,2\r\n;;;;\r\n",
       csv,
       ';',
       {"id", "m_n", "z", "beta", "x"},
       nullptr,
       {{2, {{"id", "Rad 1"}, {"m_n", "2,5"}, {"z", "20"}, {"beta", "0"}, {"x", "0,1"}}},
        {3,
         {{"id", "Ritzel; gross"}, {"m_n", "3"}, {"z", "-50"}, {"beta", "12,5"}, {"x", "-0,2"}}}}},
      {"CommaAndSemicolonInTheHeaderMeanComma",
       "id,m_n;z\n1,2;3\n",
       csv,
       ',',
       {"id", "m_n;z"},
       nullptr,
       {{2, {{"id", "1"}, {"m_n;z", "2;3"}}}}},
      {"SemicolonOnlyInsideQuotesMeansComma",
       "\"m_n;z\"\n2\n",
       csv,
       ',',
       {"m_n;z"},
       nullptr,
       {{2, {{"m_n;z", "2"}}}}},
      {"CommaOnlyInsideQuotesMeansSemicolon",
       "\"a,b\";c\n1;2\n",
       csv,
       ';',
       {"a,b", "c"},
       nullptr,
       {{2, {{"a,b", "1"}, {"c", "2"}}}}},
      {"FewerFieldsLeaveCellsOut",
       "m_n,z,beta\n2,20\n3\n",
       csv,
       ',',
       {"m_n", "z", "beta"},
       nullptr,
       {{2, {{"m_n", "2"}, {"z", "20"}}}, {3, {{"m_n", "3"}}}}},
      {"MoreFieldsThanTheHeader",
       "a,b,c,d,e,f\n1,2,3,4,5,6,7\n8,9\n",
       csv,
       ',',
       {"a", "b", "c", "d", "e", "f"},
       nullptr,
       {{2,
         {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}, {"f", "6"}},
         "row has 7 fields, the header 6"},
        {3, {{"a", "8"}, {"b", "9"}}}}},
      // A spreadsheet saves the columns once formatted: ";;" after the
      // names and after every row. A value there cannot be placed.
      {"UnnamedColumnsAtTheEndAreLeftOut",
       "m_n;z;;\r\n2;20;;\r\n3;30\r\n4;40;;x\r\n5;50;;;\r\n",
       csv,
       ';',
       {"m_n", "z"},
       nullptr,
       {{2, {{"m_n", "2"}, {"z", "20"}}},
        {3, {{"m_n", "3"}, {"z", "30"}}},
        {4, {{"m_n", "4"}, {"z", "40"}}, "a value in a column the header does not name"},
        {5, {{"m_n", "5"}, {"z", "50"}}, "row has 5 fields, the header 4"}}},
      {"UnnamedColumnBetweenNamedOnes",
       "m_n,,z\n2,,20\n",
       csv,
       ',',
       {"m_n", "", "z"},
       "column 2 of the header has no name",
       {}},
      {"UnterminatedQuoteAtTheEnd",
       "m_n,z\n2,20\n3,\"30\n4,40\n",
       csv,
       ',',
       {"m_n", "z"},
       nullptr,
       {{2, {{"m_n", "2"}, {"z", "20"}}},
        {3, {{"m_n", "3"}, {"z", "30\n4,40\n"}}, "unterminated quote"}}},
      // ";" has two empty unquoted fields: skipped; "";  has a quoted one.
      {"RowsOfEmptyFields",
       "m_n;z\n;\n2;20\n\"\";\n",
       csv,
       ';',
       {"m_n", "z"},
       nullptr,
       {{3, {{"m_n", "2"}, {"z", "20"}}}, {4, {{"m_n", ""}, {"z", ""}}}}},
      // 10 bytes before the line end are allowed; the 11-byte row is cut
      // after "123456,890": its first field is whole, its second is not.
      {"RowLongerThanTheLimit",
       "a,b\n1,2\n123456,890\n123456,8901\n3,4\n",
       csv,
       ',',
       {"a", "b"},
       nullptr,
       {{2, {{"a", "1"}, {"b", "2"}}},
        {3, {{"a", "123456"}, {"b", "890"}}},
        {4, {{"a", "123456"}}, "longer than 10 bytes"},
        {5, {{"a", "3"}, {"b", "4"}}}},
       Limits(10)},
      // The quoted field's line ends count; the cut falls in line 6, whose
      // rest is dropped, and reading goes on at line 7 as a new row.
      {"QuotedLineEndsCountTowardsTheLimit",
       "a,b\n\"1\n2\n3\n4\n5\n6\",x\n7,8\n",
       csv,
       ',',
       {"a", "b"},
       nullptr,
       {{2, {}, "longer than 8 bytes"},
        {7, {{"a", "6\""}, {"b", "x"}}},
        {8, {{"a", "7"}, {"b", "8"}}}},
       Limits(8)},
      // Line ends alone in a quote that never closes: the ninth byte cuts
      // the row, and the field is never handed out (it had grown without
      // bound, one line end at a time).
      {"LineEndsAloneInAQuoteCountTowardsTheLimit",
       "a,b\n\"" + std::string(20, '\n'),
       csv,
       ',',
       {"a", "b"},
       nullptr,
       {{2, {}, "longer than 8 bytes"}},
       Limits(8)},
      {"DuplicateColumn",
       "m_n,z,m_n\n2,20,3\n",
       csv,
       ',',
       {"m_n", "z", "m_n"},
       "\"m_n\" appears twice",
       {}},
      {"ColumnWithoutName", "m_n,,z\n2,3,4\n", csv, ',', {"m_n", "", "z"}, "column 2", {}},
      {"UnterminatedQuoteInTheHeader",
       "m_n,\"z\n2,20\n",
       csv,
       ',',
       {"m_n", "z\n2,20\n"},
       "unterminated quote",
       {}},
      {"EmptyInput", "", csv, ',', {}, "no header row", {}},
      {"OnlyBlankLines", "\xEF\xBB\xBF\r\n  \n\t\n", csv, ',', {}, "no header row", {}},
      {"HeaderOnly", "m_n,z\r\n", csv, ',', {"m_n", "z"}, nullptr, {}},
      {"TooManyColumns",
       "a,b,c,d\n1,2,3,4\n",
       csv,
       ',',
       {"a", "b", "c"},
       "more than 3 columns",
       {},
       Limits(1024, 3)},
      {"HeaderLongerThanTheLimit",
       "abc,defghij\n1,2\n",
       csv,
       ',',
       {"abc"},
       "longer than 8 bytes",
       {},
       Limits(8)},
  };
}

INSTANTIATE_TEST_SUITE_P(Csv, ReadTable, ::testing::ValuesIn(CsvCases()), testing::RowName);

// Numbers become their shortest text that reads back as the same value:
// 2.50 -> 2.5, 2e1 -> 20, -0.0 -> 0, 1e-7 -> 1e-07 (the printf %g form).
std::vector<ReadCase> JsonCases() {
  const auto json = TableKind::kJsonLines;
  return {
      {"ValuesAsTexts",
       "\xEF\xBB\xBF{\"id\":\"Rad 1\",\"m_n\":2.5,\"z\":20,\"beta\":-0.2}\r\n"
       "\n"
       "{\"z\":-50, \"m_n\":3, \"x\":0.1, \"id\":null, \"b_w\":true, \"k\":false}\n"
       "   \n"
       "{\"m_n\":2.50,\"z\":2e1,\"beta\":1e-7,\"x\":-0.0,\"A_sne\":-80,"
       "\"big\":18446744073709551615,\"note\":\"Z\\u00e4hne \\\"a\\\"\"}",
       json,
       ',',
       {"id", "m_n", "z", "beta", "x", "b_w", "k", "A_sne", "big", "note"},
       nullptr,
       {{1, {{"id", "Rad 1"}, {"m_n", "2.5"}, {"z", "20"}, {"beta", "-0.2"}}},
        {3,
         {{"z", "-50"}, {"m_n", "3"}, {"x", "0.1"}, {"id", ""}, {"b_w", "true"}, {"k", "false"}}},
        {5,
         {{"m_n", "2.5"},
          {"z", "20"},
          {"beta", "1e-07"},
          {"x", "0"},
          {"A_sne", "-80"},
          {"big", "18446744073709551615"},
          {"note", "Z\xC3\xA4hne \"a\""}}}}},
      {"LeadingBlankLinesBeforeTheFirstObject",
       "\n  \r\n{\"m_n\":2}\n",
       json,
       ',',
       {"m_n"},
       nullptr,
       {{3, {{"m_n", "2"}}}}},
      {"MalformedLines",
       "{\"m_n\":2,\"z\":[1,2]}\n"
       "{\"m_n\":2,\"z\":{\"a\":1}}\n"
       "[1,2]\n"
       "\"m_n\"\n"
       "{\"m_n\":2,\n"
       "{\"m_n\":2,\"m_n\":3}\n"
       "{\"m_n\":2} {\"z\":3}\n"
       "{}\n"
       "{\"m_n\":\"2,5\"}\n",
       json,
       ',',
       {"m_n", "z"},
       nullptr,
       {{1, {{"m_n", "2"}}, "is an array"},
        {2, {{"m_n", "2"}}, "is an object"},
        {3, {}, "no JSON object"},
        {4, {}, "no JSON object"},
        {5, {{"m_n", "2"}}, "invalid JSON"},
        {6, {{"m_n", "2"}}, "\"m_n\" appears twice"},
        {7, {{"m_n", "2"}}, "invalid JSON"},
        {8, {}},
        {9, {{"m_n", "2,5"}}}}},
      // {"a":"1234"} is 12 bytes: allowed, with or without a CR before its
      // line end; {"a":"12345"} is 13.
      {"LineLongerThanTheLimit",
       "{\"a\":\"1234\"}\r\n{\"a\":\"12345\"}\n{\"a\":\"1\"}\n{\"a\":\"12345\"}",
       json,
       ',',
       {"a"},
       nullptr,
       {{1, {{"a", "1234"}}},
        {2, {}, "longer than 12 bytes"},
        {3, {{"a", "1"}}},
        {4, {}, "longer than 12 bytes"}},
       Limits(12)},
      {"TooManyKeys",
       "{\"a\":1,\"b\":2}\n{\"c\":3}\n{\"b\":4}\n",
       json,
       ',',
       {"a", "b"},
       nullptr,
       {{1, {{"a", "1"}, {"b", "2"}}}, {2, {}, "more than 2 different keys"}, {3, {{"b", "4"}}}},
       Limits(1024, 2)},
  };
}

INSTANTIATE_TEST_SUITE_P(JsonLines, ReadTable, ::testing::ValuesIn(JsonCases()), testing::RowName);

// The program's own limit, at its edge: a row or line of exactly 1 MiB is
// read, one byte more is a problem row, and the rows after it are read.
TEST(GearTableLimit, OneMebibyteRowIsReadOneByteMoreIsAProblem) {
  const std::size_t limit = std::size_t{1} << 20;
  const std::string value(limit - 2, '7');  // "1," + value: exactly the limit
  const Table csv = ReadAll("a,b\n1," + value + "\n1," + value + "7\n2,3\n", {});
  ASSERT_EQ(csv.rows.size(), 3u);
  EXPECT_FALSE(csv.rows[0].problem);
  EXPECT_EQ(csv.rows[0].cells[1].second.size(), limit - 2);
  ASSERT_TRUE(csv.rows[1].problem);
  EXPECT_EQ(csv.rows[2].line, 4u);
  EXPECT_EQ(csv.rows[2].cells, (Cells{{"a", "2"}, {"b", "3"}}));

  const std::string text(limit - 8, 'x');  // {"a":"..."}: 8 bytes besides the text
  const Table json =
      ReadAll("{\"a\":\"" + text + "\"}\n{\"a\":\"" + text + "x\"}\n{\"a\":\"2\"}\n", {});
  ASSERT_EQ(json.rows.size(), 3u);
  EXPECT_FALSE(json.rows[0].problem);
  ASSERT_TRUE(json.rows[1].problem);
  EXPECT_EQ(json.rows[2].cells, (Cells{{"a", "2"}}));
}

// A stream of generated rows that are never all in memory at once, as a
// file of a million gears is not.
class GeneratedTable : public std::streambuf {
 public:
  GeneratedTable(bool json, std::size_t rows) : json_(json), rows_(rows) {}
  std::size_t delivered() const { return next_; }

 protected:
  int_type underflow() override {
    if (next_ > rows_) return traits_type::eof();
    const std::string n = std::to_string(next_);
    if (json_)
      current_ = "{\"id\":\"" + n + "\",\"m_n\":2.5,\"z\":20}\n";
    else
      current_ = next_ == 0 ? "id;m_n;z\r\n" : n + ";2,5;20\r\n";
    ++next_;
    setg(current_.data(), current_.data(), current_.data() + current_.size());
    return traits_type::to_int_type(current_[0]);
  }

 private:
  bool json_;
  std::size_t rows_;
  std::size_t next_ = 0;
  std::string current_;
};

// Rows are handed out as the lines come, not after a chunk has filled up:
// a row is read when the line after it has not arrived yet.
TEST(GearTableStreaming, ARowIsReadBeforeTheNextLineArrives) {
  for (const bool json : {false, true}) {
    GeneratedTable source(json, 5);
    std::istream in(&source);
    TableReader reader(in);
    TableRow row;
    for (std::size_t i = 1; i <= 5; ++i) {
      ASSERT_TRUE(reader.Next(row)) << i;
      // CSV: the header line and i rows; JSON lines: lines 0 to i.
      EXPECT_LE(source.delivered(), i + 1) << (json ? "JSON lines, row " : "CSV, row ") << i;
      EXPECT_EQ(row.cells.front().second, std::to_string(json ? i - 1 : i));
    }
  }
}

// Reading 200,000 rows takes no more heap at the end than after the first
// thousand: nothing is kept per row. (Under AddressSanitizer the heap figures
// are those of its own allocator and the check is weaker.)
TEST(GearTableStreaming, MemoryDoesNotGrowWithTheRows) {
  for (const bool json : {false, true}) {
    const std::size_t rows = 200000;
    GeneratedTable source(json, rows);
    std::istream in(&source);
    TableReader reader(in);
    TableRow row;
    std::size_t read = 0;
    for (; read < 1000; ++read)
      ASSERT_TRUE(reader.Next(row));
    const std::size_t before = mallinfo2().uordblks;
    while (reader.Next(row))
      ++read;
    const std::size_t after = mallinfo2().uordblks;
    EXPECT_EQ(read, json ? rows + 1 : rows);
    EXPECT_LT(after, before + 256 * 1024) << (json ? "JSON lines" : "CSV");
  }
}

// A stream that fails while it is read must not look like a shorter table.
class FailingStream : public std::streambuf {
 protected:
  int_type underflow() override {
    if (served_) throw std::runtime_error("device gone");
    served_ = true;
    setg(text_.data(), text_.data(), text_.data() + text_.size());
    return traits_type::to_int_type(text_[0]);
  }

 private:
  std::string text_ = "m_n,z\n2,20\n3,3";
  bool served_ = false;
};

TEST(GearTableStreaming, AReadFailureEndsWithAProblemRow) {
  FailingStream source;
  std::istream in(&source);
  TableReader reader(in);
  std::vector<TableRow> rows;
  while (auto row = reader.Next())
    rows.push_back(std::move(*row));
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows.front().cells, (Cells{{"m_n", "2"}, {"z", "20"}}));
  ASSERT_TRUE(rows.back().problem);
  EXPECT_NE(rows.back().problem->find("could not be read"), std::string::npos);
}

TEST(GearTableHeader, ReadHeaderGivesTheColumnsBeforeTheFirstRow) {
  std::istringstream in("m_n;z;beta\n2;20;0\n");
  TableReader reader(in);
  EXPECT_TRUE(reader.columns().empty());
  reader.ReadHeader();
  EXPECT_EQ(reader.columns(), (std::vector<std::string>{"m_n", "z", "beta"}));
  EXPECT_FALSE(reader.headerProblem());
  const auto row = reader.Next();
  ASSERT_TRUE(row);
  EXPECT_EQ(row->line, 2u);
  EXPECT_EQ(row->cells.size(), 3u);
  EXPECT_FALSE(reader.Next());
}

// ---- writers. Expected lines follow RFC 4180 by hand: a field is quoted
// when it holds the separator, a quote or a line end, and quotes double.

struct CsvLineCase {
  const char* name;
  std::vector<std::string> values;
  char separator;
  std::string expected;
};

SILVARONE_PRINT_ROW_NAME(CsvLineCase)

class CsvRowLine : public ::testing::TestWithParam<CsvLineCase> {};

TEST_P(CsvRowLine, QuotesOnlyWhatNeedsIt) {
  const CsvLineCase& c = GetParam();
  std::string out = "before\n";
  AppendCsvRow(out, c.values, c.separator);
  EXPECT_EQ(out, "before\n" + c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, CsvRowLine,
    ::testing::Values(CsvLineCase{"Plain", {"2.5", "20", "Rad 1"}, ',', "2.5,20,Rad 1\n"},
                      CsvLineCase{"DecimalCommaBesideSemicolons", {"2,5", "x"}, ';', "2,5;x\n"},
                      CsvLineCase{"DecimalCommaBesideCommas", {"2,5", "x"}, ',', "\"2,5\",x\n"},
                      CsvLineCase{"SemicolonBesideCommas", {"a;b", "c"}, ',', "a;b,c\n"},
                      CsvLineCase{"Quotes", {"say \"hi\""}, ',', "\"say \"\"hi\"\"\"\n"},
                      CsvLineCase{"LineEnds", {"a\r\nb", "c\n"}, ';', "\"a\r\nb\";\"c\n\"\n"},
                      CsvLineCase{
                          "SurroundingBlanks", {" a", "b\t", "c d"}, ',', "\" a\",\"b\t\",c d\n"},
                      CsvLineCase{"SomeFieldsEmpty", {"", "x", ""}, ',', ",x,\n"},
                      CsvLineCase{"EveryFieldEmpty", {"", ""}, ';', "\"\";\n"}),
    testing::RowName);

TEST(CsvHeaderLine, QuotesWhatWouldChangeTheSeparatorOrTheKind) {
  std::string out;
  AppendCsvHeader(out, {"{id", "m_n;z", "a,b", "z"}, ',');
  EXPECT_EQ(out, "\"{id\",\"m_n;z\",\"a,b\",z\n");
  out.clear();
  AppendCsvHeader(out, {"id", "a,b", "z"}, ';');
  EXPECT_EQ(out, "id;\"a,b\";z\n");
}

// JSON strings (RFC 8259): quote and backslash escaped, control characters
// as \n or \u00XX, UTF-8 kept as it is; a byte that is no UTF-8 becomes
// U+FFFD (EF BF BD).
TEST(JsonLineText, EscapesWhatJsonRequiresAndKeepsUtf8) {
  std::string out;
  AppendJsonLine(out, {"id", "m_n", "note", "bad"},
                 {"Z\xC3\xA4hnezahl \"z\"", "2.5", "a\\b\n\x01", "x\xFFy"});
  EXPECT_EQ(out,
            "{\"id\":\"Z\xC3\xA4hnezahl \\\"z\\\"\",\"m_n\":\"2.5\",\"note\":\"a\\\\b\\n\\u0001\","
            "\"bad\":\"x\xEF\xBF\xBDy\"}\n");
  out.clear();
  AppendJsonLine(out, {"m_n", "z"}, {"2"});
  EXPECT_EQ(out, "{\"m_n\":\"2\"}\n");
}

// What the writers write, the reader reads back as it was, in both CSV
// separators and in JSON lines.
TEST(GearTableRoundTrip, WrittenRowsReadBackUnchanged) {
  const std::vector<std::string> columns = {"id", "m_n", "note", "x"};
  const std::vector<std::vector<std::string>> rows = {
      {"Rad 1", "2,5", "say \"hi\"", "-0.2"},
      {" lead", "trail\t", "two\r\nlines", "a;b,c"},
      {"", "", "", ""},
      {"", "3", "", ""},
      {"Z\xC3\xA4hne", "{", "\"", "\\"},
  };
  for (const char separator : {',', ';'}) {
    std::string csv;
    AppendCsvHeader(csv, columns, separator);
    for (const auto& values : rows)
      AppendCsvRow(csv, values, separator);
    const Table table = ReadAll(csv, {});
    EXPECT_EQ(table.separator, separator);
    EXPECT_EQ(table.columns, columns);
    ASSERT_EQ(table.rows.size(), rows.size()) << csv;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      ASSERT_EQ(table.rows[r].cells.size(), columns.size()) << r;
      for (std::size_t i = 0; i < columns.size(); ++i)
        EXPECT_EQ(table.rows[r].cells[i].second, rows[r][i])
            << "row " << r << " separator " << separator;
    }
  }
  std::string json;
  for (const auto& values : rows)
    AppendJsonLine(json, columns, values);
  const Table table = ReadAll(json, {});
  EXPECT_EQ(table.kind, TableKind::kJsonLines);
  ASSERT_EQ(table.rows.size(), rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    Cells expected;
    for (std::size_t i = 0; i < columns.size(); ++i)
      expected.emplace_back(columns[i], rows[r][i]);
    EXPECT_EQ(table.rows[r].cells, expected) << r;
  }
}

}  // namespace
}  // namespace silvarone
