// The inspection log: recording one value, commit on the disk included, must
// answer within 20 ms; reading a gear of 100,000 records whole (the export)
// and the figures of its values. The window's opening of such a gear, which
// reads only what it shows, is timed in log_window_bench.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "large_log.h"
#include "storage/part_log.h"
#include "ui/log_statistics.h"

namespace {

using namespace silvarone;
namespace fs = std::filesystem;

constexpr int kRecords = 100000;

LogEntry Entry(int number) {
  LogEntry e;
  e.recordedUtc = "2026-12-09T07:00:00Z";
  e.utcOffsetMinutes = 60;
  e.projectFile = "/home/pruef/Silvarone/projects/welle.tvp";
  e.projectName = "Welle 3";
  e.gear = {"ZR-4711", 2.5, 31, 20, 15, 0.25};
  e.measured = "97.1" + std::to_string(10 + number % 40);
  e.nominal = "97.120";
  e.upper = "97.150";
  e.lower = "97.090";
  e.xE = "0.2400";
  e.user = "pruef";
  e.serial = "S-" + std::to_string(number);
  return e;
}

// A folder of the benchmark's own, removed at the end.
class Folder {
 public:
  Folder() {
    std::random_device seed;
    path_ = fs::temp_directory_path() / ("silvarone-bench-" + std::to_string(seed()));
    fs::create_directories(path_);
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

// A log of 100,000 records of one gear, made once.
const std::string& LargeLog() {
  static Folder folder;
  static const std::string path = [] {
    const std::string file = folder.File("large.sqlite");
    {
      auto log = InspectionLog::Open(file);
      if (log) (void)log->Record(Entry(0));
    }
    bench::CopyFirstRecord(file, kRecords, "printf('97.%03d', 90 + i % 60)");
    return file;
  }();
  return path;
}

void RecordOne(benchmark::State& state) {
  Folder folder;
  auto log = InspectionLog::Open(folder.File("log.sqlite"));
  if (!log) {
    state.SkipWithError(LogFailureName(log.problem()));
    return;
  }
  int number = 0;
  for (auto _ : state) {
    auto id = log->Record(Entry(number++));
    if (!id) state.SkipWithError(LogFailureName(id.problem()));
  }
}
BENCHMARK(RecordOne)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// Opening as the command line does for each record, structure check included.
void OpenLargeLog(benchmark::State& state) {
  const std::string& path = LargeLog();
  for (auto _ : state) {
    auto log = InspectionLog::Open(path);
    if (!log) state.SkipWithError(LogFailureName(log.problem()));
  }
}
BENCHMARK(OpenLargeLog)->Unit(benchmark::kMillisecond)->UseRealTime();

void QueryGearOfLargeLog(benchmark::State& state) {
  auto log = InspectionLog::Open(LargeLog());
  if (!log) {
    state.SkipWithError(LogFailureName(log.problem()));
    return;
  }
  const LogFilter filter{.gear = Entry(0).gear};
  for (auto _ : state) {
    auto entries = log->Query(filter);
    if (!entries || entries->size() != kRecords) state.SkipWithError("not every record found");
    benchmark::DoNotOptimize(entries);
  }
}
BENCHMARK(QueryGearOfLargeLog)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the log page computes once the records are read.
void SeriesAndFiguresOfLargeLog(benchmark::State& state) {
  auto log = InspectionLog::Open(LargeLog());
  std::vector<LogEntry> entries;
  if (log) {
    if (auto all = log->Query({})) entries = std::move(*all);
  }
  if (entries.size() != kRecords) state.SkipWithError("not every record found");
  for (auto _ : state) {
    const LogSeries series = SeriesOf(entries);
    const LogStatistics figures = StatisticsOf(series.values, series.lower, series.upper);
    benchmark::DoNotOptimize(figures);
  }
}
BENCHMARK(SeriesAndFiguresOfLargeLog)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
