#include "storage/part_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>

#include "part_log_fixture.h"
#include "row_name.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;
using testing::InChildWithoutRootRights;
using testing::RawSql;
using testing::SampleEntry;
using testing::SampleGear;

class Log : public testing::TempFolder {
 protected:
  std::string DatabasePath() const { return Path("log.sqlite"); }

  InspectionLog OpenLog(const LogOpenOptions& options = {}) {
    auto log = InspectionLog::Open(DatabasePath(), options);
    if (!log) ADD_FAILURE() << LogFailureName(log.problem());
    return std::move(*log);
  }

  // A closed database of three records (every change in the main file).
  std::vector<LogEntry> MakeThreeRecords() {
    InspectionLog log = OpenLog();
    for (int i = 0; i < 3; ++i)
      EXPECT_TRUE(log.Record(SampleEntry(i)));
    return All(log);
  }

  static std::vector<LogEntry> All(const InspectionLog& log) {
    auto entries = log.Query({});
    return entries ? *entries : std::vector<LogEntry>{};
  }

  // The records as a fresh connection reads them now.
  std::vector<LogEntry> Reread() {
    auto log = InspectionLog::Open(DatabasePath());
    return log ? All(*log) : std::vector<LogEntry>{};
  }

  LogFailure OpenFailure(const LogOpenOptions& options = {}) {
    auto log = InspectionLog::Open(DatabasePath(), options);
    return log ? LogFailure::kNone : log.problem();
  }
};

TEST_F(Log, EveryFieldReadsBackAsRecorded) {
  InspectionLog log = OpenLog();
  LogEntry full = SampleEntry(1);
  full.serial = "Zahnrad \"Ä-12\", Größe; €/Nr.\n2";
  full.projectName = "Getriebe \"Süd\"";
  full.dimension = LogDimension::kBallDimension;
  full.verdict = LogVerdict::kBelow;
  full.backCalculation = LogBackCalculation::kFailed;
  full.xE.clear();
  full.gear.z = -57;  // an internal gear
  full.utcOffsetMinutes = -570;
  LogEntry bare = SampleEntry(2);
  bare.serial.clear();
  bare.projectFile.clear();
  bare.dimension = LogDimension::kSpan;
  bare.verdict = LogVerdict::kAbove;
  bare.backCalculation = LogBackCalculation::kNotRun;
  auto first = log.Record(full);
  auto second = log.Record(bare);
  ASSERT_TRUE(first && second);
  EXPECT_LT(*first, *second);
  full.id = *first;
  bare.id = *second;
  const std::vector<LogEntry> expected = {bare, full};  // newest first
  EXPECT_EQ(All(log), expected);
  EXPECT_EQ(Reread(), expected);
}

TEST_F(Log, AnEmptyFileBecomesALogOfTheCurrentSchema) {
  Write("log.sqlite", "");
  InspectionLog log = OpenLog();
  EXPECT_TRUE(log.Record(SampleEntry(1)));
  EXPECT_EQ(RawSql(DatabasePath(), "SELECT version FROM schema_version"),
            std::to_string(kInspectionLogSchema));
  EXPECT_EQ(RawSql(DatabasePath(), "PRAGMA journal_mode"), "wal");
}

TEST_F(Log, ALogOfALaterSchemaIsRefusedAndLeftAlone) {
  const std::vector<LogEntry> before = MakeThreeRecords();
  ASSERT_EQ(RawSql(DatabasePath(), "UPDATE schema_version SET version = 2"), "");
  const std::string bytes = Read("log.sqlite");
  EXPECT_EQ(OpenFailure(), LogFailure::kFutureSchema);
  EXPECT_EQ(OpenFailure({.readOnly = true}), LogFailure::kFutureSchema);
  EXPECT_EQ(Read("log.sqlite"), bytes);
}

