// The inspection log on its way out: the report's page of the gear's
// records with the figures the log window shows, the chart's data, and the
// CSV export of the shown records.
#include "ui/log_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model_fixture.h"
#include "storage/log_export.h"
#include "ui/log_page.h"
#include "ui/log_window.h"

namespace silvarone {
namespace {

using Lines = std::vector<std::string>;

class LogReportTest : public Window {
 protected:
  std::string LogFile() const { return home + kInspectionLogFileName; }
  LogPage MakePage() {
    return LogPage(model, LogFile(), [] {
      return LogContext{{"2026-12-09T07:00:00Z", 60}, "pruef"};
    });
  }
  // The lines the report adds to the report without the log.
  Lines Added(const Lines& lines) {
    const Lines plain = BuildReport(model.ReportData());
    EXPECT_GT(lines.size(), plain.size());
    if (lines.size() <= plain.size()) return {};
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + static_cast<long>(plain.size())), plain);
    return Lines(lines.begin() + static_cast<long>(plain.size()), lines.end());
  }
};

// Without records of the gear, or with a log that cannot be read, the
// report is the one it always was and has no chart.
TEST_F(LogReportTest, WithoutRecordsOfTheGearTheReportIsAsItWas) {
  Start();
  ExternalSpurGear(model);
  const auto unchanged = [&](const char* what) {
    const ReportPages pages = BuildReportPages(model);
    EXPECT_EQ(pages.lines, BuildReport(model.ReportData())) << what;
    EXPECT_FALSE(pages.chart) << what;
  };
  unchanged("no log");
  {
    LogPage log = MakePage();
    ASSERT_TRUE(log.Record({"15.265", LogDimension::kSpan, "S"}));
  }  // closed: its journal is back in the file
  ASSERT_TRUE(Enter("Input_z", "21"));
  model.ChangePage(Page::kCalculation);
  unchanged("records of another gear only");
  std::ofstream(LogFile(), std::ios::binary | std::ios::trunc) << std::string(8192, '#');
  ASSERT_TRUE(Enter("Input_z", "20"));
  model.ChangePage(Page::kCalculation);
  unchanged("a log that is no database");
}

// Five spans of the spur gear m 2, z 20 over 3 teeth against its limits
// 15.280 and 15.251 (the hand calculation of log_page_test):
//   mean = 76.325 / 5 = 15.265, s = sqrt(2.5e-4 / 4) = 0.0079057,
//   Cp = 0.029 / (6 s) = 0.611, Cpk = 0.014 / (3 s) = 0.590;
// a sixth part, 15.300, voided: listed, marked, and not counted.
TEST_F(LogReportTest, TheReportListsTheRecordsWithTheFiguresOfTheWindow) {
  Start();
  ExternalSpurGear(model);
  LogPage log = MakePage();
  for (const char* measured : {"15.255", "15.265", "15.275", "15.270", "15.260", "15.300"})
    ASSERT_TRUE(log.Record({measured, LogDimension::kSpan, "S-1"})) << log.problem();
  ASSERT_TRUE(log.Void(log.RecordAt(0)->id, "Messuhr nicht genullt"));

  const ReportPages pages = BuildReportPages(model);
  const Lines added = Added(pages.lines);
  ASSERT_GE(added.size(), 16u);
  EXPECT_EQ(added[0], kReportPageBreak);
  EXPECT_EQ(added[1], "Prüfprotokoll");
  // Nominal Wk = m cos(alpha) ((k - 0.5) pi + z inv(alpha))
  //            = 2 * 0.9396926 * (7.8539816 + 20 * 0.0149044) = 15.321.
  EXPECT_EQ(added[4],
            "Kennzahlen der gültigen Einträge, Zahnweite Wk: Nennmaß 15.321, oben 15.280, "
            "unten 15.251");
  EXPECT_EQ(added[5],
            "Anzahl 5   Mittelwert 15.2650 mm   s 0.0079 mm   Min 15.2550 mm   Max 15.2750 mm   "
            "Cp 0.61");
  EXPECT_EQ(added[6], "Cpk 0.59   (aus 5 Einträgen)");
  // The window's figures of the same records, by the window's own path.
  EXPECT_EQ(added[5] + "   " + added[6], LogFiguresText(log.statistics(), kGerman));
  // The table, newest first: the void part marked, its reason below it.
  EXPECT_TRUE(added[8].starts_with("   Datum/Zeit")) << added[8];
  EXPECT_TRUE(added[10].starts_with("*  2026-12-09 08:00  S-1")) << added[10];
  EXPECT_NE(added[10].find("Wk   15.300    zu groß"), std::string::npos) << added[10];
  EXPECT_EQ(added[11], "    ungültig, weil: Messuhr nicht genullt");
  EXPECT_NE(added[12].find("15.260    innerhalb"), std::string::npos) << added[12];
  EXPECT_EQ(added.back(), "* ungültig; zählt nicht in den Kennzahlen.");

  // The chart's page: the five valid values, oldest first, none outside.
  ASSERT_TRUE(pages.chart);
  EXPECT_EQ(pages.chart->series.values,
            (std::vector<double>{15.255, 15.265, 15.275, 15.270, 15.260}));
  EXPECT_EQ(pages.chart->outside, std::vector<bool>(5, false));
  EXPECT_EQ(pages.chart->figures, LogFiguresText(log.statistics(), kGerman));
  EXPECT_EQ(pages.chart->title, "Prüfprotokoll: Zahnweite Wk");

  model.SwitchLanguage(kEnglish);
  const Lines english = Added(BuildReportPages(model).lines);
  ASSERT_GE(english.size(), 6u);
  EXPECT_EQ(english[1], "Inspection log");
  EXPECT_TRUE(english[5].starts_with("Count 5   Mean 15.2650 mm   s 0.0079 mm")) << english[5];
}

