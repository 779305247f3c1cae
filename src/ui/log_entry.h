// One part for the inspection log, made from the window model as it stands
// on the calculation page: the measured value with the nominal value and
// the limits of its dimension as the page shows them, the verdict, and for
// a measured test dimension the back-calculation the page runs for it.
#pragma once

#include <string>

#include "core/result.h"
#include "storage/part_log.h"

namespace silvarone {

class WindowModel;

// What the inspector enters for one part.
struct LogInput {
  std::string measured;  // mm; ',' or '.' as decimal separator
  LogDimension dimension = LogDimension::kTest;
  std::string serial{};  // may be empty
};

// Who records, and when: the window and the command line give the clock and
// the login name, tests their own.
struct LogContext {
  LogMoment moment;
  std::string user;
};

enum class LogEntryRefusal {
  kNotCalculated,  // the calculation page is not open: the gear's data were refused
  kNotANumber,     // the measured text is no number
  kNoLimits,       // the page shows no nominal value and limits of that dimension
};

// The verdict of a measured value against its limits; a value on a limit is
// within. The limits are the texts the page shows, so the verdict is the
// one the inspector reads off the page.
LogVerdict VerdictOf(double measured, double lower, double upper);

// The gear the model shows, as the log identifies its records.
LogGear LogGearOf(const WindowModel& model);

// The record of the part. For a measured test dimension the model's
// back-calculation runs as the page's button runs it (with its messages;
// the standard input only, as the page has it there only); the record says
// whether it ran and succeeded.
Result<LogEntry, LogEntryRefusal> MakeLogEntry(WindowModel& model, const LogInput& input,
                                               const LogContext& context);

}  // namespace silvarone
