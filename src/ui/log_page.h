// The model of the log page ("Prüfprotokoll"/"Inspection log"): the part
// entry of the calculation page, the table of the current gear's records
// with its filter, the run chart's series and the figures under it, and the
// voiding of a record. The Qt page only shows what this holds.
//
// The log is opened once when the page first needs it, its structure
// checked beside it before anything is written; a log that refuses (not a database, damaged, of a
// newer schema, read-only, missing folder) is told in problem() and every later record is refused
// with it, while the calculation goes on. A lock held too long by another program refuses only that
// record.
#pragma once

#include <functional>
#include <future>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "storage/part_log.h"
#include "ui/log_entry.h"
#include "ui/log_statistics.h"

namespace silvarone {

class WindowModel;

// What the table shows beyond the gear: dates and serial part, as typed.
struct LogPageFilter {
  std::string fromDate{};  // "YYYY-MM-DD" or empty
  std::string toDate{};
  std::string serialPart{};
};

class LogPage {
 public:
  // `path`: the database file; `context`: the clock and the login name at
  // each record (tests give their own).
  LogPage(WindowModel& model, std::string path, std::function<LogContext()> context);

  // Enter in the part entry: records the part of the model's gear. True when
  // it was recorded; then it stands first in the table (when the filter
  // lets it through) and lastVerdict() tells the verdict. Otherwise
  // problem() says why, in the language of the model.
  bool Record(const LogInput& input);
  // Marks a record void with the reason (not empty); false with problem().
  bool Void(std::int64_t id, const std::string& reason);
  // A new filter; dates that are no calendar date YYYY-MM-DD are refused
  // (false, with problem(), the old filter stays).
  bool SetFilter(const LogPageFilter& filter);
  // Reads the current gear's records again (the gear may have changed).
  void Refresh();

  // The table's records, newest first, read a page at a time as they are
  // shown: a gear of a hundred thousand records opens without reading them.
  std::size_t RecordCount() const { return ids_.size(); }
  // The record in row `row` (< RecordCount()); nothing when the log could
  // not read it (problem() says why).
  const LogEntry* RecordAt(std::size_t row);
  // Every record the table shows, read at once (for an export).
  std::vector<LogEntry> ShownRecords();
  const LogSeries& series() const { return series_; }
  const LogStatistics& statistics() const { return statistics_; }
  // Which points of the series lie outside the series' limits.
  const std::vector<bool>& outside() const { return outside_; }
  const std::optional<LogEntry>& lastRecorded() const { return lastRecorded_; }
  const std::string& problem() const { return problem_; }

 private:
  InspectionLog* Log();
  // The log for a record or a voiding: first the verdict on its structure.
  InspectionLog* WritableLog();
  void Tell(LogFailure failure, const std::string& subject);

  WindowModel& model_;
  std::string path_;
  std::function<LogContext()> context_;
  std::optional<InspectionLog> log_;
  // The check of the whole file's structure, running beside the window from
  // the log's opening (it reads every page: a fifth of a second for 100,000
  // records); a record or a voiding waits for it.
  std::future<LogFailure> structure_;
  LogFailure refused_ = LogFailure::kNone;  // the failure that keeps the log closed
  LogFilter filter_;
  std::vector<std::int64_t> ids_;  // the table's rows, newest first
  // Pages of kRecordPage rows read so far, by page number.
  std::map<std::size_t, std::vector<LogEntry>> pages_;
  LogSeries series_;
  LogStatistics statistics_;
  std::vector<bool> outside_;
  std::optional<LogEntry> lastRecorded_;
  std::string problem_;
};

}  // namespace silvarone