TEST_F(Log, RecordsAreNeverDeletedAndVoidedOnlyOnce) {
  InspectionLog log = OpenLog();
  const auto id = log.Record(SampleEntry(1));
  ASSERT_TRUE(id);
  EXPECT_EQ(log.Void(*id, "Messuhr nicht genullt", "2026-12-09T08:00:00Z"), LogFailure::kNone);
  EXPECT_EQ(log.Void(*id, "zweiter Grund", "2026-12-09T09:00:00Z"), LogFailure::kAlreadyVoid);
  EXPECT_EQ(log.Void(*id + 1, "kein Satz", "2026-12-09T09:00:00Z"), LogFailure::kNoSuchRecord);
  LogEntry expected = SampleEntry(1);
  expected.id = *id;
  expected.voidReason = "Messuhr nicht genullt";
  expected.voidedUtc = "2026-12-09T08:00:00Z";
  EXPECT_EQ(All(log), std::vector<LogEntry>{expected});
  // Not even SQLite itself, past the program, deletes or changes a record.
  EXPECT_TRUE(RawSql(DatabasePath(), "DELETE FROM inspection").starts_with("error:"));
  EXPECT_TRUE(RawSql(DatabasePath(), "UPDATE inspection SET measured = '1'").starts_with("error:"));
  EXPECT_EQ(Reread(), std::vector<LogEntry>{expected});
}

// Five records of two gears on four local days (UTC time + offset):
//   1 gear A 2026-12-08T23:30Z +60   -> 2026-12-09 00:30  serial A-100
//   2 gear A 2026-12-09T10:00Z +60   -> 2026-12-09 11:00  serial B-200
//   3 gear A 2026-12-10T01:00Z -120  -> 2026-12-09 23:00  serial A-101
//   4 gear B 2026-12-10T12:00Z 0     -> 2026-12-10 12:00  serial A-102
//   5 gear A 2026-12-11T00:30Z +60   -> 2026-12-11 01:30  serial (none)
struct FilterRow {
  const char* name;
  bool gearA;
  const char* from;
  const char* to;
  const char* serial;
  std::vector<int> numbers;  // newest first
};
SILVARONE_PRINT_ROW_NAME(FilterRow)

class LogFilters : public Log, public ::testing::WithParamInterface<FilterRow> {};

LogGear OtherGear() {
  LogGear gear = SampleGear();
  gear.x = 0.3;
  return gear;
}

