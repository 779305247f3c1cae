// The secondary windows' texts, and the model's part of the help menu, the
// report's PDF file and printing, and the ball sequence editor.
#include "ui/secondary_windows.h"

#include <filesystem>

#include "core/text_file.h"
#include "core/version.h"
#include "device/series.h"
#include "platform/locations.h"
#include "report/report.h"
#include "storage/device_ball_file.h"
#include "ui/drawing_window.h"
#include "ui/texts.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;

struct WindowTextRow {
  std::string_view object;
  std::string_view german;
  std::string_view english;
};

WindowTexts TextsOf(std::initializer_list<WindowTextRow> rows, Language language) {
  WindowTexts texts;
  for (const WindowTextRow& row : rows) {
    texts.emplace_back(row.object, language == kEnglish ? row.english : row.german);
  }
  return texts;
}

std::string ProgramName(Language language) {
  return std::string(language == kEnglish ? kProgramName : kProgramNameGerman);
}

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

WindowTexts InfoWindowTexts(Language language) {
  const MakerTexts maker = Maker(language);
  WindowTexts texts = {
      {"TInfoWindow", "Info"},
      {"LabelInfo_1", ProgramName(language)},
      {"LabelInfo_2", "Version: " + std::string(kProgramVersion)},
      {"LabelInfo_3", (language == kEnglish ? "Date:   " : "Datum:  ") + std::string(kProgramDate)},
      {"LabelMaker_Licence", maker.licence},
      {"LabelMaker_Manual", maker.manual},
  };
  for (auto& text : TextsOf({{"OKButton", "Beenden", "Close"}}, language))
    texts.push_back(text);
  if (!maker.web.empty()) texts.emplace_back("LabelMaker_Web", maker.web);
  return texts;
}

std::string InfoWebAddress() {
  return std::string(kWebAddress);
}

WindowTexts HistoryWindowTexts(Language language) {
  return TextsOf(
      {{"THistoryForm", "Programm Historie", "Program History"}, {"OK_btn", "Beenden", "Close"}},
      language);
}

WindowTexts OutputWindowTexts(Language language) {
  return TextsOf({{"TOutputWindow", "Protokoll", "Report"},
                  {"PrintButton", "Drucken", "Print"},
                  {"PreviewButton", "Vorschau", "Preview"},
                  {"PdfButton", "Als PDF speichern", "Save as PDF"},
                  {"CloseButton", "Beenden", "Close"}},
                 language);
}

WindowTexts BallEditorWindowTexts(Language language) {
  return TextsOf({{"TEdit_VEKKugel", "VEK Kugelfolge", "VEK ball order"},
                  {"GroupBox_EditVEKKugel", "Bearbeiten VEK Kugelfolge", "edit VEK ball order"},
                  {"Labl_Kugeldurchmesser", "Kugeldurchmesser:", "measurement ball diameter:"},
                  {"MoveTop", "<<", "<<"},
                  {"MoveUp", "<", "<"},
                  {"MoveDown", ">", ">"},
                  {"MoveBottom", ">>", ">>"},
                  {"Btn_EraseValue", "Löschen", "Erase"},
                  {"Btn_EditValue", "Ändern", "Edit"},
                  {"Btn_takeOver", "Hinzufügen", "Add"},
                  {"Btn_Undo", "Undo", "Undo"},
                  {"Btn_StoreList", "Speichern", "Save"},
                  {"Btn_Close", "Beenden", "Exit"}},
                 language);
}

std::string OutputFailureText(OutputFailure failure, const std::string& target, Language language) {
  switch (failure) {
    case OutputFailure::kMarginsTooLarge:
      return Text(TextId::kMarginsTooLarge, language);
    case OutputFailure::kPrinterFailed:
      if (target.empty()) return Text(TextId::kPrinterRefused, language);
      return Text(TextId::kNamedPrinterRefused, language, {target});
    case OutputFailure::kFileNotWritten:
      return Text(TextId::kPdfNotWritten, language, {target});
    case OutputFailure::kPictureNotWritten:
      return Text(TextId::kPictureNotWritten, language, {target});
    case OutputFailure::kCsvNotWritten:
      return Text(TextId::kCsvNotWritten, language, {target});
  }
  return "";
}

