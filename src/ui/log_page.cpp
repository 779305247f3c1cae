#include "ui/log_page.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "storage/project.h"
#include "ui/log_texts.h"
#include "ui/texts.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

constexpr std::size_t kRecordPage = 200;
constexpr std::size_t kRecordPagesKept = 16;

// "YYYY-MM-DD" of the calendar, or nothing for an empty text.
std::optional<std::optional<std::string>> FilterDate(const std::string& text) {
  if (text.empty()) return std::optional<std::string>();
  int year = 0, month = 0, day = 0;
  const char* begin = text.data();
  const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                      std::from_chars(begin, begin + 4, year).ptr == begin + 4 &&
                      std::from_chars(begin + 5, begin + 7, month).ptr == begin + 7 &&
                      std::from_chars(begin + 8, begin + 10, day).ptr == begin + 10;
  if (!shaped || !CalendarDate(year, month, day)) return std::nullopt;
  return std::optional<std::string>(text);
}

}  // namespace

LogPage::LogPage(WindowModel& model, std::string path, std::function<LogContext()> context)
    : model_(model), path_(std::move(path)), context_(std::move(context)) {}

InspectionLog* LogPage::Log() {
  if (log_) return &*log_;
  if (refused_ != LogFailure::kNone) return nullptr;
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ignored);
  auto opened = InspectionLog::Open(path_);
  if (!opened) {
    refused_ = opened.problem();
    return nullptr;
  }
  log_ = std::move(*opened);
  structure_ = std::async(std::launch::async, [path = path_] {
    auto checked = InspectionLog::Open(path, {.readOnly = true, .checkStructure = true});
    return checked ? LogFailure::kNone : checked.problem();
  });
  return &*log_;
}

InspectionLog* LogPage::WritableLog() {
  InspectionLog* log = Log();
  if (log == nullptr || !structure_.valid()) return log;
  const LogFailure failure = structure_.get();
  // A damaged page anywhere refuses every record from now on; a check that
  // could not run (the file busy for longer) leaves it to SQLite's own.
  if (failure == LogFailure::kCorrupt || failure == LogFailure::kNotADatabase) {
    refused_ = failure;
    log_.reset();
    return nullptr;
  }
  return log;
}

void LogPage::Tell(LogFailure failure, const std::string& subject) {
  problem_ = LogFailureText(failure, subject, model_.language());
}

bool LogPage::Record(const LogInput& input) {
  problem_.clear();
  auto entry = MakeLogEntry(model_, input, context_());
  if (!entry) {
    problem_ = LogRefusalText(entry.problem(), input.measured, model_.language());
    return false;
  }
  InspectionLog* log = WritableLog();
  if (log == nullptr) {
    Tell(refused_, path_);
    return false;
  }
  const auto id = log->Record(*entry);
  if (!id) {
    Tell(id.problem(), path_);
    return false;
  }
  entry->id = *id;
  lastRecorded_ = *entry;
  Refresh();
  return true;
}

bool LogPage::Void(std::int64_t id, const std::string& reason) {
  problem_.clear();
  if (reason.find_first_not_of(' ') == std::string::npos) {
    problem_ = Text(TextId::kLogNoReason, model_.language());
    return false;
  }
  InspectionLog* log = WritableLog();
  if (log == nullptr) {
    Tell(refused_, path_);
    return false;
  }
  const LogFailure failure = log->Void(id, reason, LogMomentNow().utc);
  if (failure != LogFailure::kNone) {
    const bool aboutRecord =
        failure == LogFailure::kNoSuchRecord || failure == LogFailure::kAlreadyVoid;
    Tell(failure, aboutRecord ? std::to_string(id) : path_);
    return false;
  }
  Refresh();
  return true;
}

bool LogPage::SetFilter(const LogPageFilter& filter) {
  const auto from = FilterDate(filter.fromDate);
  const auto to = FilterDate(filter.toDate);
  if (!from || !to) {
    problem_ =
        Text(TextId::kLogBadDate, model_.language(), {from ? filter.toDate : filter.fromDate});
    return false;
  }
  problem_.clear();
  filter_.fromDate = *from;
  filter_.toDate = *to;
  filter_.serialPart = filter.serialPart;
  Refresh();
  return true;
}

void LogPage::Refresh() {
  ids_.clear();
  pages_.clear();
  series_ = {};
  filter_.gear = LogGearOf(model_);
  if (InspectionLog* log = Log()) {
    auto ids = log->QueryIds(filter_);
    auto series = log->QuerySeries(filter_);
    if (ids && series) {
      ids_ = std::move(*ids);
      series_ = SeriesOf(*series);
    } else {
      Tell(ids ? series.problem() : ids.problem(), path_);
    }
  } else {
    Tell(refused_, path_);
  }
  statistics_ = StatisticsOf(series_.values, series_.lower, series_.upper);
  outside_.clear();
  for (const double value : series_.values)
    outside_.push_back(VerdictOf(value, series_.lower, series_.upper) != LogVerdict::kWithin);
}

const LogEntry* LogPage::RecordAt(std::size_t row) {
  if (row >= ids_.size()) return nullptr;
  const std::size_t page = row / kRecordPage;
  auto cached = pages_.find(page);
  if (cached == pages_.end()) {
    InspectionLog* log = Log();
    if (log == nullptr) return nullptr;
    const std::size_t first = page * kRecordPage;
    const std::size_t last = std::min(first + kRecordPage, ids_.size()) - 1;
    auto entries = log->QueryRange(filter_, ids_[first], ids_[last]);
    if (!entries) {
      Tell(entries.problem(), path_);
      return nullptr;
    }
    // Scrolling through a large log keeps a bounded number of pages.
    if (pages_.size() >= kRecordPagesKept) pages_.clear();
    cached = pages_.emplace(page, std::move(*entries)).first;
  }
  const std::vector<LogEntry>& entries = cached->second;
  const std::size_t index = row - page * kRecordPage;
  // A record recorded by another program since the ids were read belongs to
  // the next refresh; the page holds exactly the rows of its ids otherwise.
  if (index >= entries.size() || entries[index].id != ids_[row]) return nullptr;
  return &entries[index];
}

std::vector<LogEntry> LogPage::ShownRecords() {
  InspectionLog* log = Log();
  if (log == nullptr || ids_.empty()) return {};
  auto entries = log->QueryRange(filter_, ids_.front(), ids_.back());
  if (!entries) {
    Tell(entries.problem(), path_);
    return {};
  }
  // Ids only grow: a record recorded since lies outside the range.
  return std::move(*entries);
}

}  // namespace silvarone