TEST_P(LogFilters, ChooseTheirRecordsNewestFirst) {
  const FilterRow& row = GetParam();
  struct Made {
    const char* utc;
    int offset;
    const char* serial;
    bool gearA;
    const char* localTime;  // UTC + offset, across midnight both ways
  };
  const Made made[] = {{"2026-12-08T23:30:00Z", 60, "A-100", true, "2026-12-09 00:30"},
                       {"2026-12-09T10:00:00Z", 60, "B-200", true, "2026-12-09 11:00"},
                       {"2026-12-10T01:00:00Z", -120, "A-101", true, "2026-12-09 23:00"},
                       {"2026-12-10T12:00:00Z", 0, "A-102", false, "2026-12-10 12:00"},
                       {"2026-12-11T00:30:00Z", 60, "", true, "2026-12-11 01:30"}};
  InspectionLog log = OpenLog();
  std::vector<std::int64_t> ids;
  for (const Made& m : made) {
    LogEntry e = SampleEntry(1);
    e.recordedUtc = m.utc;
    e.utcOffsetMinutes = m.offset;
    e.serial = m.serial;
    e.gear = m.gearA ? SampleGear() : OtherGear();
    EXPECT_EQ(LogLocalTime(e), m.localTime) << m.utc;
    EXPECT_EQ(LogLocalDate(e), std::string(m.localTime).substr(0, 10)) << m.utc;
    ids.push_back(*log.Record(e));
  }
  LogFilter filter;
  if (row.gearA) filter.gear = SampleGear();
  if (*row.from) filter.fromDate = row.from;
  if (*row.to) filter.toDate = row.to;
  filter.serialPart = row.serial;
  auto found = log.Query(filter);
  ASSERT_TRUE(found);
  std::vector<int> numbers;
  for (const LogEntry& e : *found)
    numbers.push_back(static_cast<int>(std::find(ids.begin(), ids.end(), e.id) - ids.begin()) + 1);
  EXPECT_EQ(numbers, row.numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Log, LogFilters,
    ::testing::Values(FilterRow{"none", false, "", "", "", {5, 4, 3, 2, 1}},
                      FilterRow{"gear", true, "", "", "", {5, 3, 2, 1}},
                      FilterRow{
                          "gear_one_local_day", true, "2026-12-09", "2026-12-09", "", {3, 2, 1}},
                      FilterRow{"from_a_day", false, "2026-12-10", "", "", {5, 4}},
                      FilterRow{"to_a_day_before_all", false, "", "2026-12-08", "", {}},
                      FilterRow{"serial_part", false, "", "", "A-10", {4, 3, 1}},
                      FilterRow{"serial_part_and_gear", true, "", "", "A-10", {3, 1}},
                      FilterRow{"serial_is_case_sensitive", false, "", "", "a-10", {}}),
    testing::RowName);

TEST_F(Log, AFileThatIsNoDatabaseIsRefusedAndLeftAlone) {
  const std::string text = "[Projekt]\nname=Welle\n" + std::string(5000, 'x');
  Write("log.sqlite", text);
  EXPECT_EQ(OpenFailure(), LogFailure::kNotADatabase);
  EXPECT_EQ(OpenFailure({.readOnly = true}), LogFailure::kNotADatabase);
  EXPECT_EQ(Read("log.sqlite"), text);
  // Someone else's SQLite database is no log either.
  fs::remove(DatabasePath());
  ASSERT_EQ(RawSql(DatabasePath(), "CREATE TABLE parts (id INTEGER)"), "");
  EXPECT_EQ(OpenFailure(), LogFailure::kNotADatabase);
}

TEST_F(Log, ADamagedStructureIsCorrupt) {
  {
    InspectionLog log = OpenLog();
    for (int i = 0; i < 150; ++i)
      ASSERT_TRUE(log.Record(SampleEntry(i)));
  }
  // The root page of the records (an interior page of 150 records) overwritten with 0x55.
  const std::size_t root = std::stoul(
      RawSql(DatabasePath(), "SELECT rootpage FROM sqlite_master WHERE name = 'inspection'"));
  std::string bytes = Read("log.sqlite");
  ASSERT_GE(bytes.size(), root * 4096u);
  std::fill(bytes.begin() + static_cast<long>((root - 1) * 4096),
            bytes.begin() + static_cast<long>(root * 4096), '\x55');
  Write("log.sqlite", bytes);
  EXPECT_EQ(OpenFailure({.checkStructure = true}), LogFailure::kCorrupt);
  // Without the check, the query that reads the page finds it.
  auto log = InspectionLog::Open(DatabasePath());
  ASSERT_TRUE(log);
  auto all = log->Query({});
  ASSERT_FALSE(all);
  EXPECT_EQ(all.problem(), LogFailure::kCorrupt);
  EXPECT_EQ(Read("log.sqlite"), bytes);
}

TEST_F(Log, FlippedBytesNeverCrashTheReader) {
  const std::vector<LogEntry> before = MakeThreeRecords();
  const std::string original = Read("log.sqlite");
  std::mt19937 random(20261209);
  for (int trial = 0; trial < 100; ++trial) {
    std::string copy = original;
    for (int flips = 1 + trial % 8; flips > 0; --flips) {
      copy[random() % copy.size()] ^= static_cast<char>(1 + random() % 255);
    }
    Write("copy.sqlite", copy);
    fs::remove(Path("copy.sqlite-wal"));
    fs::remove(Path("copy.sqlite-shm"));
    auto log = InspectionLog::Open(Path("copy.sqlite"),
                                   {.busyTimeoutMs = 0, .checkStructure = trial % 2 == 0});
    if (log) {
      (void)log->Query({});
      (void)log->Record(SampleEntry(9));
    }
  }
  EXPECT_EQ(Read("log.sqlite"), original);
  EXPECT_EQ(Reread(), before);
}

TEST_F(Log, AWriteTransactionOfAnotherProgramLocksItOutInTime) {
  const std::vector<LogEntry> before = MakeThreeRecords();
  InspectionLog holder = OpenLog();
  ASSERT_EQ(RawSql(DatabasePath(), "SELECT 1"), "1");
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(DatabasePath().c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
  auto log = InspectionLog::Open(DatabasePath(), {.busyTimeoutMs = 200});
  ASSERT_TRUE(log);  // reading goes on beside a writer
  const auto started = std::chrono::steady_clock::now();
  auto refused = log->Record(SampleEntry(7));
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.problem(), LogFailure::kLocked);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(150));
  EXPECT_EQ(log->Void(before.front().id, "x", "t"), LogFailure::kLocked);
  EXPECT_EQ(All(*log), before);
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_TRUE(log->Record(SampleEntry(7)));  // free again
}

