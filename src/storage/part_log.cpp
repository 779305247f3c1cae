#include "storage/part_log.h"

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string_view>
#include <thread>
#include <utility>

namespace silvarone {
namespace {

// The schema, one step per version: step i brings version i to i + 1. A
// record may only ever be voided, once; the database itself refuses the rest.
constexpr const char* kMigrations[] = {
    // 0 -> 1
    R"sql(
CREATE TABLE schema_version (version INTEGER NOT NULL);
INSERT INTO schema_version (version) VALUES (0);
CREATE TABLE inspection (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  recorded_utc TEXT NOT NULL,
  utc_offset_minutes INTEGER NOT NULL,
  project_file TEXT NOT NULL,
  project_name TEXT NOT NULL,
  drawing TEXT NOT NULL,
  m_n REAL NOT NULL,
  z REAL NOT NULL,
  alpha_n REAL NOT NULL,
  beta REAL NOT NULL,
  x REAL NOT NULL,
  dimension TEXT NOT NULL CHECK (dimension IN ('test', 'wk', 'mdk')),
  measured TEXT NOT NULL,
  nominal TEXT NOT NULL,
  upper_limit TEXT NOT NULL,
  lower_limit TEXT NOT NULL,
  verdict TEXT NOT NULL CHECK (verdict IN ('within', 'above', 'below')),
  back_calculation TEXT NOT NULL CHECK (back_calculation IN ('none', 'succeeded', 'failed')),
  x_e TEXT NOT NULL,
  user_name TEXT NOT NULL,
  serial TEXT NOT NULL,
  void_reason TEXT,
  voided_utc TEXT NOT NULL DEFAULT ''
);
CREATE INDEX inspection_gear ON inspection (drawing, m_n, z, alpha_n, beta, x);
CREATE TRIGGER inspection_never_deleted BEFORE DELETE ON inspection
BEGIN SELECT RAISE(ABORT, 'inspection records are never deleted'); END;
CREATE TRIGGER inspection_only_voided BEFORE UPDATE ON inspection
WHEN OLD.void_reason IS NOT NULL OR NEW.void_reason IS NULL
  OR NEW.id IS NOT OLD.id OR NEW.recorded_utc IS NOT OLD.recorded_utc
  OR NEW.utc_offset_minutes IS NOT OLD.utc_offset_minutes
  OR NEW.project_file IS NOT OLD.project_file OR NEW.project_name IS NOT OLD.project_name
  OR NEW.drawing IS NOT OLD.drawing OR NEW.m_n IS NOT OLD.m_n OR NEW.z IS NOT OLD.z
  OR NEW.alpha_n IS NOT OLD.alpha_n OR NEW.beta IS NOT OLD.beta OR NEW.x IS NOT OLD.x
  OR NEW.dimension IS NOT OLD.dimension OR NEW.measured IS NOT OLD.measured
  OR NEW.nominal IS NOT OLD.nominal OR NEW.upper_limit IS NOT OLD.upper_limit
  OR NEW.lower_limit IS NOT OLD.lower_limit OR NEW.verdict IS NOT OLD.verdict
  OR NEW.back_calculation IS NOT OLD.back_calculation OR NEW.x_e IS NOT OLD.x_e
  OR NEW.user_name IS NOT OLD.user_name OR NEW.serial IS NOT OLD.serial
BEGIN SELECT RAISE(ABORT, 'an inspection record is only ever voided, once'); END;
)sql",
};
static_assert(std::size(kMigrations) == kInspectionLogSchema);

constexpr const char* kColumns =
    "id, recorded_utc, utc_offset_minutes, project_file, project_name, drawing, m_n, z, "
    "alpha_n, beta, x, dimension, measured, nominal, upper_limit, lower_limit, verdict, "
    "back_calculation, x_e, user_name, serial, void_reason, voided_utc";

constexpr const char* kInsert =
    "INSERT INTO inspection (recorded_utc, utc_offset_minutes, project_file, project_name, "
    "drawing, m_n, z, alpha_n, beta, x, dimension, measured, nominal, upper_limit, lower_limit, "
    "verdict, back_calculation, x_e, user_name, serial) "
    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, "
    "?19, ?20)";

// The local date of a record in SQL, as LogLocalDate computes it.
constexpr const char* kLocalDate = "date(recorded_utc, printf('%+d minutes', utc_offset_minutes))";

LogFailure FailureOf(int code) {
  switch (code & 0xff) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
      return LogFailure::kNone;
    case SQLITE_NOTADB:
      return LogFailure::kNotADatabase;
    case SQLITE_CORRUPT:
      return LogFailure::kCorrupt;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return LogFailure::kLocked;
    case SQLITE_READONLY:
    case SQLITE_PERM:
      return LogFailure::kReadOnly;
    case SQLITE_CANTOPEN:
      return LogFailure::kCannotOpen;
    default:
      return LogFailure::kError;
  }
}