std::string WindowModel::HelpDocument(bool programManual) const {
  // Entries: 0 instrument German, 1 instrument English, 2 program German, 3 program English.
  const std::size_t entry = (programManual ? 2u : 0u) + (language() == kEnglish ? 1u : 0u);
  if (entry >= documents_.size()) return "";
  return programDirectory_ + "docs" + platform::PathSeparator() + documents_[entry];
}

void WindowModel::HelpDocumentFailed() {
  const Action action(*this);
  dialogs_.ShowMessage(Text(TextId::kHelpFailedTitle, language()),
                       Text(TextId::kHelpFailed, language()), DialogKind::kCustom, {kButtonOk});
}

void WindowModel::OpenHelpDocument(bool programManual,
                                   const std::function<bool(const std::string&)>& open) {
  const Action action(*this);
  const std::string path = HelpDocument(programManual);
  if (!path.empty() && !Exists(path)) {
    dialogs_.ShowMessage(ProgramName(language()),
                         Text(TextId::kHelpDocumentMissing, language(), {path}), DialogKind::kError,
                         {kButtonOk});
    return;
  }
  if (path.empty() || !open || !open(path)) HelpDocumentFailed();
}

std::optional<std::vector<std::string>> WindowModel::ProgramHistory() {
  const Action action(*this);
  const bool english = language() == kEnglish;
  const std::string path =
      programDirectory_ + (english ? "Silvarone_history.txt" : "Silvarone_historie.txt");
  if (auto lines = ReadTextLines(path)) return *lines;
  dialogs_.ShowMessage(Text(TextId::kHistoryMissingTitle, language()),
                       Text(TextId::kHistoryMissing, language()), DialogKind::kError,
                       {kButtonAbort});
  return std::nullopt;
}

std::optional<std::string> WindowModel::ChooseFileToWrite(FileDialogPurpose purpose,
                                                          const std::string& filter,
                                                          TextId fallbackName,
                                                          const std::string& extension) {
  std::error_code error;
  FileDialogSetup setup;
  setup.purpose = purpose;
  setup.folder = fs::is_directory(project_.directory, error)
                     ? project_.directory
                     : DefaultProjectDirectory(settingsDirectory_);
  setup.filter = filter;
  // Named after the project file, else the project, else what is written.
  std::string name = fs::path(project_.fileName).stem().string();
  if (project_.noProjectOpen || name.empty()) name = projectData_.name;
  if (name.find_first_of("/\\") != std::string::npos || name.empty()) {
    name = Text(fallbackName, language());
  }
  setup.presetName = name + "." + extension;
  setup.defaultExtension = extension;
  auto chosen = dialogs_.ChooseFileToSave(setup);
  if (!chosen) return std::nullopt;
  return chosen;
}

bool WindowModel::MayOverwrite(const std::string& path) {
  return !Exists(path) ||
         dialogs_.ShowMessage(Text(TextId::kOverwriteTitle, language()),
                              Text(TextId::kOverwriteFile, language(), {path}),
                              DialogKind::kConfirmation, {kButtonOk, kButtonCancel}) == kButtonOk;
}

std::optional<std::string> WindowModel::ChooseReportPdf() {
  const Action action(*this);
  auto chosen =
      ChooseFileToWrite(FileDialogPurpose::kSaveReportPdf, "*.pdf", TextId::kReportFileName, "pdf");
  if (!chosen) return std::nullopt;
  if (fs::path(*chosen).extension().empty()) *chosen += ".pdf";
  if (!MayOverwrite(*chosen)) return std::nullopt;
  return chosen;
}

