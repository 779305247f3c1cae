// The start sequence of the main window.
#include <algorithm>
#include <filesystem>

#include "core/balls.h"
#include "core/geometry.h"
#include "platform/documents.h"
#include "platform/locations.h"
#include "storage/device_ball_file.h"
#include "ui/window_model.h"

namespace silvarone {

bool WindowModel::Start(const StartOptions& options) {
  const Action action(*this);
  if (options.checkPdfViewer && !platform::PdfViewerAvailable()) {
    dialogs_.ShowMessage("Abbruch",
                         "Adobe Acrobat ist nicht installiert! Programm wird abgebrochen.!",
                         DialogKind::kError, {kButtonAbort});
    return false;
  }
  programDirectory_ = options.programDirectory;
  settingsDirectory_ = options.settingsDirectory;
  MakeSettingsFolders(options.inMemory);
  projects_ = std::make_unique<ProjectController>(workspace_, project_, projectData_,
                                                  settingsDirectory_, dialogs_, options.inMemory);
  projects_->refreshStatus = [this] { ShowStatusBar(); };
  projects_->applyLoadedConfiguration = [this] { ApplyLoadedProject(); };

  ballFirstChange_ = teethFirstChange_ = true;
  inputsReady_ = false;
  project_ = ProjectState{};
  projectData_ = ProjectData{};
  projectData_.date = projects_->today();
  InitParameters(gear().rec);
  ReadSettingsAndDocuments();
  ReadBallSeries();
  PasswordEdited("");
  ApplyConfiguration();
  ShowProjectPage();
  return true;
}

void WindowModel::MakeSettingsFolders(bool inMemory) {
  namespace fs = std::filesystem;
  if (inMemory) return;
  std::error_code error;
  // Without its settings folder the program keeps running, and every save
  // fails and says so: nothing goes into the program's folder instead.
  if (!fs::is_directory(settingsDirectory_, error) &&
      !fs::create_directories(settingsDirectory_, error)) {
    dialogs_.ShowMessage("", "Verzeichnis " + settingsDirectory_ + " kann nicht erstellt werden",
                         DialogKind::kError, {kButtonOk});
    return;
  }
  const std::string projects = DefaultProjectDirectory(settingsDirectory_);
  if (!fs::is_directory(projects, error) && !fs::create_directories(projects, error)) {
    dialogs_.ShowMessage(
        "", "Verzeichnis " + settingsDirectory_ + "projects kann nicht erstellt werden",
        DialogKind::kError, {kButtonOk});
  }
}

void WindowModel::ReadSettingsAndDocuments() {
  // Read, then written whole and read again, so the file holds every key.
  SettingsFile& settings = projects_->settings();
  settings.Access('r', workspace_, project_, settingsDirectory_, &dialogs_);
  page_ = kPageDrawing1;
  const char sep = platform::PathSeparator();
  const DocumentList list = ReadDocumentList(programDirectory_ + "docs" + sep + kDocumentListFile);
  documents_ = list.documents;
  if (!list.message.empty()) dialogs_.ShowPlainMessage(list.message);
  settings.Access('w', workspace_, project_, settingsDirectory_, &dialogs_);
  settings.Access('r', workspace_, project_, settingsDirectory_, &dialogs_);
}

void WindowModel::ReadBallSeries() {
  namespace fs = std::filesystem;
  const std::string dat = programDirectory_ + "dat" + platform::PathSeparator();
  // A ball file that is there but cannot be read is told; its list keeps what it had.
  const auto readBalls = [&](const std::string& path) {
    std::string ballError;
    auto balls = ReadBallFile(path, &ballError);
    std::error_code error;
    if (!balls && fs::exists(path, error)) dialogs_.ShowPlainMessage(ballError);
    return balls;
  };
  if (const auto din = readBalls(dat + kDinBallFile)) workspace_.ball.dinBalls = *din;
  S("ComboBox3").items = workspace_.ball.dinBalls;
  // The instrument's balls as the editor saved them, else as shipped.
  for (const std::string& path : DeviceBallFileReadOrder(programDirectory_, settingsDirectory_)) {
    if (const auto device = readBalls(path); device && !device->empty()) {
      workspace_.ball.deviceBalls = *device;
      S("ComboBox4").items = *device;
      deviceBallLines_ = *device;
      break;
    }
  }
}

void WindowModel::ApplyLoadedProject() {
  ApplyConfiguration();
  // The calculation page shows the loaded gear's results at once (or
  // refuses it, as turning to the page would).
  if (page_ == kPageCalculation) ChangePage(kPageCalculation);
}

void WindowModel::ApplyConfiguration() {
  DiscardPendingEdit(0);
  pendingField_ = 0;
  LoadToleranceTablesOfConfiguration();
  ShowInstrumentSettings();
  ValidateInputs(gear());
  // Everything below computes with the gear's type and helix.
  DetermineHelicalGear(gear());
  DetermineExternalGear(gear());
  BasicGeometry(gear(), gear().rec.x);
  ChangeToleranceSource(gear(), workspace_.tolerance, workspace_.tolerance.source);
  ShowToleranceFields();
  ApplyCaptions();
  RecomputeDrawingFields();
  ShowModuleOfConfiguration();
  ShowDecimalPlaces();
  workspace_.calculationKind = 0;
  SelectInstrument(InstrumentRadioItem(workspace_.instrument.name));
  inputsReady_ = true;
  ShowStatusBar();
  StartBallAndToothCountSelections();
  SelectInputMode(gear().state.CalculationMode);
  ShowBackCalculationBox(kBoxShow);
  RefreshGivenFields();
}

void WindowModel::LoadToleranceTablesOfConfiguration() {
  // The tables the configuration names, read afresh: a project may name
  // other production tables than the settings did.
  ToleranceState& tolerance = workspace_.tolerance;
  tolerance.din = {};
  tolerance.customer = {};
  tolerance.active = {};
  std::string tableError;
  const std::string dat = programDirectory_ + "dat" + platform::PathSeparator();
  if (!LoadToleranceTables(gear(), tolerance, dat, tableError)) {
    dialogs_.ShowPlainMessage(tableError);
  }
  if (tolerance.source > 2 || tolerance.source < 0) tolerance.source = 0;
  F("Input_A_sne").text = F("Input_A_sne").saved = gear().rec.A_sne_manual.text;
  F("Input_T_sn").text = F("Input_T_sn").saved = gear().rec.T_sn_manual.text;
}

void WindowModel::ShowModuleOfConfiguration() {
  recalcPending_ = true;
  F("Input_m_n").text = F("Input_m_n").saved = workspace_.module.manualText;
  // Both series lists show their remembered module (or their first one).
  S("ComboBox1").index = ModuleSeriesIndex(kModuleSeries1Item, workspace_.module.series1Text);
  S("ComboBox2").index = ModuleSeriesIndex(kModuleSeries2Item, workspace_.module.series2Text);
  if (workspace_.module.item > 2 || workspace_.module.item < 0) workspace_.module.item = 0;
  SelectModuleSeries(workspace_.module.item);
  pendingField_ = 0;
}

void WindowModel::ShowDecimalPlaces() {
  const CalculationState& state = gear().state;
  const int places[] = {state.Nachkommastellenzahl_1, state.Nachkommastellenzahl_2,
                        state.Nachkommastellenzahl_3};
  for (int which = 1; which <= 3; ++which) {
    F("SpinNKZ" + std::to_string(which)).text = std::to_string(places[which - 1]);
  }
}

void WindowModel::StartBallAndToothCountSelections() {
  // The typed ball is in use until the stored choice applies.
  ballFirstChange_ = true;
  RecommendedBallDiameter(gear(), gear().rec.x, gear().rec.D_M_recommended);
  F("recommended_D_M").text = gear().rec.D_M_recommended.text;
  F("D_M_Edit").text = F("D_M_Edit").saved = gear().rec.D_M_manual.text;
  TakeBallInUse(gear().rec.D_M_manual.text);
  // The lists select the remembered balls (no selection when not listed).
  S("ComboBox3").index = BallIndex(workspace_.ball.dinBalls, workspace_.ball.dinText);
  S("ComboBox4").index = BallIndex(workspace_.ball.deviceBalls, workspace_.ball.deviceText);
  SelectBall(workspace_.ball.item);

  toothCountSource_ = 0;
  F("k_M_Edit").text = F("k_M_Edit").saved = gear().rec.k_M_manual.text;
  SetToothCountInUse(gear().rec.k_M_manual.text);
  SelectToothCount(workspace_.toothCountMode == 1 ? 1 : 0);
}

}  // namespace silvarone
