// The CSV of the inspection log's records, read back by a strict RFC 4180
// reader written from the RFC alone.
#include "storage/log_export.h"

#include <gtest/gtest.h>

#include "part_log_fixture.h"
#include "rfc4180.h"

namespace silvarone {
namespace {

// The column of that name in a record read back.
std::string Cell(const testing::CsvRecords& records, std::size_t row, const std::string& name) {
  for (std::size_t c = 0; c < records[0].size(); ++c)
    if (records[0][c] == name) return records[row].at(c);
  return "<no column " + name + ">";
}

TEST(LogCsv, RecordsReadBackByTheRfcWithTheirTextsWhole) {
  std::vector<LogEntry> entries = {testing::SampleEntry(1), testing::SampleEntry(2),
                                   testing::SampleEntry(3)};
  entries[0].id = 3;
  entries[0].serial = "Welle \"7\", Süd";
  entries[1].id = 2;
  entries[1].serial = "Kiste 4\r\nFach 2";  // typed into a field with its line end
  entries[1].voidReason = "Messuhr, nicht genullt";
  entries[1].voidedUtc = "2026-12-09T08:00:00Z";
  entries[2].id = 1;
  entries[2].serial = " blank around ";
  const std::string csv = LogCsv(entries);

  const auto records = testing::ReadRfc4180(csv);
  ASSERT_TRUE(records) << csv;
  ASSERT_EQ(records->size(), 4u);  // one header row, one row per record
  for (const auto& record : *records)
    EXPECT_EQ(record.size(), LogExportColumns().size());
  EXPECT_EQ((*records)[0].front(), "id");
  EXPECT_EQ(Cell(*records, 1, "serial"), "Welle \"7\", Süd");
  EXPECT_EQ(Cell(*records, 2, "serial"), "Kiste 4\r\nFach 2");
  EXPECT_EQ(Cell(*records, 3, "serial"), " blank around ");
  EXPECT_EQ(Cell(*records, 2, "void_reason"), "Messuhr, nicht genullt");
  EXPECT_EQ(Cell(*records, 1, "void_reason"), "");  // null in JSON, empty here
  // Numbers with a decimal point in their shortest form: the sample gear
  // m_n 2.5, z 31, beta 15, x 0.25; the local offset 60 minutes.
  EXPECT_EQ(Cell(*records, 1, "m_n"), "2.5");
  EXPECT_EQ(Cell(*records, 1, "z"), "31");
  EXPECT_EQ(Cell(*records, 1, "x"), "0.25");
  EXPECT_EQ(Cell(*records, 1, "utc_offset_minutes"), "60");
  EXPECT_EQ(Cell(*records, 1, "measured"), "97.101");
  // The quotes as RFC 4180 writes them: around the field, doubled inside.
  EXPECT_NE(csv.find(",\"Welle \"\"7\"\", Süd\","), std::string::npos) << csv;
}

TEST(LogCsv, WithoutRecordsTheHeaderAlone) {
  const std::string csv = LogCsv({});
  ASSERT_GE(csv.size(), 2u);
  EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
  const auto records = testing::ReadRfc4180(csv);
  ASSERT_TRUE(records);
  EXPECT_EQ(records->size(), 1u);
}

}  // namespace
}  // namespace silvarone
