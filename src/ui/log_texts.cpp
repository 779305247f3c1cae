#include "ui/log_texts.h"

#include "ui/texts.h"

namespace silvarone {

std::string LogFailureText(LogFailure failure, const std::string& path, Language language) {
  switch (failure) {
    case LogFailure::kNotADatabase:
      return Text(TextId::kLogNotADatabase, language, {path});
    case LogFailure::kCorrupt:
      return Text(TextId::kLogCorrupt, language, {path});
    case LogFailure::kLocked:
      return Text(TextId::kLogLocked, language, {path});
    case LogFailure::kReadOnly:
      return Text(TextId::kLogReadOnly, language, {path});
    case LogFailure::kFutureSchema:
      return Text(TextId::kLogFutureSchema, language, {path});
    case LogFailure::kCannotOpen:
      return Text(TextId::kLogCannotOpen, language, {path});
    case LogFailure::kNoSuchRecord:
      return Text(TextId::kLogNoSuchRecord, language, {path});
    case LogFailure::kAlreadyVoid:
      return Text(TextId::kLogAlreadyVoid, language, {path});
    case LogFailure::kNone:
    case LogFailure::kError:
      break;
  }
  return Text(TextId::kLogError, language, {path});
}

std::string LogRefusalText(LogEntryRefusal refusal, const std::string& measured,
                           Language language) {
  switch (refusal) {
    case LogEntryRefusal::kNotCalculated:
      return Text(TextId::kLogNotCalculated, language);
    case LogEntryRefusal::kNotANumber:
      return Text(TextId::kLogNotANumber, language, {measured});
    case LogEntryRefusal::kNoLimits:
      break;
  }
  return Text(TextId::kLogNoLimits, language);
}

std::string LogVerdictText(LogVerdict verdict, Language language) {
  switch (verdict) {
    case LogVerdict::kAbove:
      return Text(TextId::kLogAbove, language);
    case LogVerdict::kBelow:
      return Text(TextId::kLogBelow, language);
    case LogVerdict::kWithin:
      break;
  }
  return Text(TextId::kLogWithin, language);
}

std::string LogDimensionText(LogDimension dimension, Language language) {
  switch (dimension) {
    case LogDimension::kSpan:
      return Text(TextId::kLogSpan, language);
    case LogDimension::kBallDimension:
      return Text(TextId::kLogBallDimension, language);
    case LogDimension::kTest:
      break;
  }
  return Text(TextId::kLogTestDimension, language);
}

std::string LogRecordedLine(const LogEntry& entry, Language language) {
  const std::string limits = Text(TextId::kLogUpperLower, language, {entry.upper, entry.lower});
  std::string line = LogDimensionText(entry.dimension, language) + " " + entry.measured + " mm, " +
                     LogVerdictText(entry.verdict, language) + " (" +
                     Text(TextId::kLogLimits, language, {entry.nominal, limits}) + ")";
  if (entry.backCalculation == LogBackCalculation::kSucceeded) {
    line += ", xE " + entry.xE;
  } else if (entry.backCalculation == LogBackCalculation::kFailed) {
    line += ", " + Text(TextId::kLogBackCalculationFailed, language);
  }
  return Text(TextId::kLogRecorded, language, {std::to_string(entry.id), line});
}

}  // namespace silvarone
