// The log window of a gear with 100,000 records, offscreen: from opening the
// window to its first picture (table, run chart and figures painted); and a
// filter applied to it. The target for the opening is 300 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <filesystem>
#include <memory>
#include <string>

#include "gui/log_window.h"
#include "large_log.h"
#include "silent_presenter.h"
#include "ui/log_entry.h"

namespace {

using namespace silvarone;
namespace fs = std::filesystem;

constexpr int kRecords = 100000;

const std::string& Home() {
  static const std::string home =
      (fs::temp_directory_path() / "silvarone-log-window-bench/").string();
  return home;
}

// The gear of the started window, recorded 100,000 times: the first record
// by the program, the rest copied from it by SQLite in one transaction, with
// values around the nominal one, some outside the limits and every 500th void.
std::string LargeLogOf(const LogGear& gear) {
  fs::remove_all(Home() + "log");
  fs::create_directories(Home() + "log");
  const std::string file = Home() + "log/large.sqlite";
  {
    auto log = InspectionLog::Open(file);
    LogEntry e;
    e.recordedUtc = "2026-12-09T07:00:00Z";
    e.utcOffsetMinutes = 60;
    e.gear = gear;
    e.measured = "28.430";
    e.nominal = "28.430";
    e.upper = "28.446";
    e.lower = "28.407";
    e.xE = "0.0000";
    e.user = "pruef";
    e.serial = "S-0";
    if (log) (void)log->Record(e);
  }
  bench::CopyFirstRecord(file, kRecords, "printf('28.%03d', 400 + i % 50)",
                         "UPDATE inspection SET void_reason = 'bench' WHERE id % 500 = 0");
  return file;
}

struct StartedModel {
  StartedModel() {
    model.Start({.settingsDirectory = Home(),
                 .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
                 .checkPdfViewer = false});
  }
  Silent presenter;
  WindowModel model{presenter};
};

void BM_OpenLogWindowOf100000Records(benchmark::State& state) {
  StartedModel started;
  const std::string path = LargeLogOf(LogGearOf(started.model));
  for (auto _ : state) {
    auto window = std::make_unique<gui::LogWindow>(started.model, path);
    window->show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window->grab());
    if (window->page().statistics().count + kRecords / 500 != kRecords) {
      state.SkipWithError("not every record shown");
    }
    // Closing waits for the check of the file's structure: not part of the opening.
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenLogWindowOf100000Records)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FilterLogWindowOf100000Records(benchmark::State& state) {
  StartedModel started;
  const std::string path = LargeLogOf(LogGearOf(started.model));
  gui::LogWindow window(started.model, path);
  window.show();
  QApplication::processEvents();
  bool all = false;
  for (auto _ : state) {
    // Alternately every record and the serials holding "99".
    window.findChild<QLineEdit*>("SerialPartEdit")->setText(all ? "" : "99");
    window.ApplyFilter();
    benchmark::DoNotOptimize(window.grab());
    all = !all;
  }
}
BENCHMARK(BM_FilterLogWindowOf100000Records)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