std::optional<std::string> WindowModel::ChooseDrawingPicture() {
  const Action action(*this);
  auto chosen = ChooseFileToWrite(FileDialogPurpose::kSavePicture, "*.svg *.png",
                                  TextId::kPictureFileName, "svg");
  if (!chosen) return std::nullopt;
  // Any other name becomes an SVG picture.
  if (PictureFormatOf(*chosen) == PictureFormat::kUnknown) *chosen += ".svg";
  if (!MayOverwrite(*chosen)) return std::nullopt;
  return chosen;
}

std::optional<std::string> WindowModel::ChooseLogCsv() {
  const Action action(*this);
  auto chosen =
      ChooseFileToWrite(FileDialogPurpose::kSaveLogCsv, "*.csv", TextId::kLogCsvFileName, "csv");
  if (!chosen) return std::nullopt;
  if (fs::path(*chosen).extension().empty()) *chosen += ".csv";
  if (!MayOverwrite(*chosen)) return std::nullopt;
  return chosen;
}

DrawingView WindowModel::drawingView() const {
  return MakeDrawingView(drawingInput_, language());
}

void WindowModel::ReportOutputFailed(OutputFailure failure, const std::string& target) {
  const Action action(*this);
  dialogs_.ShowMessage(ProgramName(language()), OutputFailureText(failure, target, language()),
                       DialogKind::kError, {kButtonOk});
}

bool WindowModel::OpenBallEditor() {
  const Action action(*this);
  if (!editBallsEnabled_) {
    dialogs_.ShowNumberedMessage(kMessageWrongPassword, "", "");
    return false;
  }
  ballEditor_.Open(workspace_.ball.deviceBalls);
  return true;
}

void WindowModel::SelectBallLine(int line) {
  const Action action(*this);
  ballEditor_.SelectLine(line);
}

void WindowModel::TypeBallDiameter(const std::string& text) {
  const Action action(*this);
  ballEditor_.TypeText(text);
}

void WindowModel::EditBallSequence(BallEdit edit) {
  const Action action(*this);
  using Operation = void (BallSequenceEditor::*)();
  static constexpr std::pair<BallEdit, Operation> kOperations[] = {
      {BallEdit::kMoveTop, &BallSequenceEditor::MoveTop},
      {BallEdit::kMoveUp, &BallSequenceEditor::MoveUp},
      {BallEdit::kMoveDown, &BallSequenceEditor::MoveDown},
      {BallEdit::kMoveBottom, &BallSequenceEditor::MoveBottom},
      {BallEdit::kAdd, &BallSequenceEditor::Add},
      {BallEdit::kChange, &BallSequenceEditor::Change},
      {BallEdit::kErase, &BallSequenceEditor::Erase},
      {BallEdit::kUndo, &BallSequenceEditor::Undo},
  };
  for (const auto& [which, operation] : kOperations) {
    if (which == edit) (ballEditor_.*operation)();
  }
}

void WindowModel::SaveBallEditor() {
  const Action action(*this);
  if (const auto stored =
          ballEditor_.Save(silvarone::DeviceBallFilePath(programDirectory_, settingsDirectory_)))
    BallEditorSaved(*stored);
}

void WindowModel::BallEditorSaved(const std::vector<std::string>& deviceBalls) {
  const Action action(*this);
  if (deviceBalls.empty()) return;
  workspace_.ball.deviceBalls = deviceBalls;
  SelectionOf(ctl::ComboBox4).items = deviceBalls;
  deviceBallLines_ = deviceBalls;
}

bool WindowModel::CloseBallEditor() {
  const Action action(*this);
  return ballEditor_.Close();
}

void WindowModel::BallEditorClosed() {
  const Action action(*this);
  FieldOf(ctl::Input_Password).text.clear();
  editBallsEnabled_ = false;
}

}  // namespace silvarone
