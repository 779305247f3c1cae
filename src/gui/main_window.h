// The main window TMainForm: five pages in PageControl1, the menu, the
// door button, the status bar and UpDown1. It repaints itself from the
// window model once per action; every decision is the model's.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <vector>

#include "gui/qt_translations.h"
#include "ui/window_model.h"

class QLabel;
class QTabWidget;

namespace silvarone::gui {

class Binder;
class DrawingWindow;
class LogWindow;
class PageBase;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(WindowModel& model);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Repaints everything from the model.
  void Repaint();
  // The texts of the language of the moment, kind by kind.
  void RetranslateText();
  QTabWidget* pages() const { return pages_; }
  // The drawing window, once the menu opened it.
  DrawingWindow* drawingWindow() const { return drawing_; }
  // The inspection log window, once the menu opened it.
  LogWindow* logWindow() const { return log_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenu();
  void BuildToolBar();
  void RetranslateStatusBar();
  void RetranslateTitle();
  void PlaceUpDown();
  void OpenHelp(bool programManual);
  void ShowHistory();
  void ShowAbout();
  void ShowReport();
  void ShowDrawing();
  void ShowLog();
  void OpenBallEditor();

  WindowModel& model_;
  QTabWidget* pages_;
  std::vector<PageBase*> pageList_;
  Binder* binder_ = nullptr;
  QLabel* status_[4];
  QWidget* upDown_;
  QElapsedTimer progressClock_;
  DrawingWindow* drawing_ = nullptr;
  LogWindow* log_ = nullptr;
  QtTranslations qtTexts_;
};

}  // namespace silvarone::gui