// A record as the log keeps it: number `n` of a run, measured 15.26 or 15.27.
LogEntry Numbered(int n) {
  LogEntry e;
  e.id = n;
  e.recordedUtc = "2026-12-09T07:00:00Z";
  e.dimension = LogDimension::kSpan;
  e.measured = n % 2 == 0 ? "15.260" : "15.270";
  e.nominal = "15.280";
  e.upper = "15.280";
  e.lower = "15.251";
  e.serial = "S-" + std::to_string(n);
  return e;
}

// 103 records: the newest 100 listed, a line for the 3 older ones; the
// figures count all 103.
TEST(LogReport, TheNewestHundredAndALineForTheRest) {
  std::vector<LogEntry> newestFirst;
  for (int n = 103; n >= 1; --n)
    newestFirst.push_back(Numbered(n));
  const auto report = LogReportOf(newestFirst, kGerman);
  ASSERT_TRUE(report);
  ASSERT_EQ(report->page.rows.size(), kReportLogRecords);
  EXPECT_EQ(report->page.rows.front().cells[2], "S-103");
  EXPECT_EQ(report->page.rows.back().cells[2], "S-4");
  EXPECT_EQ(report->page.more, "3 ältere Einträge stehen nur im Prüfprotokoll selbst.");
  EXPECT_EQ(report->page.figures.front(), "Anzahl 103");
  ASSERT_TRUE(report->chart);
  EXPECT_EQ(report->chart->series.values.size(), 103u);

  newestFirst.resize(100);
  EXPECT_EQ(LogReportOf(newestFirst, kEnglish)->page.more, "");
  EXPECT_FALSE(LogReportOf(std::vector<LogEntry>{}, kGerman));
}

// A serial keeps the table's lines: a line end becomes a blank, and one
// longer than 24 characters is cut to 23 and "…".
TEST(LogReport, SerialsStayOnTheirLine) {
  LogEntry e = Numbered(1);
  e.serial = "Los 7\nKiste 12 Fach 3 Reihe 8 links";
  EXPECT_EQ(LogReportOf(std::vector<LogEntry>{e}, kGerman)->page.rows[0].cells[2],
            "Los 7 Kiste 12 Fach 3 R…");
  e.serial = "Prüfling äöü ÄÖÜ ß €€€€€";  // 24 characters, more bytes
  EXPECT_EQ(LogReportOf(std::vector<LogEntry>{e}, kGerman)->page.rows[0].cells[2], e.serial);
  // All void: listed, but no figures to chart.
  e.voidReason = "falsches Teil";
  const auto report = LogReportOf(std::vector<LogEntry>{e}, kEnglish);
  EXPECT_FALSE(report->chart);
  EXPECT_EQ(report->page.rows[0].voidLine, "void: falsches Teil");
  EXPECT_EQ(report->page.figures.front(), "Count 0");
}

// "CSV exportieren…": the file chosen gets the records' CSV; a file that
// cannot be written is told; a cancelled dialog writes nothing.
TEST_F(LogReportTest, ExportWritesTheCsvOrSaysWhyNot) {
  Start();
  ExternalSpurGear(model);
  LogPage log = MakePage();
  ASSERT_TRUE(log.Record({"15.265", LogDimension::kSpan, "Welle \"7\", Süd"}));
  presenter.files.push_back(folder_.string() + "/pruefung");
  EXPECT_TRUE(ExportLogCsv(model, log.ShownRecords()));
  EXPECT_EQ(presenter.dialogs.back().purpose, FileDialogPurpose::kSaveLogCsv);
  EXPECT_TRUE(presenter.dialogs.back().presetName.ends_with(".csv"));
  EXPECT_EQ(Read("pruefung.csv"), LogCsv(log.ShownRecords()));  // ".csv" added

  const std::string missing = folder_.string() + "/missing/log.csv";
  presenter.files.push_back(missing);
  EXPECT_FALSE(ExportLogCsv(model, log.ShownRecords()));
  EXPECT_EQ(presenter.TakeTexts(),
            Lines{"Die CSV-Datei " + missing + " kann nicht geschrieben werden."});

  presenter.files.push_back(std::nullopt);
  EXPECT_FALSE(ExportLogCsv(model, log.ShownRecords()));
  EXPECT_TRUE(presenter.TakeTexts().empty());
}

}  // namespace
}  // namespace silvarone
