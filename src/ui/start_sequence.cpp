// The start sequence of the main window.
#include <algorithm>
#include <filesystem>

#include "core/balls.h"
#include "core/geometry.h"
#include "platform/documents.h"
#include "platform/locations.h"
#include "storage/device_ball_file.h"
#include "ui/texts.h"
#include "ui/window_model.h"

namespace silvarone {

bool WindowModel::Start(const StartOptions& options) {
  const Action action(*this);
  if (options.checkPdfViewer && !platform::PdfViewerAvailable()) {
    // The settings and their language are not read yet.
    dialogs_.ShowMessage(Text(TextId::kNoPdfViewerTitle, kGerman),
                         Text(TextId::kNoPdfViewer, kGerman), DialogKind::kError, {kButtonAbort});
    return false;
  }
  programDirectory_ = options.programDirectory;
  settingsDirectory_ = options.settingsDirectory;
  MakeSettingsFolders(options.inMemory);
  projects_ = std::make_unique<ProjectController>(workspace_, project_, projectData_,
                                                  settingsDirectory_, dialogs_, options.inMemory);
  projects_->refreshStatus = [this] { ShowStatusBar(); };
  projects_->applyLoadedConfiguration = [this] { ApplyLoadedProject(); };

  inUse_.ArmFirstChange(OwnField::kBall);
  inUse_.ArmFirstChange(OwnField::kTeeth);
  protocol_.SetInputsReady(false);
  project_ = ProjectState{};
  projectData_ = ProjectData{};
  projectData_.date = projects_->today();
  InitParameters(mutableGear().rec);
  ReadSettingsAndDocuments();
  ReadBallSeries();
  PasswordEdited("");
  ApplyConfiguration();
  projectPage_.Show();
  return true;
}

namespace {

// The folder is there afterwards, made by us or, at the same moment, by
// another instance of the program (then create_directories says false).
bool FolderIsThere(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::is_directory(folder, error)) return true;
  fs::create_directories(folder, error);
  return fs::is_directory(folder, error);
}

}  // namespace

void WindowModel::MakeSettingsFolders(bool inMemory) {
  if (inMemory) return;
  // Without its settings folder the program keeps running, and every save
  // fails and says so: nothing goes into the program's folder instead.
  if (!FolderIsThere(settingsDirectory_)) {
    dialogs_.ShowMessage("", Text(TextId::kFolderNotMade, language(), {settingsDirectory_}),
                         DialogKind::kError, {kButtonOk});
    return;
  }
  const std::string projects = DefaultProjectDirectory(settingsDirectory_);
  if (!FolderIsThere(projects)) {
    dialogs_.ShowMessage("", Text(TextId::kProjectsFolderNotMade, language(), {settingsDirectory_}),
                         DialogKind::kError, {kButtonOk});
  }
}

void WindowModel::ReadSettingsAndDocuments() {
  // Read, then written whole and read again, so the file holds every key.
  SettingsFile& settings = projects_->settings();
  settings.Read(workspace_, project_, settingsDirectory_, &dialogs_);
  page_ = Page::kDrawing1;
  const char sep = platform::PathSeparator();
  const DocumentList list = ReadDocumentList(programDirectory_ + "docs" + sep + kDocumentListFile);
  documents_ = list.documents;
  if (list.problem) dialogs_.ShowProblem(*list.problem);
  settings.Write(workspace_, project_, &dialogs_);
  settings.Read(workspace_, project_, settingsDirectory_, &dialogs_);
}

void WindowModel::ReadBallSeries() {
  namespace fs = std::filesystem;
  const std::string dat = programDirectory_ + "dat" + platform::PathSeparator();
  // A ball file that is there but cannot be read is told; its list keeps what it had.
  const auto readBalls = [&](const std::string& path) {
    auto balls = ReadBallFile(path);
    std::error_code error;
    if (!balls && fs::exists(path, error)) dialogs_.ShowProblem(balls.problem());
    return balls;
  };
  if (const auto din = readBalls(dat + kDinBallFile)) workspace_.ball.dinBalls = *din;
  SelectionOf(ctl::ComboBox3).items = workspace_.ball.dinBalls;
  // The instrument's balls as the editor saved them, else as shipped.
  for (const std::string& path : DeviceBallFileReadOrder(programDirectory_, settingsDirectory_)) {
    if (const auto device = readBalls(path); device && !device->empty()) {
      workspace_.ball.deviceBalls = *device;
      SelectionOf(ctl::ComboBox4).items = *device;
      deviceBallLines_ = *device;
      break;
    }
  }
}

void WindowModel::ApplyLoadedProject() {
  ApplyConfiguration();
  // The calculation page shows the loaded gear's results at once (or
  // refuses it, as turning to the page would).
  if (page_ == Page::kCalculation) ChangePage(Page::kCalculation);
}