// A file the database cannot open because it, or the folder that must take
// its WAL and shared-memory files, cannot be written.
bool CannotWriteThere(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path file(path);
  fs::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  if (!fs::is_directory(folder, error)) return false;
  if (access(folder.c_str(), W_OK) != 0) return true;
  return fs::exists(file, error) && access(file.c_str(), W_OK) != 0;
}

// A prepared statement, finalized when it goes.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    code_ = sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr);
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  int prepared() const { return code_; }
  void Bind(int index, const std::string& text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
  }
  void Bind(int index, double value) { sqlite3_bind_double(statement_, index, value); }
  void Bind(int index, std::int64_t value) { sqlite3_bind_int64(statement_, index, value); }
  void BindNull(int index) { sqlite3_bind_null(statement_, index); }
  // SQLITE_ROW, SQLITE_DONE or the failure.
  int Step() { return code_ == SQLITE_OK ? sqlite3_step(statement_) : code_; }

  // Column values of the current row; a NULL or a blob of another kind reads
  // as empty text or zero.
  std::string Text(int column) const {
    const auto* bytes = sqlite3_column_text(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes == nullptr
               ? std::string()
               : std::string(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
  }
  double Real(int column) const { return sqlite3_column_double(statement_, column); }
  std::int64_t Integer(int column) const { return sqlite3_column_int64(statement_, column); }
  bool IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

 private:
  sqlite3_stmt* statement_ = nullptr;
  int code_ = SQLITE_OK;
};

// Runs SQL without results; the SQLite code.
int Execute(sqlite3* db, const char* sql) {
  return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// One integer from a query of one row; nothing when it fails (`code` says why).
std::optional<std::int64_t> QueryInteger(sqlite3* db, const char* sql, int& code) {
  Statement statement(db, sql);
  code = statement.Step();
  if (code != SQLITE_ROW) return std::nullopt;
  code = SQLITE_OK;
  return statement.Integer(0);
}

template <typename Enum, std::size_t N>
std::optional<Enum> EnumOfWord(const std::array<const char*, N>& words, const std::string& word) {
  for (std::size_t i = 0; i < N; ++i) {
    if (word == words[i]) return static_cast<Enum>(i);
  }
  return std::nullopt;
}

constexpr std::array<const char*, 3> kDimensionWords = {"test", "wk", "mdk"};
constexpr std::array<const char*, 3> kVerdictWords = {"within", "above", "below"};
constexpr std::array<const char*, 3> kBackCalculationWords = {"none", "succeeded", "failed"};

}  // namespace

struct InspectionLog::Connection {
  sqlite3* db = nullptr;
  int schema = 0;
  ~Connection() { sqlite3_close_v2(db); }
};

const char* LogFailureName(LogFailure failure) {
  switch (failure) {
    case LogFailure::kNone:
      return "none";
    case LogFailure::kNotADatabase:
      return "not a database";
    case LogFailure::kCorrupt:
      return "corrupt";
    case LogFailure::kLocked:
      return "locked";
    case LogFailure::kReadOnly:
      return "read-only";
    case LogFailure::kFutureSchema:
      return "future schema";
    case LogFailure::kCannotOpen:
      return "cannot open";
    case LogFailure::kNoSuchRecord:
      return "no such record";
    case LogFailure::kAlreadyVoid:
      return "already void";
    case LogFailure::kError:
      break;
  }
  return "error";
}

const char* LogDimensionWord(LogDimension dimension) {
  return kDimensionWords[static_cast<std::size_t>(dimension)];
}
const char* LogVerdictWord(LogVerdict verdict) {
  return kVerdictWords[static_cast<std::size_t>(verdict)];
}
const char* LogBackCalculationWord(LogBackCalculation mark) {
  return kBackCalculationWords[static_cast<std::size_t>(mark)];
}
std::optional<LogDimension> LogDimensionOfWord(const std::string& word) {
  return EnumOfWord<LogDimension>(kDimensionWords, word);
}

namespace {

// The schema version of the file: 0 for an empty database; nothing (and the
// failure) for a database of other tables or a damaged version table.
Result<int, LogFailure> SchemaVersion(sqlite3* db) {
  // Both counts in one statement, so in one view of the file: another
  // program may be creating the tables of a new log at this moment.
  Statement tables(db,
                   "SELECT (SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                   "name = 'schema_version'), (SELECT count(*) FROM sqlite_master)");
  int code = tables.Step();
  if (code != SQLITE_ROW) return FailureOf(code);
  if (tables.Integer(0) == 0) {
    // Someone else's database: not ours to add tables to.
    if (tables.Integer(1) != 0) return LogFailure::kNotADatabase;
    return 0;
  }
  code = SQLITE_OK;
  const auto version = QueryInteger(db, "SELECT max(version) FROM schema_version", code);
  if (!version) return code == SQLITE_OK ? LogFailure::kCorrupt : FailureOf(code);
  if (*version > kInspectionLogSchema) return LogFailure::kFutureSchema;
  if (*version < 0) return LogFailure::kCorrupt;
  return static_cast<int>(*version);
}

// Runs the migration steps from the version found to this program's, in one
// transaction; two programs opening a new file at once migrate it once.
Result<int, LogFailure> Migrate(sqlite3* db) {
  if (const int code = Execute(db, "BEGIN IMMEDIATE"); code != SQLITE_OK) return FailureOf(code);
  Result<int, LogFailure> version = SchemaVersion(db);
  for (int step = version ? *version : kInspectionLogSchema; step < kInspectionLogSchema; ++step) {
    const std::string sql = std::string(kMigrations[step]) +
                            "UPDATE schema_version SET version = " + std::to_string(step + 1) + ";";
    if (const int code = Execute(db, sql.c_str()); code != SQLITE_OK) {
      version = FailureOf(code);
      break;
    }
  }
  if (version) {
    const int code = Execute(db, "COMMIT");
    if (code == SQLITE_OK) return kInspectionLogSchema;
    version = FailureOf(code);
  }
  Execute(db, "ROLLBACK");
  return version;
}

LogFailure CheckStructure(sqlite3* db) {
  Statement check(db, "PRAGMA quick_check(1)");
  const int code = check.Step();
  if (code != SQLITE_ROW)
    return FailureOf(code) == LogFailure::kError ? LogFailure::kCorrupt : FailureOf(code);
  return check.Text(0) == "ok" ? LogFailure::kNone : LogFailure::kCorrupt;
}

// WAL, commits flushed to the disk, and a schema this program knows.
Result<int, LogFailure> Prepare(sqlite3* db, const LogOpenOptions& options) {
  // Reading a large log through the file's mapping saves a copy of each page.
  Execute(db, "PRAGMA mmap_size = 268435456");
  if (options.checkStructure) {
    if (const LogFailure failure = CheckStructure(db); failure != LogFailure::kNone) return failure;
  }
  Result<int, LogFailure> version = SchemaVersion(db);
  if (!version || options.readOnly) return version;
  {
    Statement wal(db, "PRAGMA journal_mode = WAL");
    const int code = wal.Step();
    if (code != SQLITE_ROW) return FailureOf(code);
    if (wal.Text(0) != "wal") return LogFailure::kReadOnly;
  }
  if (const int code = Execute(db, "PRAGMA synchronous = FULL"); code != SQLITE_OK)
    return FailureOf(code);
  if (*version < kInspectionLogSchema) return Migrate(db);
  return version;
}

// Prepare, again while another program holds the file within the busy
// timeout: a few steps of a new file's first opening (its switch to WAL, a
// read beside another program's creating it) answer "busy" at once instead
// of waiting, so two programs opening a new log together would otherwise
// refuse one of them. Every step can run again.
Result<int, LogFailure> PrepareInTime(sqlite3* db, const LogOpenOptions& options) {
  const auto until =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(options.busyTimeoutMs);
  for (;;) {
    Result<int, LogFailure> version = Prepare(db, options);
    if (version || version.problem() != LogFailure::kLocked ||
        std::chrono::steady_clock::now() >= until) {
      return version;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace

Result<InspectionLog, LogFailure> InspectionLog::Open(const std::string& path,
                                                      const LogOpenOptions& options) {
  // A folder, device or pipe in place of the file is never handed to SQLite.
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    return LogFailure::kCannotOpen;
  auto connection = std::make_unique<Connection>();
  const int flags =
      options.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  int code = sqlite3_open_v2(path.c_str(), &connection->db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  if (code == SQLITE_OK) {
    sqlite3_extended_result_codes(connection->db, 1);
    sqlite3_busy_timeout(connection->db, options.busyTimeoutMs);
    // A file opened for writing that the system lets us only read.
    if (!options.readOnly && sqlite3_db_readonly(connection->db, "main") == 1)
      return LogFailure::kReadOnly;
    Result<int, LogFailure> version = PrepareInTime(connection->db, options);
    if (version) {
      connection->schema = *version;
      return InspectionLog(std::move(connection));
    }
    if (version.problem() != LogFailure::kCannotOpen) return version.problem();
    code = SQLITE_CANTOPEN;
  }
  if ((code & 0xff) == SQLITE_CANTOPEN && !options.readOnly && CannotWriteThere(path))
    return LogFailure::kReadOnly;
  return FailureOf(code);
}

InspectionLog::InspectionLog(std::unique_ptr<Connection> connection)
    : connection_(std::move(connection)) {}
InspectionLog::InspectionLog(InspectionLog&&) noexcept = default;
InspectionLog& InspectionLog::operator=(InspectionLog&&) noexcept = default;
InspectionLog::~InspectionLog() = default;

namespace {

void BindEntry(Statement& insert, const LogEntry& e) {
  insert.Bind(1, e.recordedUtc);
  insert.Bind(2, static_cast<std::int64_t>(e.utcOffsetMinutes));
  insert.Bind(3, e.projectFile);
  insert.Bind(4, e.projectName);
  insert.Bind(5, e.gear.drawing);
  insert.Bind(6, e.gear.m_n);
  insert.Bind(7, e.gear.z);
  insert.Bind(8, e.gear.alpha_n);
  insert.Bind(9, e.gear.beta);
  insert.Bind(10, e.gear.x);
  insert.Bind(11, std::string(LogDimensionWord(e.dimension)));
  insert.Bind(12, e.measured);
  insert.Bind(13, e.nominal);
  insert.Bind(14, e.upper);
  insert.Bind(15, e.lower);
  insert.Bind(16, std::string(LogVerdictWord(e.verdict)));
  insert.Bind(17, std::string(LogBackCalculationWord(e.backCalculation)));
  insert.Bind(18, e.xE);
  insert.Bind(19, e.user);
  insert.Bind(20, e.serial);
}

// One row of a query in the order of kColumns; false when a word of the
// file is none of ours (a file changed behind the program's back).
bool ReadEntry(const Statement& row, LogEntry& e) {
  e.id = row.Integer(0);
  e.recordedUtc = row.Text(1);
  e.utcOffsetMinutes = static_cast<int>(row.Integer(2));
  e.projectFile = row.Text(3);
  e.projectName = row.Text(4);
  e.gear = {row.Text(5), row.Real(6), row.Real(7), row.Real(8), row.Real(9), row.Real(10)};
  const auto dimension = EnumOfWord<LogDimension>(kDimensionWords, row.Text(11));
  e.measured = row.Text(12);
  e.nominal = row.Text(13);
  e.upper = row.Text(14);
  e.lower = row.Text(15);
  const auto verdict = EnumOfWord<LogVerdict>(kVerdictWords, row.Text(16));
  const auto back = EnumOfWord<LogBackCalculation>(kBackCalculationWords, row.Text(17));
  if (!dimension || !verdict || !back) return false;
  e.dimension = *dimension;
  e.verdict = *verdict;
  e.backCalculation = *back;
  e.xE = row.Text(18);
  e.user = row.Text(19);
  e.serial = row.Text(20);
  if (!row.IsNull(21)) e.voidReason = row.Text(21);
  e.voidedUtc = row.Text(22);
  return true;
}

}  // namespace

Result<std::int64_t, LogFailure> InspectionLog::Record(const LogEntry& entry) {
  sqlite3* db = connection_->db;
  if (const int code = Execute(db, "BEGIN IMMEDIATE"); code != SQLITE_OK) return FailureOf(code);
  Statement insert(db, kInsert);
  BindEntry(insert, entry);
  int code = insert.Step();
  if (code == SQLITE_DONE) code = Execute(db, "COMMIT");
  if (code != SQLITE_OK) {
    Execute(db, "ROLLBACK");
    return FailureOf(code);
  }
  return static_cast<std::int64_t>(sqlite3_last_insert_rowid(db));
}

namespace {

// The query of a filter: only the conditions it sets, so that the gear's
// index serves and no row computes a date it need not.
std::string QuerySql(const LogFilter& filter, const std::string& columns) {
  std::string sql = "SELECT " + columns + " FROM inspection WHERE 1";
  if (filter.gear) {
    sql += " AND drawing = ?1 AND m_n = ?2 AND z = ?3 AND alpha_n = ?4 AND beta = ?5 AND x = ?6";
  }
  if (filter.fromDate) sql += std::string(" AND ") + kLocalDate + " >= ?7";
  if (filter.toDate) sql += std::string(" AND ") + kLocalDate + " <= ?8";
  if (!filter.serialPart.empty()) sql += " AND instr(serial, ?9) > 0";
  return sql;
}

void BindFilter(Statement& query, const LogFilter& filter) {
  if (filter.gear) {
    const LogGear& g = *filter.gear;
    query.Bind(1, g.drawing);
    int index = 2;
    for (const double value : {g.m_n, g.z, g.alpha_n, g.beta, g.x})
      query.Bind(index++, value);
  }
  if (filter.fromDate) query.Bind(7, *filter.fromDate);
  if (filter.toDate) query.Bind(8, *filter.toDate);
  if (!filter.serialPart.empty()) query.Bind(9, filter.serialPart);
}

}  // namespace

Result<std::vector<std::int64_t>, LogFailure> InspectionLog::QueryIds(
    const LogFilter& filter) const {
  std::vector<std::int64_t> ids;
  if (connection_->schema == 0) return ids;
  Statement query(connection_->db, (QuerySql(filter, "id") + " ORDER BY id DESC").c_str());
  BindFilter(query, filter);
  int code = SQLITE_OK;
  while ((code = query.Step()) == SQLITE_ROW)
    ids.push_back(query.Integer(0));
  if (code != SQLITE_DONE) return FailureOf(code);
  return ids;
}

Result<std::vector<LogEntry>, LogFailure> InspectionLog::QueryRange(const LogFilter& filter,
                                                                    std::int64_t newest,
                                                                    std::int64_t oldest) const {
  std::vector<LogEntry> entries;
  if (connection_->schema == 0) return entries;
  Statement query(
      connection_->db,
      (QuerySql(filter, kColumns) + " AND id <= ?10 AND id >= ?11 ORDER BY id DESC").c_str());
  BindFilter(query, filter);
  query.Bind(10, newest);
  query.Bind(11, oldest);
  int code = SQLITE_OK;
  while ((code = query.Step()) == SQLITE_ROW) {
    if (!ReadEntry(query, entries.emplace_back())) return LogFailure::kCorrupt;
  }
  if (code != SQLITE_DONE) return FailureOf(code);
  return entries;
}

Result<LogSeriesTexts, LogFailure> InspectionLog::QuerySeries(const LogFilter& filter) const {
  LogSeriesTexts series;
  if (connection_->schema == 0) return series;
  const std::string valid = QuerySql(filter, "%s") + " AND void_reason IS NULL";
  const auto sql = [&](const std::string& columns, const std::string& rest) {
    std::string text = valid;
    text.replace(text.find("%s"), 2, columns);
    return text + rest;
  };
  {
    Statement newest(
        connection_->db,
        sql("dimension, nominal, upper_limit, lower_limit", " ORDER BY id DESC LIMIT 1").c_str());
    BindFilter(newest, filter);
    const int code = newest.Step();
    if (code == SQLITE_DONE) return series;
    if (code != SQLITE_ROW) return FailureOf(code);
    series.dimension = EnumOfWord<LogDimension>(kDimensionWords, newest.Text(0));
    if (!series.dimension) return LogFailure::kCorrupt;
    series.nominal = newest.Text(1);
    series.upper = newest.Text(2);
    series.lower = newest.Text(3);
  }
  Statement values(connection_->db, sql("measured", " AND dimension = ?10 ORDER BY id").c_str());
  BindFilter(values, filter);
  values.Bind(10, std::string(LogDimensionWord(*series.dimension)));
  int code = SQLITE_OK;
  while ((code = values.Step()) == SQLITE_ROW)
    series.measured.push_back(values.Text(0));
  if (code != SQLITE_DONE) return FailureOf(code);
  return series;
}

Result<std::vector<LogEntry>, LogFailure> InspectionLog::Query(const LogFilter& filter) const {
  std::vector<LogEntry> entries;
  // A log opened for reading before anything was recorded holds nothing.
  if (connection_->schema == 0) return entries;
  // Counted first, so that a hundred thousand records are placed once.
  {
    Statement count(connection_->db, QuerySql(filter, "count(*)").c_str());
    BindFilter(count, filter);
    const int code = count.Step();
    if (code != SQLITE_ROW) return FailureOf(code);
    entries.reserve(
        static_cast<std::size_t>(std::clamp<std::int64_t>(count.Integer(0), 0, 1 << 24)));
  }
  Statement query(connection_->db, (QuerySql(filter, kColumns) + " ORDER BY id DESC").c_str());
  BindFilter(query, filter);
  int code = SQLITE_OK;
  while ((code = query.Step()) == SQLITE_ROW) {
    if (!ReadEntry(query, entries.emplace_back())) return LogFailure::kCorrupt;
  }
  if (code != SQLITE_DONE) return FailureOf(code);
  return entries;
}

LogFailure InspectionLog::Void(std::int64_t id, const std::string& reason,
                               const std::string& voidedUtc) {
  sqlite3* db = connection_->db;
  if (const int code = Execute(db, "BEGIN IMMEDIATE"); code != SQLITE_OK) return FailureOf(code);
  LogFailure failure = LogFailure::kNone;
  {
    Statement find(db, "SELECT void_reason IS NOT NULL FROM inspection WHERE id = ?1");
    find.Bind(1, id);
    const int code = find.Step();
    if (code == SQLITE_DONE) {
      failure = LogFailure::kNoSuchRecord;
    } else if (code != SQLITE_ROW) {
      failure = FailureOf(code);
    } else if (find.Integer(0) != 0) {
      failure = LogFailure::kAlreadyVoid;
    }
  }
  if (failure == LogFailure::kNone) {
    Statement update(db, "UPDATE inspection SET void_reason = ?1, voided_utc = ?2 WHERE id = ?3");
    update.Bind(1, reason);
    update.Bind(2, voidedUtc);
    update.Bind(3, id);
    int code = update.Step();
    if (code == SQLITE_DONE) code = Execute(db, "COMMIT");
    failure = FailureOf(code);
  }
  if (failure != LogFailure::kNone) Execute(db, "ROLLBACK");
  return failure;
}

LogMoment LogMomentNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  std::tm local{};
  gmtime_r(&now, &utc);
  localtime_r(&now, &local);
  std::array<char, 32> text{};
  std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", &utc);
  return {text.data(), static_cast<int>(local.tm_gmtoff / 60)};
}

std::string LogLocalTime(const LogEntry& entry) {
  // "YYYY-MM-DDTHH:MM:SSZ": the date and time fields at fixed places.
  const std::string_view t = entry.recordedUtc;
  auto field = [&](std::size_t at, std::size_t length) {
    int value = 0;
    if (t.size() >= at + length) std::from_chars(t.data() + at, t.data() + at + length, value);
    return value;
  };
  using namespace std::chrono;
  const sys_days day = year(field(0, 4)) / month(static_cast<unsigned>(field(5, 2))) /
                       static_cast<unsigned>(field(8, 2));
  const sys_seconds moment = day + hours(field(11, 2)) + minutes(field(14, 2)) +
                             seconds(field(17, 2)) + minutes(entry.utcOffsetMinutes);
  const sys_days localDay = floor<days>(moment);
  const year_month_day local(localDay);
  const hh_mm_ss clock(moment - localDay);
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%04d-%02u-%02u %02d:%02d",
                static_cast<int>(local.year()), static_cast<unsigned>(local.month()),
                static_cast<unsigned>(local.day()), static_cast<int>(clock.hours().count()),
                static_cast<int>(clock.minutes().count()));
  return text.data();
}

std::string LogLocalDate(const LogEntry& entry) {
  return LogLocalTime(entry).substr(0, 10);
}

}  // namespace silvarone
