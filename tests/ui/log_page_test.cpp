#include "ui/log_page.h"

#include <gtest/gtest.h>

#include "model_fixture.h"

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
  EXPECT_EQ(log.records().size(), 5u);
  EXPECT_EQ(log.records().front().measured, "15.260");  // newest first
  EXPECT_EQ(log.series().values.front(), 15.255);       // the chart: oldest first
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
  const std::int64_t id = log.records().front().id;
  EXPECT_FALSE(log.Void(id, "  "));
  EXPECT_EQ(log.problem(), "Ein Eintrag wird nur mit einem Grund ungültig.");
  ASSERT_TRUE(log.Void(id, "Messuhr nicht genullt"));
  EXPECT_EQ(log.records().size(), 6u);
  EXPECT_EQ(log.records().front().voidReason, "Messuhr nicht genullt");
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
  EXPECT_TRUE(log.records().empty());
  EXPECT_FALSE(log.statistics().mean);
  ASSERT_TRUE(Enter("Input_z", "20"));
  model.ChangePage(Page::kCalculation);
  log.Refresh();
  EXPECT_EQ(log.records().size(), 1u);
}

TEST_F(LogPageTest, TheFilterNarrowsTheTableAndRefusesWhatIsNoDate) {
  Start();
  ExternalSpurGear(model);
  LogPage log = MakePage();
  for (const char* serial : {"A-1", "B-1", "A-2"})
    ASSERT_TRUE(log.Record({"15.265", LogDimension::kSpan, serial}));
  ASSERT_TRUE(log.SetFilter({.serialPart = "A-"}));
  EXPECT_EQ(log.records().size(), 2u);
  ASSERT_TRUE(log.SetFilter({.fromDate = "2026-12-09", .toDate = "2026-12-09"}));
  EXPECT_EQ(log.records().size(), 3u);  // 07:00 UTC is 08:00 local on the 9th
  ASSERT_TRUE(log.SetFilter({.fromDate = "2026-12-10"}));
  EXPECT_TRUE(log.records().empty());
  EXPECT_FALSE(log.SetFilter({.toDate = "9.12.2026"}));
  EXPECT_EQ(log.problem(), "9.12.2026 ist kein Datum JJJJ-MM-TT.");
  EXPECT_TRUE(log.records().empty());  // the old filter stays
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

}  // namespace
}  // namespace silvarone
