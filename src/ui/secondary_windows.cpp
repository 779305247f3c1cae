// The secondary windows' texts, and the model's part of the help menu, the
// report's PDF file and printing, and the ball editor's "Speichern".
#include "ui/secondary_windows.h"

#include <filesystem>

#include "core/version.h"
#include "device/series.h"
#include "platform/locations.h"
#include "report/report.h"
#include "storage/device_ball_file.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

namespace fs = std::filesystem;

std::string ProgramName(Language language) {
  return std::string(language == kEnglish ? kProgramName : kProgramNameGerman);
}

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

WindowTexts InfoWindowTexts(Language language) {
  const bool english = language == kEnglish;
  const MakerTexts maker = Maker(language);
  WindowTexts texts = {
      {"TInfoWindow", "Info"},
      {"LabelInfo_1", ProgramName(language)},
      {"LabelInfo_2", "Version: " + std::string(kProgramVersion)},
      {"LabelInfo_3", (english ? "Date:   " : "Datum:  ") + std::string(kProgramDate)},
      {"LabelMaker_Licence", maker.licence},
      {"LabelMaker_Manual", maker.manual},
      {"OKButton", english ? "Close" : "Beenden"},
  };
  if (!maker.web.empty()) texts.emplace_back("LabelMaker_Web", maker.web);
  return texts;
}

std::string InfoWebAddress() {
  return std::string(kWebAddress);
}

WindowTexts HistoryWindowTexts(Language language) {
  const bool english = language == kEnglish;
  return {
      {"THistoryForm", english ? "Program History" : "Programm Historie"},
      {"OK_btn", english ? "Close" : "Beenden"},
  };
}

WindowTexts OutputWindowTexts(Language language) {
  const bool english = language == kEnglish;
  return {
      {"TOutputWindow", english ? "Report" : "Protokoll"},
      {"PrintButton", english ? "Print" : "Drucken"},
      {"PreviewButton", english ? "Preview" : "Vorschau"},
      {"PdfButton", english ? "Save as PDF" : "Als PDF speichern"},
      {"CloseButton", english ? "Close" : "Beenden"},
  };
}

std::string OutputFailureText(OutputFailure failure, const std::string& target, Language language) {
  const bool english = language == kEnglish;
  switch (failure) {
    case OutputFailure::kMarginsTooLarge:
      return "PrintString: the supplied margins are too large, thereis no area to print left on "
             "the page.";
    case OutputFailure::kPrinterFailed:
      if (target.empty()) {
        return english ? "The printer did not accept the print job."
                       : "Der Drucker hat den Druckauftrag nicht angenommen.";
      }
      return english ? "The printer " + target + " did not accept the print job."
                     : "Der Drucker " + target + " hat den Druckauftrag nicht angenommen.";
    case OutputFailure::kFileNotWritten:
      return english ? "The PDF file " + target + " cannot be written."
                     : "Die PDF-Datei " + target + " kann nicht geschrieben werden.";
  }
  return "";
}

void WindowModel::OpenHelpDocument(bool programManual,
                                   const std::function<bool(const std::string&)>& open) {
  const Action action(*this);
  const std::string path = HelpDocument(programManual);
  if (!path.empty() && !Exists(path)) {
    const bool english = gear().state.language == kEnglish;
    dialogs_.ShowMessage(ProgramName(gear().state.language),
                         english ? "The help document " + path + " is missing."
                                 : "Das Hilfedokument " + path + " fehlt.",
                         DialogKind::kError, {kButtonOk});
    return;
  }
  if (path.empty() || !open || !open(path)) HelpDocumentFailed();
}

std::optional<std::string> WindowModel::ChooseReportPdf() {
  const Action action(*this);
  const Language language = gear().state.language;
  const bool english = language == kEnglish;
  std::error_code error;
  FileDialogSetup setup;
  setup.title = english ? "Save report as PDF" : "Protokoll als PDF speichern";
  setup.folder = fs::is_directory(project_.directory, error)
                     ? project_.directory
                     : DefaultProjectDirectory(settingsDirectory_);
  setup.filter = "*.pdf";
  // Named after the project file, else the project, else the report.
  std::string name = fs::path(project_.fileName).stem().string();
  if (project_.noProjectOpen || name.empty()) name = projectData_.name;
  if (name.find_first_of("/\\") != std::string::npos || name.empty()) {
    name = english ? "Report" : "Protokoll";
  }
  setup.presetName = name + ".pdf";
  setup.defaultExtension = "pdf";
  auto chosen = dialogs_.ChooseFileToSave(setup);
  if (!chosen) return std::nullopt;
  if (fs::path(*chosen).extension().empty()) *chosen += ".pdf";
  if (Exists(*chosen) &&
      dialogs_.ShowMessage("Information",
                           english ? "The file " + *chosen + " already exists.\r\nOverwrite?"
                                   : "Die Datei " + *chosen + " besteht bereits.\r\nÜberschreiben?",
                           DialogKind::kConfirmation, {kButtonOk, kButtonCancel}) != kButtonOk) {
    return std::nullopt;
  }
  return chosen;
}

void WindowModel::ReportOutputFailed(OutputFailure failure, const std::string& target) {
  const Action action(*this);
  const Language language = gear().state.language;
  dialogs_.ShowMessage(ProgramName(language), OutputFailureText(failure, target, language),
                       DialogKind::kError, {kButtonOk});
}

void WindowModel::SaveBallEditor() {
  const Action action(*this);
  if (const auto stored =
          ballEditor_.Save(silvarone::DeviceBallFilePath(programDirectory_, settingsDirectory_)))
    BallEditorSaved(*stored);
}

}  // namespace silvarone
