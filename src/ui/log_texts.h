// What the inspection log tells the user, in the language of the moment:
// the failures of the database, the refusals of an entry, the verdict.
#pragma once

#include <string>

#include "core/gear.h"
#include "storage/part_log.h"
#include "ui/log_entry.h"

namespace silvarone {

// The failure of the log at `path`; for kNoSuchRecord and kAlreadyVoid the
// record's number takes the place of the path.
std::string LogFailureText(LogFailure failure, const std::string& path, Language language);
std::string LogRefusalText(LogEntryRefusal refusal, const std::string& measured, Language language);
std::string LogVerdictText(LogVerdict verdict, Language language);
std::string LogDimensionText(LogDimension dimension, Language language);

// One line of a recorded part: "Record 42: test dimension 97.123 mm, within
// limits (nominal 97.120, upper 97.150, lower 97.090)".
std::string LogRecordedLine(const LogEntry& entry, Language language);

}  // namespace silvarone
