#include "ui/log_page.h"

#include <gtest/gtest.h>

#include "model_fixture.h"
#include "storage/part_log_fixture.h"
#include "ui/log_entry.h"
#include "ui/log_texts.h"

namespace silvarone {
namespace {

class LogPageTest : public Window {
 protected:
  std::string LogFile() const { return home + "silvarone-log.sqlite"; }
  LogPage MakePage() {
    return LogPage(model, LogFile(), [] {
      return LogContext{{"2026-12-09T07:00:00Z", 60}, "pruef"};
    });
  }
  // `count` records of the model's gear and 40 of another, made by SQLite
  // from one recorded by the program: every 7th measured over balls, every
  // 37th void, one measured value that is no number, a day a hundred records.
  void MakeRecords(int count) {
    {
      LogEntry e = testing::SampleEntry(0);
      e.gear = LogGearOf(model);
      auto log = InspectionLog::Open(LogFile());
      ASSERT_TRUE(log && log->Record(e));
    }
    const std::string copy =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
        std::to_string(count + 39) +
        ") INSERT INTO inspection (recorded_utc, utc_offset_minutes, project_file, "
        "project_name, drawing, m_n, z, alpha_n, beta, x, dimension, measured, nominal, "
        "upper_limit, lower_limit, verdict, back_calculation, x_e, user_name, serial, "
        "void_reason) SELECT printf('2026-12-%02dT07:00:00Z', 1 + i / 100), 60, project_file, "
        "project_name, drawing, m_n, CASE WHEN i > " +
        std::to_string(count - 1) +
        " THEN z + 1 ELSE z END, alpha_n, beta, x, CASE WHEN i % 7 = 0 THEN 'mdk' ELSE 'wk' "
        "END, CASE WHEN i = 100 THEN 'x.y' ELSE printf('15.%03d', 240 + i % 50) END, nominal, "
        "upper_limit, lower_limit, verdict, back_calculation, x_e, user_name, 'S-' || i, "
        "CASE WHEN i % 37 = 0 THEN 'Messuhr' END FROM inspection, n WHERE id = 1";
    ASSERT_EQ(testing::RawSql(LogFile(), copy), "");
  }
};

// Five spans of the spur gear m 2, z 20 over 3 teeth, whose limits the
// page shows as 15.280 and 15.251 (see log_entry_test). By hand:
//   mean = 76.325 / 5 = 15.265; deviations -.010 0 .010 .005 -.005;
//   squares 2.5e-4, / 4 = 0.625e-4, s = 0.0079057
//   Cp  = (15.280 - 15.251) / (6 s) = 0.029 / 0.0474342 = 0.611373
//   Cpk = min(0.015, 0.014) / (3 s) = 0.014 / 0.0237171 = 0.590291
TEST_F(LogPageTest, RecordsSeriesAndFiguresOfTheGear) {
  Start();
  ExternalSpurGear(model);
  LogPage log = MakePage();
  for (const char* measured : {"15.255", "15.265", "15.275", "15.270", "15.260"}) {
    ASSERT_TRUE(log.Record({measured, LogDimension::kSpan, "S"})) << log.problem();
  }
  EXPECT_EQ(log.RecordCount(), 5u);
  EXPECT_EQ(log.RecordAt(0)->measured, "15.260");  // newest first
  EXPECT_EQ(log.series().values.front(), 15.255);  // the chart: oldest first
  const LogStatistics& st = log.statistics();
  EXPECT_EQ(st.count, 5u);
  EXPECT_NEAR(*st.mean, 15.265, 1e-9);
  EXPECT_NEAR(*st.s, 0.0079057, 1e-7);
  EXPECT_NEAR(*st.cp, 0.611373, 1e-5);
  EXPECT_NEAR(*st.cpk, 0.590291, 1e-5);
  EXPECT_EQ(log.outside(), std::vector<bool>(5, false));

  // One above the upper limit 15.280: red on the chart, and in the figures.
  ASSERT_TRUE(log.Record({"15.290", LogDimension::kSpan, "S"}));
  EXPECT_EQ(log.lastRecorded()->verdict, LogVerdict::kAbove);
  EXPECT_EQ(log.outside().back(), true);
  EXPECT_EQ(log.statistics().count, 6u);

  // Voided, it leaves the figures but stays in the table.
  const std::int64_t id = log.RecordAt(0)->id;
  EXPECT_FALSE(log.Void(id, "  "));
  EXPECT_EQ(log.problem(), "Ein Eintrag wird nur mit einem Grund ungültig.");
  ASSERT_TRUE(log.Void(id, "Messuhr nicht genullt"));
  EXPECT_EQ(log.RecordCount(), 6u);
  EXPECT_EQ(log.RecordAt(0)->voidReason, "Messuhr nicht genullt");
  EXPECT_EQ(log.statistics().count, 5u);
  EXPECT_NEAR(*log.statistics().cpk, 0.590291, 1e-5);
  EXPECT_FALSE(log.Void(id, "noch einmal"));
  EXPECT_EQ(log.problem(), "Der Eintrag " + std::to_string(id) + " ist bereits ungültig.");
}

TEST_F(LogPageTest, AnotherGearHasItsOwnRecords) {
  Start();
  ExternalSpurGear(model);
  LogPage log = MakePage();
  ASSERT_TRUE(log.Record({"15.265", LogDimension::kSpan, "S"}));
  ASSERT_TRUE(Enter("Input_z", "21"));
  model.ChangePage(Page::kCalculation);
  log.Refresh();
  EXPECT_EQ(log.RecordCount(), 0u);
  EXPECT_FALSE(log.statistics().mean);
  ASSERT_TRUE(Enter("Input_z", "20"));
  model.ChangePage(Page::kCalculation);
  log.Refresh();
  EXPECT_EQ(log.RecordCount(), 1u);
}

TEST_F(LogPageTest, TheFilterNarrowsTheTableAndRefusesWhatIsNoDate) {
  Start();
  ExternalSpurGear(model);
  LogPage log = MakePage();
  for (const char* serial : {"A-1", "B-1", "A-2"})
    ASSERT_TRUE(log.Record({"15.265", LogDimension::kSpan, serial}));
  ASSERT_TRUE(log.SetFilter({.serialPart = "A-"}));
  EXPECT_EQ(log.RecordCount(), 2u);
  ASSERT_TRUE(log.SetFilter({.fromDate = "2026-12-09", .toDate = "2026-12-09"}));
  EXPECT_EQ(log.RecordCount(), 3u);  // 07:00 UTC is 08:00 local on the 9th
  ASSERT_TRUE(log.SetFilter({.fromDate = "2026-12-10"}));
  EXPECT_EQ(log.RecordCount(), 0u);
  EXPECT_FALSE(log.SetFilter({.toDate = "9.12.2026"}));
  EXPECT_EQ(log.problem(), "9.12.2026 ist kein Datum JJJJ-MM-TT.");
  EXPECT_EQ(log.RecordCount(), 0u);  // the old filter stays
}

TEST_F(LogPageTest, ALogThatIsNoDatabaseRefusesRecordingAndTheCalculationGoesOn) {
  Start();
  ExternalSpurGear(model);
  const std::string bytes = "kein Protokoll\n" + std::string(2000, '*');
  std::ofstream(LogFile(), std::ios::binary) << bytes;
  LogPage log = MakePage();
  EXPECT_FALSE(log.Record({"15.265", LogDimension::kSpan, "S"}));
  EXPECT_EQ(log.problem(), "Das Prüfprotokoll " + LogFile() +
                               " ist keine SQLite-Datenbank; es wird nichts aufgezeichnet.");
  EXPECT_FALSE(log.Record({"15.265", LogDimension::kSpan, "S"}));
  EXPECT_EQ(model.page(), Page::kCalculation);
  std::ifstream in(LogFile(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
}

// The table reads a page of records at a time and the chart its values
// alone; both must show what reading every record whole shows, for every
// filter, across the pages' edges.
TEST_F(LogPageTest, PagesAndTheChartShowWhatTheWholeRecordsShow) {
  Start();
  ExternalSpurGear(model);
  MakeRecords(449);  // 450 of the gear with the first: pages of 200, 200 and 50
  LogPage log = MakePage();
  auto whole = InspectionLog::Open(LogFile());
  ASSERT_TRUE(whole);
  for (const LogPageFilter& filter :
       {LogPageFilter{}, LogPageFilter{.serialPart = "S-1"},
        LogPageFilter{.fromDate = "2026-12-02", .toDate = "2026-12-04"}}) {
    ASSERT_TRUE(log.SetFilter(filter)) << log.problem();
    LogFilter same{.gear = LogGearOf(model), .serialPart = filter.serialPart};
    if (!filter.fromDate.empty()) same.fromDate = filter.fromDate;
    if (!filter.toDate.empty()) same.toDate = filter.toDate;
    const auto all = whole->Query(same);
    ASSERT_TRUE(all);
    ASSERT_GT(all->size(), 10u) << filter.serialPart;
    ASSERT_EQ(log.RecordCount(), all->size());
    for (std::size_t row = 0; row < all->size(); ++row) {
      const LogEntry* shown = log.RecordAt(row);
      ASSERT_NE(shown, nullptr) << row;
      ASSERT_EQ(*shown, (*all)[row]) << row;
    }
    EXPECT_EQ(log.RecordAt(all->size()), nullptr);
    EXPECT_EQ(log.ShownRecords(), *all);
    const LogSeries series = SeriesOf(*all);
    EXPECT_EQ(log.series().dimension, series.dimension);
    EXPECT_EQ(log.series().values, series.values);
    EXPECT_EQ(log.series().upper, series.upper);
    EXPECT_EQ(log.series().lower, series.lower);
    EXPECT_EQ(log.series().nominal, series.nominal);
  }
}

// The whole file's structure is checked beside the window: a damaged page
// the next record would never touch still refuses it, and the file stays.
TEST_F(LogPageTest, ADamagedPageAnywhereRefusesRecording) {
  Start();
  ExternalSpurGear(model);
  MakeRecords(2000);
  const auto pages = std::filesystem::file_size(LogFile()) / 4096;
  ASSERT_GT(pages, 20u);
  std::string bytes;
  {
    std::ifstream in(LogFile(), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  // A page in the middle of the records, far from the last one.
  std::fill(bytes.begin() + static_cast<long>(pages / 2 * 4096),
            bytes.begin() + static_cast<long>((pages / 2 + 1) * 4096), '\x55');
  std::ofstream(LogFile(), std::ios::binary | std::ios::trunc) << bytes;
  LogPage log = MakePage();
  EXPECT_FALSE(log.Record({"15.265", LogDimension::kSpan, "S"}));
  EXPECT_EQ(log.problem(), LogFailureText(LogFailure::kCorrupt, LogFile(), kGerman));
  std::ifstream in(LogFile(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
}

}  // namespace
}  // namespace silvarone
