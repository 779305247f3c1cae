#include "ui/log_entry.h"

#include <array>

#include "core/number_text.h"
#include "ui/log_statistics.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

// The fields of the calculation page that show a dimension's nominal value,
// upper and lower limit.
std::array<std::string_view, 3> LimitFields(LogDimension dimension) {
  switch (dimension) {
    case LogDimension::kSpan:
      return {ctl::Edit100, ctl::Edit101, ctl::Edit102};
    case LogDimension::kBallDimension:
      return {ctl::Edit200, ctl::Edit201, ctl::Edit202};
    case LogDimension::kTest:
      break;
  }
  return {ctl::Q_plus_D_M, ctl::Edit2, ctl::Edit3};
}

// The text of a field without the blanks the page puts before it.
std::string Shown(const WindowModel& model, std::string_view name) {
  const std::string& text = model.field(name).text;
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

// The back-calculation of the page for the measured test dimension; only
// the standard input has it.
LogBackCalculation BackCalculate(WindowModel& model, const std::string& measured, std::string& xE) {
  if (!model.backCalculationBoxVisible()) return LogBackCalculation::kNotRun;
  model.Edited(ctl::Input_checkGauge, measured);
  model.Confirm(ctl::Input_checkGauge);
  model.RunBackCalculation();
  if (!model.backCalculationDone()) return LogBackCalculation::kFailed;
  xE = model.field(ctl::Edit6).text;
  return LogBackCalculation::kSucceeded;
}

}  // namespace

LogVerdict VerdictOf(double measured, double lower, double upper) {
  if (measured > upper) return LogVerdict::kAbove;
  if (measured < lower) return LogVerdict::kBelow;
  return LogVerdict::kWithin;
}

Result<LogEntry, LogEntryRefusal> MakeLogEntry(WindowModel& model, const LogInput& input,
                                               const LogContext& context) {
  if (model.page() != Page::kCalculation) return LogEntryRefusal::kNotCalculated;
  const std::optional<double> measured = LogNumber(input.measured);
  if (!measured) return LogEntryRefusal::kNotANumber;
  LogEntry e;
  const auto [nominalField, upperField, lowerField] = LimitFields(input.dimension);
  e.nominal = Shown(model, nominalField);
  e.upper = Shown(model, upperField);
  e.lower = Shown(model, lowerField);
  const std::optional<double> upper = LogNumber(e.upper);
  const std::optional<double> lower = LogNumber(e.lower);
  if (!LogNumber(e.nominal) || !upper || !lower) return LogEntryRefusal::kNoLimits;
  e.measured = NormaliseSeparators(input.measured);
  e.measured.erase(0, e.measured.find_first_not_of(' '));
  e.measured.erase(e.measured.find_last_not_of(' ') + 1);
  e.dimension = input.dimension;
  e.verdict = VerdictOf(*measured, *lower, *upper);
  if (input.dimension == LogDimension::kTest)
    e.backCalculation = BackCalculate(model, e.measured, e.xE);
  e.recordedUtc = context.moment.utc;
  e.utcOffsetMinutes = context.moment.offsetMinutes;
  e.user = context.user;
  e.serial = input.serial;
  const ProjectState& project = model.project();
  e.projectFile = project.noProjectOpen ? std::string() : project.filePath;
  e.projectName = model.projectData().name;
  e.gear = LogGearOf(model);
  return e;
}

LogGear LogGearOf(const WindowModel& model) {
  const GearRecords& r = model.gear().rec;
  return {model.projectData().drawing1,
          r.m_n.value,
          r.z.value,
          r.alpha_n.value,
          r.beta.value,
          r.x.value};
}

}  // namespace silvarone