// As root the test drops the administrator's rights in a child, so that the
// file's mode binds it as it binds an inspector.
TEST_F(Log, AReadOnlyFileRefusesRecordingButCanBeRead) {
  const std::vector<LogEntry> before = MakeThreeRecords();
  const std::string bytes = Read("log.sqlite");
  ASSERT_EQ(::chmod(folder_.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(DatabasePath().c_str(), 0444), 0);
  const int opened = InChildWithoutRootRights([&] { return static_cast<int>(OpenFailure()); });
  EXPECT_EQ(opened, static_cast<int>(LogFailure::kReadOnly));
  const int read = InChildWithoutRootRights([&] {
    auto log = InspectionLog::Open(DatabasePath(), {.readOnly = true});
    return log && All(*log) == before ? 0 : 1;
  });
  EXPECT_EQ(read, 0);
  EXPECT_EQ(Read("log.sqlite"), bytes);
}

TEST_F(Log, AReadOnlyFolderRefusesRecording) {
  const std::vector<LogEntry> before = MakeThreeRecords();
  ASSERT_EQ(::chmod(DatabasePath().c_str(), 0666), 0);
  ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
  const int opened = InChildWithoutRootRights([&] {
    auto log = InspectionLog::Open(DatabasePath());
    if (!log) return static_cast<int>(log.problem());
    return log->Record(SampleEntry(5)) ? 0 : static_cast<int>(LogFailure::kReadOnly);
  });
  EXPECT_EQ(opened, static_cast<int>(LogFailure::kReadOnly));
  // A new log in a folder that cannot take it.
  const int created = InChildWithoutRootRights(
      [&] { return static_cast<int>(InspectionLog::Open(Path("new.sqlite")).problem()); });
  EXPECT_EQ(created, static_cast<int>(LogFailure::kReadOnly));
  ASSERT_EQ(::chmod(folder_.c_str(), 0755), 0);
  EXPECT_EQ(Reread(), before);
}

TEST_F(Log, AFolderInPlaceOfTheFileCannotBeOpened) {
  fs::create_directory(DatabasePath());
  EXPECT_EQ(OpenFailure(), LogFailure::kCannotOpen);
  EXPECT_EQ(OpenFailure({.readOnly = true}), LogFailure::kCannotOpen);
}

TEST_F(Log, TwoProgramsRecordingAtOnceBothSucceed) {
  constexpr int kEach = 100;
  std::vector<pid_t> children;
  for (int child = 0; child < 2; ++child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      auto log = InspectionLog::Open(DatabasePath());
      if (!log) ::_exit(10 + static_cast<int>(log.problem()));
      for (int i = 0; i < kEach; ++i) {
        LogEntry e = SampleEntry(i);
        e.serial = std::to_string(child) + "-" + std::to_string(i);
        if (!log->Record(e)) ::_exit(2);
      }
      ::_exit(0);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = -1;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  const std::vector<LogEntry> all = Reread();
  std::set<std::string> serials;
  for (const LogEntry& e : all)
    serials.insert(e.serial);
  EXPECT_EQ(all.size(), 2u * kEach);
  EXPECT_EQ(serials.size(), 2u * kEach);
  EXPECT_EQ(RawSql(DatabasePath(), "PRAGMA integrity_check"), "ok");
}

}  // namespace
}  // namespace silvarone
