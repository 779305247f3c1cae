// The inspection log: one record per measured part, kept in an SQLite
// database ("silvarone-log.sqlite" in the settings folder) that the window
// and the command line share.
//
// Durability: the database runs in WAL mode with synchronous=FULL, so each
// record is one transaction whose commit has reached the disk (the WAL file
// is flushed) before Record returns its id. A part whose Enter was answered
// is therefore kept through a SIGKILL of the program and through a power cut;
// NORMAL would keep it through a crash only. A busy timeout lets two windows,
// or a window and the command line, record at the same moment: the second
// waits for the first commit instead of failing.
//
// A gear's records: the records of one drawing number with the same key
// data (m_n, z, alpha_n, beta, x, compared by value). The project file is not
// part of it: the same gear opened from a copied project, or from the
// settings without a project, is still the same gear; a changed drawing
// number or key datum makes another gear.
//
// Records are never deleted: a record measured wrongly is marked void with a
// reason, and the database itself refuses DELETE and any change to a record
// other than voiding it once.
//
// The file is untrusted: a file that is not SQLite, a damaged one, one of a
// later schema, one locked longer than the busy timeout or one that cannot
// be written gives a LogFailure; nothing is then written, so the records
// already in it stay as they are.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace silvarone {

// The file name of the log in the settings folder.
inline constexpr const char* kInspectionLogFileName = "silvarone-log.sqlite";

// The schema this program writes; older ones are migrated on opening.
inline constexpr int kInspectionLogSchema = 1;

enum class LogFailure {
  kNone,
  kNotADatabase,  // the file is not an SQLite database
  kCorrupt,       // an SQLite database, but damaged
  kLocked,        // another program held it longer than the busy timeout
  kReadOnly,      // the file or its folder cannot be written
  kFutureSchema,  // written by a later version of the program
  kCannotOpen,    // missing folder, a folder or device in its place, no such file to read
  kNoSuchRecord,  // Void: no record of that id
  kAlreadyVoid,   // Void: the record is void already (its first reason stays)
  kError,         // any other failure of the database (full disk, I/O error)
};

// The failure in a few English words, for logs and test output (the window's
// texts live in ui/).
const char* LogFailureName(LogFailure failure);

enum class LogDimension { kTest, kSpan, kBallDimension };  // test dimension Q+D_M, Wk, MdK
enum class LogVerdict { kWithin, kAbove, kBelow };
enum class LogBackCalculation { kNotRun, kSucceeded, kFailed };

// The words the database and the command line use: "test", "wk", "mdk";
// "within", "above", "below"; "none", "succeeded", "failed".
const char* LogDimensionWord(LogDimension dimension);
const char* LogVerdictWord(LogVerdict verdict);
const char* LogBackCalculationWord(LogBackCalculation mark);
std::optional<LogDimension> LogDimensionOfWord(const std::string& word);

// What identifies a gear's records (see above).
struct LogGear {
  std::string drawing{};  // drawing number
  double m_n = 0.0;
  double z = 0.0;
  double alpha_n = 0.0;
  double beta = 0.0;
  double x = 0.0;
  bool operator==(const LogGear&) const = default;
};

// One record. Lengths and the profile shift are texts as the window shows
// them ('.' as decimal point), so the record keeps what the inspector saw.
struct LogEntry {
  std::int64_t id = 0;       // given by the database
  std::string recordedUtc;   // "2026-12-09T07:03:44Z"
  int utcOffsetMinutes = 0;  // local time = UTC + offset at that moment
  std::string projectFile;   // empty without a project
  std::string projectName;
  LogGear gear;
  LogDimension dimension = LogDimension::kTest;
  std::string measured;  // mm
  std::string nominal;   // mm
  std::string upper;     // upper limit, mm
  std::string lower;     // lower limit, mm
  LogVerdict verdict = LogVerdict::kWithin;
  LogBackCalculation backCalculation = LogBackCalculation::kNotRun;
  std::string xE;      // back-calculated profile shift; empty unless it succeeded
  std::string user;    // login name
  std::string serial;  // may be empty
  std::optional<std::string> voidReason;
  std::string voidedUtc;  // when it was voided; empty while valid
  bool operator==(const LogEntry&) const = default;
};

struct LogFilter {
  std::optional<LogGear> gear{};          // nothing: every gear
  std::optional<std::string> fromDate{};  // "YYYY-MM-DD", local date of the record, inclusive
  std::optional<std::string> toDate{};    // inclusive
  std::string serialPart{};               // the serial holds this (case-sensitive); empty: any
};

// What the run chart of a gear rests on, without reading every record
// whole: the dimension and the nominal value and limits of the newest valid
// record, and the measured texts of the valid records of that dimension,
// oldest first.
struct LogSeriesTexts {
  std::optional<LogDimension> dimension{};  // nothing without a valid record
  std::string nominal{};
  std::string upper{};
  std::string lower{};
  std::vector<std::string> measured{};
};

struct LogOpenOptions {
  int busyTimeoutMs = 5000;
  // Reading only (export): no file is created, nothing is migrated, and a
  // database the user may only read can still be read.
  bool readOnly = false;
  // Check the whole file's structure on opening (PRAGMA quick_check): a
  // damaged page anywhere is found at once. Without it SQLite still finds
  // the damage on the pages a query or a record touches; the check reads
  // the whole file (about 0.2 s for 100,000 records), so the window makes
  // it once when it opens the log, the command line not for each record.
  bool checkStructure = false;
};

class InspectionLog {
 public:
  // Opens (or, unless read-only, creates) the database at `path`, switches
  // it to WAL and brings its schema up to date.
  static Result<InspectionLog, LogFailure> Open(const std::string& path,
                                                const LogOpenOptions& options = {});

  InspectionLog(InspectionLog&&) noexcept;
  InspectionLog& operator=(InspectionLog&&) noexcept;
  ~InspectionLog();

  // Adds the record in one transaction; its id once the commit is on the
  // disk. The entry's id and void fields are ignored.
  Result<std::int64_t, LogFailure> Record(const LogEntry& entry);
  // The records the filter lets through, newest first, void ones included.
  Result<std::vector<LogEntry>, LogFailure> Query(const LogFilter& filter) const;
  // The ids of the records the filter lets through, newest first: a window
  // shows a hundred thousand records by reading only those it shows.
  Result<std::vector<std::int64_t>, LogFailure> QueryIds(const LogFilter& filter) const;
  // The records the filter lets through with ids from `oldest` to `newest`,
  // newest first.
  Result<std::vector<LogEntry>, LogFailure> QueryRange(const LogFilter& filter, std::int64_t newest,
                                                       std::int64_t oldest) const;
  // The run chart's texts of the records the filter lets through.
  Result<LogSeriesTexts, LogFailure> QuerySeries(const LogFilter& filter) const;
  // Marks the record void with the reason and the time; never deletes.
  LogFailure Void(std::int64_t id, const std::string& reason, const std::string& voidedUtc);

 private:
  struct Connection;
  explicit InspectionLog(std::unique_ptr<Connection> connection);
  std::unique_ptr<Connection> connection_;
};

// The current moment as the log keeps it: UTC text and local offset.
struct LogMoment {
  std::string utc;
  int offsetMinutes = 0;
};
LogMoment LogMomentNow();

// The local date "YYYY-MM-DD" of a record, and its local moment
// "YYYY-MM-DD HH:MM" as the log window shows it.
std::string LogLocalDate(const LogEntry& entry);
std::string LogLocalTime(const LogEntry& entry);

}  // namespace silvarone
