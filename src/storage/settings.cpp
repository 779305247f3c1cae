#include "storage/settings.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "storage/questions.h"

namespace silvarone {
namespace {

constexpr const char* kCommon = "common configuration";
constexpr const char* kData = "data";
constexpr const char* kProjectData = "Project data";

// One key of section "data": the key read, the key written (they differ by a
// trailing blank in one case), the default, and the text it holds.
struct DataKey {
  const char* readKey;
  const char* writeKey;
  const char* fallback;
  std::string& (*text)(Workspace&);
};

#define RECORD(name) [](Workspace& w) -> std::string& { return w.gear.rec.name.text; }
constexpr std::array<DataKey, 35> kDataKeys = {{
    {"Normalmodul m_n", "Normalmodul m_n", "1,0", RECORD(m_n)},
    {"Normalmodul m_n DIN 780 Reihe 1", "Normalmodul m_n DIN 780 Reihe 1", "1,0",
     [](Workspace& w) -> std::string& { return w.module.series1Text; }},
    {"Normalmodul m_n DIN 780 Reihe 2", "Normalmodul m_n DIN 780 Reihe 2", "1,0",
     [](Workspace& w) -> std::string& { return w.module.series2Text; }},
    {"Normalmodul m_n manual", "Normalmodul m_n manual", "1,0",
     [](Workspace& w) -> std::string& { return w.module.manualText; }},
    {"Zaehnezahl z", "Zaehnezahl z", "-50", RECORD(z)},
    {"Normaleingriffswinkel alpha_n", "Normaleingriffswinkel alpha_n", "20°", RECORD(alpha_n)},
    {"Schraegungswinkel beta", "Schraegungswinkel beta", "0°", RECORD(beta)},
    {"Profilverschiebungsfaktor x", "Profilverschiebungsfaktor x", "0", RECORD(x)},
    {"Messzaehnezahl k_M", "Messzaehnezahl k_M", "10", RECORD(k_M)},
    {"Messzaehnezahl k_M manual", "Messzaehnezahl k_M manual", "-10", RECORD(k_M_manual)},
    {"Messkugeldurchmesser D_M ", "Messkugeldurchmesser D_M", "20", RECORD(D_M)},
    {"Messkugeldurchmesser D_M manual", "Messkugeldurchmesser D_M manual", "10",
     RECORD(D_M_manual)},
    {"Messkugeldurchmesser D_M DIN", "Messkugeldurchmesser D_M DIN", "10",
     [](Workspace& w) -> std::string& { return w.ball.dinText; }},
    {"Messkugeldurchmesser D_M VEK", "Messkugeldurchmesser D_M VEK", "10",
     [](Workspace& w) -> std::string& { return w.ball.deviceText; }},
    {"Kopfnutzkreisdurchmesser d_Na ", "Kopfnutzkreisdurchmesser d_Na ", "20", RECORD(d_Na)},
    {"Fussnutzkreisdurchmesser d_Nf ", "Fussnutzkreisdurchmesser d_Nf ", "20", RECORD(d_Nf)},
    {"Zahnbreite b_w ", "Zahnbreite b_w ", "20", RECORD(b_w)},
    // The profile shift once more: read later, it decides.
    {"Profilverschiebung x ", "Profilverschiebung x ", "0", RECORD(x)},
    {"oberes Abmass der Zahndicke A_sne ", "oberes Abmass der Zahndicke A_sne ", "0",
     RECORD(A_sne_manual)},
    {"Toleranz der Zahndicke T_sn ", "Toleranz der Zahndicke T_sn ", "0", RECORD(T_sn_manual)},
    {"Silvarone Wk", "Silvarone Wk", "0", RECORD(Wk_given)},
    {"Silvarone Wke", "Silvarone Wke", "0", RECORD(Wke_given)},
    {"Silvarone Wki", "Silvarone Wki", "0", RECORD(Wki_given)},
    {"Diametrales Zweikugelmass Mdk", "Diametrales Zweikugelmass Mdk", "0", RECORD(Mdk_given)},
    {"Diametrales Zweikugelmass Mdke", "Diametrales Zweikugelmass Mdke", "0", RECORD(Mdke_given)},
    {"Diametrales Zweikugelmass Mdki", "Diametrales Zweikugelmass Mdki", "0", RECORD(Mdki_given)},
    {"Erzeugungsprofilverschiebung Xe", "Erzeugungsprofilverschiebung Xe", "0", RECORD(Xe_given)},
    {"Erzeugungsprofilverschiebung Xee", "Erzeugungsprofilverschiebung Xee", "0",
     RECORD(Xee_given)},
    {"Erzeugungsprofilverschiebung Xei", "Erzeugungsprofilverschiebung Xei", "0",
     RECORD(Xei_given)},
    {"Messzähnezahl k", "Messzähnezahl k", "-10", RECORD(k_given)},
    {"Messkugeldurchmesser DM", "Messkugeldurchmesser DM", "10", RECORD(DM_given)},
    {"factorDelta_Q", "factorDelta_Q", "5", RECORD(factorDelta_Q)},
    {"delta_Q2", "delta_Q2", "0.2", RECORD(delta_Q2)},
    {"smallStepSize", "smallStepSize", "0.0001", RECORD(smallStepSize)},
    {"bigStepSize", "bigStepSize", "0.1", RECORD(bigStepSize)},
}};
#undef RECORD

constexpr std::array<const char*, 4> kSeriesKeys = {"Abmassreihe DIN", "Abmassreihe PROD",
                                                    "Toleranzreihe DIN", "Toleranzreihe PROD"};

std::array<std::string*, 4> SeriesTexts(ToleranceState& t) {
  return {&t.deviationDin, &t.deviationProd, &t.toleranceDin, &t.toleranceProd};
}

std::string RangeKey(std::size_t i) {
  return "Messbereichswert_" + std::to_string(i + 1);
}

}  // namespace

std::string SettingsFilePath(const std::string& settingsDirectory) {
  return settingsDirectory + kSettingsFileName;
}

std::string DefaultProjectDirectory(const std::string& settingsDirectory) {
  return settingsDirectory + kProjectsFolder;
}

void ReadConfiguration(const IniDocument& document, Workspace& w) {
  CalculationState& state = w.gear.state;
  const std::string language = document.ReadString(kCommon, "language", "deutsch");
  state.language = language == "englisch" ? kEnglish : kGerman;

  for (const DataKey& key : kDataKeys) {
    key.text(w) = document.ReadString(kData, key.readKey, key.fallback);
  }

  w.module.item = ModuleChoiceFromSetting(document.ReadString(kCommon, "Normalmodul Type", "0"));
  w.ball.item = BallChoiceFromSetting(document.ReadString(kCommon, "Messkugelfolge", "0"));
  const std::string toothMode = document.ReadString(kCommon, "Messzahnmode", "0");
  w.toothCountMode = toothMode == "0" ? 0 : toothMode == "1" ? 1 : 2;
  w.instrument.rangeIndex = document.ReadString(kCommon, "Messbereichsauswahl", "0") == "0" ? 0 : 1;
  w.instrument.name =
      document.ReadString(kCommon, "Messgeraeteauswahl", std::string(kInstruments[0].name));
  for (std::size_t i = 0; i < w.instrument.rangeTexts.size(); ++i) {
    w.instrument.rangeTexts[i] =
        document.ReadString(kCommon, RangeKey(i), kInstruments[i / 2].rangeDefaults[i % 2]);
  }
  w.gear.rec.D_distance.text = document.ReadString(kCommon, "Messkugelabstand", "45,000");
  // The spin fields offer 0 to 6 decimals.
  state.Nachkommastellenzahl_1 =
      std::clamp(document.ReadInteger(kCommon, "Nachkommastellenzahl_1", 3), 0, 6);
  state.Nachkommastellenzahl_2 =
      std::clamp(document.ReadInteger(kCommon, "Nachkommastellenzahl_2", 3), 0, 6);
  state.Nachkommastellenzahl_3 =
      std::clamp(document.ReadInteger(kCommon, "Nachkommastellenzahl_3", 0), 0, 6);
  w.manualToleranceMode = document.ReadInteger(kCommon, "Mode", 0);
  w.tolerance.source = document.ReadInteger(kCommon, "Quelle Abmass", 0);
  const std::array<const char*, 4> seriesDefaults = {"d", "d*", "25", "25*"};
  const auto series = SeriesTexts(w.tolerance);
  for (std::size_t i = 0; i < series.size(); ++i) {
    *series[i] = document.ReadString(kCommon, kSeriesKeys[i], seriesDefaults[i]);
  }
  w.tolerance.customerDeviationFile =
      document.ReadString(kCommon, "Abmass File", kCustomerDeviationFile);
  w.tolerance.customerToleranceFile =
      document.ReadString(kCommon, "Toleranz File", kCustomerToleranceFile);
  // Read, but every start and every project load begins in the standard mode
  // with the deviation factors.
  document.ReadInteger(kCommon, "calculationMode", 0);
  document.ReadInteger(kCommon, "calculationMode2", 0);
  state.CalculationMode = kModeStandard;
  w.calculationKind = 0;
}

void WriteConfiguration(IniDocument& document, const Workspace& workspace) {
  Workspace& w = const_cast<Workspace&>(workspace);  // the key table hands out references
  const CalculationState& state = w.gear.state;
  document.WriteString(kCommon, "language", state.language == kEnglish ? "englisch" : "deutsch");
  for (const DataKey& key : kDataKeys)
    document.WriteString(kData, key.writeKey, key.text(w));

  document.WriteString(kCommon, "Normalmodul Type",
                       std::to_string(std::clamp(w.module.item, 0, 2)));
  document.WriteString(kCommon, "Messkugelfolge", std::to_string(std::clamp(w.ball.item, 0, 3)));
  document.WriteString(kCommon, "Messzahnmode", std::to_string(std::clamp(w.toothCountMode, 0, 2)));
  document.WriteString(kCommon, "Messbereichsauswahl", w.instrument.rangeIndex == 0 ? "0" : "1");
  document.WriteString(kCommon, "Messgeraeteauswahl", w.instrument.name);
  for (std::size_t i = 0; i < w.instrument.rangeTexts.size(); ++i) {
    document.WriteString(kCommon, RangeKey(i), w.instrument.rangeTexts[i]);
  }
  document.WriteString(kCommon, "Messkugelabstand", w.gear.rec.D_distance.text);
  document.WriteInteger(kCommon, "Nachkommastellenzahl_1", state.Nachkommastellenzahl_1);
  document.WriteInteger(kCommon, "Nachkommastellenzahl_2", state.Nachkommastellenzahl_2);
  document.WriteInteger(kCommon, "Nachkommastellenzahl_3", state.Nachkommastellenzahl_3);
  document.WriteInteger(kCommon, "Mode", w.manualToleranceMode);
  document.WriteInteger(kCommon, "Quelle Abmass", w.tolerance.source);
  const auto series = SeriesTexts(w.tolerance);
  for (std::size_t i = 0; i < series.size(); ++i) {
    document.WriteString(kCommon, kSeriesKeys[i], *series[i]);
  }
  document.WriteString(kCommon, "Abmass File", w.tolerance.customerDeviationFile);
  document.WriteString(kCommon, "Toleranz File", w.tolerance.customerToleranceFile);
  document.WriteInteger(kCommon, "calculationMode", state.CalculationMode);
  document.WriteInteger(kCommon, "calculationMode2", w.calculationKind);
}

void ReadProjectLocation(const IniDocument& document, ProjectState& project,
                         const std::string& settingsDirectory) {
  project.extension = document.ReadString(kProjectData, "Project File Extension", "tvp");
  // The name is read but never reopened: a start begins without a project.
  document.ReadString(kProjectData, "Project File Name", "");
  project.fileName.clear();
  const std::string fallback = DefaultProjectDirectory(settingsDirectory);
  project.directory = document.ReadString(kProjectData, "Project File Directory", fallback);
  std::error_code error;
  if (!std::filesystem::is_directory(project.directory, error)) project.directory = fallback;
}

void WriteProjectLocation(IniDocument& document, const ProjectState& project) {
  document.WriteString(kProjectData, "Project File Extension", project.extension);
  document.WriteString(kProjectData, "Project File Name", project.fileName);
  document.WriteString(kProjectData, "Project File Directory", project.directory);
}

IniDocument& SettingsFile::Load(bool reading, MessageSink* messages) {
  // In memory the file is read once; every later access works on that copy.
  if (inMemory_ && document_) return *document_;
  document_.emplace(path_);
  // The reason is told once, not at every read of the same broken file.
  if (reading) {
    const std::optional<Problem> problem =
        document_->Unreadable() ? document_->ReadProblem() : std::nullopt;
    if (problem && problem != lastReadProblem_ && messages != nullptr) {
      messages->ShowProblem(*problem);
    }
    lastReadProblem_ = problem;
  }
  return *document_;
}

void SettingsFile::Read(Workspace& workspace, ProjectState& project,
                        const std::string& settingsDirectory, MessageSink* messages) {
  const IniDocument& document = Load(true, messages);
  ReadConfiguration(document, workspace);
  ReadProjectLocation(document, project, settingsDirectory);
}

bool SettingsFile::Write(const Workspace& workspace, const ProjectState& project,
                         MessageSink* messages) {
  IniDocument& document = Load(false, messages);
  WriteConfiguration(document, workspace);
  WriteProjectLocation(document, project);
  if (inMemory_) return true;
  if (document.Save()) {
    failing_ = false;
    return true;
  }
  ++failedSaves_;
  if (!failing_ && messages != nullptr) {
    messages->ShowProblem({.kind = ProblemKind::kCannotWrite, .path = path_});
  }
  failing_ = true;
  return false;
}

}  // namespace silvarone
