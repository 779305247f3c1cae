// The window's response times, offscreen: from the application to the main
// window ready to show (start sequence included), a language switch with
// every caption and a repaint, and Enter in a field to the repainted window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <filesystem>
#include <optional>

#include "gui/main_window.h"
#include "silent_presenter.h"

namespace {

using namespace silvarone;

std::string Home() {
  static const std::string home =
      (std::filesystem::temp_directory_path() / "silvarone-window-bench/").string();
  return home;
}

StartOptions Options() {
  return {.settingsDirectory = Home(),
          .programDirectory = std::string(SILVARONE_DATA_DIR) + "/",
          .checkPdfViewer = false};
}

void BM_StartToWindowReady(benchmark::State& state) {
  for (auto _ : state) {
    Silent presenter;
    WindowModel model(presenter);
    model.Start(Options());
    gui::MainWindow window(model);
    window.resize(1280, 800);
    benchmark::DoNotOptimize(window.sizeHint());
  }
}
BENCHMARK(BM_StartToWindowReady)->Unit(benchmark::kMillisecond);

// A window on the screen for the repaint benchmarks.
struct ShownWindow {
  ShownWindow() : window(StartedModel()) {
    window.resize(1280, 800);
    window.show();
    QApplication::processEvents();
  }
  WindowModel& StartedModel() {
    model.Start(Options());
    return model;
  }
  Silent presenter;
  WindowModel model{presenter};
  gui::MainWindow window;
};

void BM_LanguageSwitch(benchmark::State& state) {
  ShownWindow shown;
  Language language = kEnglish;
  for (auto _ : state) {
    shown.model.SwitchLanguage(language);
    QApplication::processEvents();
    language = language == kEnglish ? kGerman : kEnglish;
  }
}
BENCHMARK(BM_LanguageSwitch)->Unit(benchmark::kMillisecond);

void BM_EnterInField(benchmark::State& state) {
  ShownWindow shown;
  auto* field = shown.window.findChild<QLineEdit*>("Input_b_w");
  bool wide = false;
  for (auto _ : state) {
    field->setFocus();
    field->setText(wide ? "30" : "20");
    emit field->textEdited(field->text());
    emit field->returnPressed();
    QApplication::processEvents();
    wide = !wide;
  }
}
BENCHMARK(BM_EnterInField)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(Home());
  return 0;
}