void WindowModel::ApplyConfiguration() {
  protocol_.DiscardPendingEdit(kNoInput);
  protocol_.ForgetPending();
  LoadToleranceTablesOfConfiguration();
  ShowInstrumentSettings();
  ValidateInputs(mutableGear());
  // Everything below computes with the gear's type and helix.
  DetermineHelicalGear(mutableGear());
  DetermineExternalGear(mutableGear());
  BasicGeometry(mutableGear(), mutableGear().rec.x);
  ChangeToleranceSource(mutableGear(), workspace_.tolerance, workspace_.tolerance.source);
  ShowToleranceFields();
  ApplyCaptions();
  RecomputeDrawingFields();
  ShowModuleOfConfiguration();
  ShowDecimalPlaces();
  workspace_.calculationKind = 0;
  SelectInstrument(InstrumentRadioItem(workspace_.instrument.name));
  protocol_.SetInputsReady(true);
  ShowStatusBar();
  StartBallAndToothCountSelections();
  SelectInputMode(mutableGear().state.CalculationMode);
  backBox_.Apply(BoxAction::kShow);
  RefreshGivenFields();
}

void WindowModel::LoadToleranceTablesOfConfiguration() {
  // The tables the configuration names, read afresh: a project may name
  // other production tables than the settings did.
  ToleranceState& tolerance = workspace_.tolerance;
  tolerance.din = {};
  tolerance.customer = {};
  tolerance.active = {};
  tolerance.activeCopyOf = -1;
  const std::string dat = programDirectory_ + "dat" + platform::PathSeparator();
  if (const auto loaded = LoadToleranceTables(mutableGear(), tolerance, dat); !loaded) {
    dialogs_.ShowProblem(loaded.problem());
  }
  if (tolerance.source > 2 || tolerance.source < 0) tolerance.source = 0;
  FieldOf(ctl::Input_A_sne).text = FieldOf(ctl::Input_A_sne).saved =
      mutableGear().rec.A_sne_manual.text;
  FieldOf(ctl::Input_T_sn).text = FieldOf(ctl::Input_T_sn).saved =
      mutableGear().rec.T_sn_manual.text;
}

void WindowModel::ShowModuleOfConfiguration() {
  protocol_.SetRecalcPending(true);
  FieldOf(ctl::Input_m_n).text = FieldOf(ctl::Input_m_n).saved = workspace_.module.manualText;
  // Both series lists show their remembered module (or their first one).
  SelectionOf(ctl::ComboBox1).index =
      ModuleSeriesIndex(kModuleSeries1Item, workspace_.module.series1Text);
  SelectionOf(ctl::ComboBox2).index =
      ModuleSeriesIndex(kModuleSeries2Item, workspace_.module.series2Text);
  if (workspace_.module.item > 2 || workspace_.module.item < 0) workspace_.module.item = 0;
  SelectModuleSeries(workspace_.module.item);
  protocol_.ForgetPending();
}

void WindowModel::ShowDecimalPlaces() {
  for (const Control& control : Controls()) {
    if (control.which > 0)
      FieldOf(control.name).text = std::to_string(decimalPlaces(control.which));
  }
}

void WindowModel::StartBallAndToothCountSelections() {
  // The typed ball is in use until the stored choice applies.
  inUse_.ArmFirstChange(OwnField::kBall);
  RecommendedBallDiameter(mutableGear(), mutableGear().rec.x, mutableGear().rec.D_M_recommended);
  FieldOf(ctl::recommended_D_M).text = mutableGear().rec.D_M_recommended.text;
  FieldOf(ctl::D_M_Edit).text = FieldOf(ctl::D_M_Edit).saved = mutableGear().rec.D_M_manual.text;
  inUse_.TakeBall(mutableGear().rec.D_M_manual.text);
  // The lists select the remembered balls by diameter.
  SelectionOf(ctl::ComboBox3).index = BallIndex(workspace_.ball.dinBalls, workspace_.ball.dinText);
  SelectionOf(ctl::ComboBox4).index =
      BallIndex(workspace_.ball.deviceBalls, workspace_.ball.deviceText);
  SelectBall(workspace_.ball.item);

  inUse_.SetSource(ToothCountSource::kNotChosen);
  FieldOf(ctl::k_M_Edit).text = FieldOf(ctl::k_M_Edit).saved = mutableGear().rec.k_M_manual.text;
  inUse_.TakeToothCount(mutableGear().rec.k_M_manual.text);
  SelectToothCount(workspace_.toothCountMode == 1 ? 1 : 0);
}

}  // namespace silvarone
