#include "gui/screenshots.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "gui/drawing_window.h"
#include "gui/log_window.h"
#include "gui/main_window.h"
#include "gui/widgets.h"
#include "platform/file_system.h"
#include "platform/locations.h"
#include "storage/part_log.h"
#include "ui/controls.h"
#include "ui/log_entry.h"
#include "ui/log_statistics.h"

namespace silvarone::gui {
namespace {

namespace fs = std::filesystem;

// Messages go to stderr; questions take their default answer.
class QuietPresenter : public DialogPresenter {
 public:
  int Show(const DialogRequest& request) override {
    std::cerr << (request.number != 0 ? std::to_string(request.number) + ": " : std::string())
              << request.text << '\n';
    return request.defaultButton;
  }
  std::optional<std::string> ChooseFileToOpen(const FileDialogSetup&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFileToSave(const FileDialogSetup&) override {
    return std::nullopt;
  }
};

constexpr const char* kUsage = "usage: silvarone screenshots DIR [--lang de|en]\n";

// The folder and the language of `screenshots DIR [--lang de|en]`; false,
// with one line on stderr, for a usage error.
bool ParseArguments(const std::vector<std::string>& arguments, std::string& folder,
                    std::optional<Language>& language) {
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--lang" && i + 1 < arguments.size()) {
      const std::string& code = arguments[++i];
      if (code != "de" && code != "en") {
        std::cerr << "silvarone: --lang takes de or en, not '" << code << "'\n";
        return false;
      }
      language = code == "de" ? kGerman : kEnglish;
    } else if (folder.empty() && !arguments[i].starts_with("-")) {
      folder = arguments[i];
    } else {
      std::cerr << kUsage;
      return false;
    }
  }
  if (folder.empty()) {
    std::cerr << kUsage;
    return false;
  }
  return true;
}

// The window as it shows now, drawn into memory, then written whole by the
// program's one writer: a pipe in the picture's place is refused, a full
// disk leaves the old picture. False, with one line on stderr, when it could
// not be written.
bool WritePicture(QWidget& window, const QString& path) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  platform::WriteFailure failure = platform::WriteFailure::kError;
  if (window.grab().save(&buffer, "PNG")) {
    failure = platform::ReplaceFileAtomically(
        ToStdString(path), std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
  }
  if (failure != platform::WriteFailure::kNone) {
    std::cerr << "silvarone: cannot write '" << ToStdString(path)
              << "': " << platform::WriteFailureText(failure) << "\n";
    return false;
  }
  return true;
}

// Every page of the window in turn, TabSheet1.png to TabSheet5.png: 0, or
// kScreenshotsOutputFailed at the first picture that could not be written.
int PicturePages(WindowModel& model, const std::string& folder) {
  MainWindow window(model);
  window.resize(1280, 800);
  window.show();
  QApplication::processEvents();
  for (int page = TabIndex(Page::kDrawing1); page <= TabIndex(Page::kProject); ++page) {
    model.ChangePage(static_cast<Page>(page));
    QApplication::processEvents();
    const QString path =
        QDir(QString::fromStdString(folder)).filePath(QString("TabSheet%1.png").arg(page + 1));
    if (!WritePicture(window, path)) return kScreenshotsOutputFailed;
  }
  return 0;
}

// The log window with a day's parts of the gear on the calculation page,
// LogWindow.png: the parts go into a log of their own in a temporary folder,
// so the user's log stays untouched. 0, or kScreenshotsOutputFailed.
int PictureLog(WindowModel& model, const std::string& folder) {
  model.ChangePage(Page::kCalculation);
  const auto like =
      MakeLogEntry(model, {"0", LogDimension::kSpan, ""}, {LogMomentNow(), "pruefer"});
  QTemporaryDir temporary;
  const bool limits = like && LogNumber(like->lower) && LogNumber(like->upper);
  if (!limits || !temporary.isValid()) return 0;  // no limits to measure against
  const double lower = LogNumber(like->lower).value_or(0.0);
  const double upper = LogNumber(like->upper).value_or(0.0);
  const std::string path = ToStdString(temporary.filePath("log.sqlite"));
  auto log = InspectionLog::Open(path);
  if (!log) return 0;
  // Where in the tolerance each part lies; the eighth is above the upper limit.
  const double places[] = {0.42, 0.55, 0.37, 0.61, 0.48, 0.70, 0.52, 1.12, 0.58, 0.45};
  for (std::size_t i = 0; i < std::size(places); ++i) {
    LogEntry entry = *like;
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", lower + places[i] * (upper - lower));
    entry.measured = text;
    entry.verdict = VerdictOf(LogNumber(entry.measured).value_or(0.0), lower, upper);
    std::snprintf(text, sizeof text, "2026-12-08T%02zu:%02zu:00Z", 7 + i / 4, (i % 4) * 14);
    entry.recordedUtc = text;
    entry.utcOffsetMinutes = 60;
    entry.serial = "A-" + std::to_string(101 + i);
    const auto id = log->Record(entry);
    if (id && i == 3)
      log->Void(*id, model.language() == kEnglish ? "gauge not zeroed" : "Messuhr nicht genullt",
                "2026-12-08T08:30:00Z");
  }
  LogWindow window(model, path);
  window.show();
  QApplication::processEvents();
  const QString picture = QDir(QString::fromStdString(folder)).filePath("LogWindow.png");
  return WritePicture(window, picture) ? 0 : kScreenshotsOutputFailed;
}

// The drawing window of the gear the pages show, DrawingFailed.png (the first
// start's gear, whose span and ball fail their checks: red marks), then of
// the same gear measured over the recommended k with the recommended ball,
// Drawing.png.
int PictureDrawings(WindowModel& model, const std::string& folder) {
  const QDir dir(QString::fromStdString(folder));
  model.ChangePage(Page::kCalculation);
  DrawingWindow window(model);
  window.show();
  QApplication::processEvents();
  if (!WritePicture(window, dir.filePath("DrawingFailed.png"))) return kScreenshotsOutputFailed;
  const std::string teeth = model.field(ctl::Edit103).text;
  const std::string ball = model.field(ctl::Edit203).text;
  model.ChangePage(Page::kDrawing1);
  model.Edited(ctl::Input_Calc_kM, teeth);
  model.Confirm(ctl::Input_Calc_kM);
  model.Edited(ctl::Input_Calc_DM, ball);
  model.Confirm(ctl::Input_Calc_DM);
  model.ChangePage(Page::kCalculation);
  window.Refresh();
  QApplication::processEvents();
  return WritePicture(window, dir.filePath("Drawing.png")) ? 0 : kScreenshotsOutputFailed;
}

}  // namespace

int RunScreenshots(const std::vector<std::string>& arguments) {
  std::string folder;
  std::optional<Language> language;
  if (!ParseArguments(arguments, folder, language)) return 2;
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) {
    std::cerr << "silvarone: cannot create the folder '" << folder << "'\n";
    return 2;
  }

  QuietPresenter presenter;
  WindowModel model(presenter);
  // The stored settings, read once and never written: pictures change nothing.
  if (!model.Start({.settingsDirectory = platform::SettingsDirectory(),
                    .programDirectory = platform::ProgramDirectory(),
                    .checkPdfViewer = false,
                    .inMemory = true})) {
    return 2;
  }
  if (language) model.SwitchLanguage(*language);
  if (const int failed = PicturePages(model, folder); failed != 0) return failed;
  if (const int failed = PictureDrawings(model, folder); failed != 0) return failed;
  return PictureLog(model, folder);
}

}  // namespace silvarone::gui
