// Norlath Measurement: test dimensions for the inspection of involute
// cylindrical gears. Without arguments the program opens its window;
// `silvarone report ...` prints the calculation report and needs no display;
// `silvarone screenshots DIR` draws the pages of the window into pictures;
// `silvarone report ... --pdf OUT.pdf` writes the report's pages as PDF;
// `silvarone diagram ... OUT.svg` draws the measurement to scale.
#include <QApplication>
#include <QIcon>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "gui/dialog_presenter.h"
#include "gui/drawing_painter.h"
#include "gui/main_window.h"
#include "gui/print_string.h"
#include "gui/screenshots.h"
#include "platform/file_system.h"
#include "platform/locations.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

int RunWindow(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("silvarone");
  // The installed desktop entry and icon (packaging/): the desktop shows the
  // window under the entry's name and icon.
  QGuiApplication::setDesktopFileName("silvarone");
  QApplication::setWindowIcon(QIcon::fromTheme("silvarone"));
  silvarone::gui::QtDialogPresenter presenter;
  silvarone::WindowModel model(presenter);
  if (!model.Start({.settingsDirectory = silvarone::platform::SettingsDirectory(),
                    .programDirectory = silvarone::platform::ProgramDirectory(),
                    .checkPdfViewer = true})) {
    return 1;  // no PDF viewer: the start has said so
  }
  silvarone::gui::MainWindow window(model);
  presenter.SetParent(&window);
  window.show();
  return QApplication::exec();
}

// Qt's own notices on a command line run: its debug and info output and its
// notes about the desktop session (no runtime folder, a platform plugin that
// cannot do what a window manager would) tell a script nothing it can act
// on and would mix with the program's one-line messages. Other warnings,
// such as a missing font, stay, marked as the program's.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (message.startsWith("QStandardPaths: ") || message.startsWith("This plugin does not support"))
    return;
  std::cerr << "silvarone: " << message.toStdString() << '\n';
}

// The report's pages into a PDF file, without a display: the application
// starts on the offscreen platform only when a PDF is asked for.
silvarone::platform::WriteFailure WritePdf(int argc, char** argv,
                                           const std::vector<std::string>& lines,
                                           const silvarone::DrawingView& drawing,
                                           const silvarone::LogChart* chart,
                                           const std::string& path) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietQtMessages);
  QApplication application(argc, argv);
  silvarone::platform::WriteFailure failure = silvarone::platform::WriteFailure::kError;
  silvarone::gui::WriteReportPdf(lines, path, &failure, &drawing, chart);
  return failure;
}

// The measurement drawing as a picture, without a display, as the drawing
// window saves it when it opens.
silvarone::platform::WriteFailure WriteDrawing(int argc, char** argv,
                                               const silvarone::DrawingView& drawing,
                                               const std::string& path) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietQtMessages);
  QApplication application(argc, argv);
  return silvarone::gui::WriteDrawingPicture(drawing, silvarone::gui::StartRegion(drawing), path);
}

}  // namespace

int main(int argc, char** argv) {
  // A full disk or a file-size limit is reported, not a reason to die.
  silvarone::platform::ReportFileSizeLimitAsError();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.empty()) return RunWindow(argc, argv);
  // The batch passes on rows piped in one by one as they come: standard
  // input tied to C stdio reads whole chunks and cannot tell what a pipe has
  // at hand.
  if (arguments[0] == "batch") std::ios::sync_with_stdio(false);
  if (arguments[0] == "screenshots") {
    // Pictures need no screen.
    if (!HasDisplay()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietQtMessages);
    QApplication application(argc, argv);
    return silvarone::gui::RunScreenshots(arguments);
  }
  return silvarone::RunCommandLine(
      arguments, std::cout, std::cerr,
      [&](const std::vector<std::string>& lines, const silvarone::DrawingView& drawing,
          const silvarone::LogChart* chart,
          const std::string& path) { return WritePdf(argc, argv, lines, drawing, chart, path); },
      [&](const silvarone::DrawingView& drawing, const std::string& path) {
        return WriteDrawing(argc, argv, drawing, path);
      });
}
