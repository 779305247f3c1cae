#include "gui/main_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "gui/ball_editor_window.h"
#include "gui/binder.h"
#include "gui/drawing_window.h"
#include "gui/history_window.h"
#include "gui/info_window.h"
#include "gui/log_window.h"
#include "gui/output_window.h"
#include "gui/pages.h"
#include "gui/widgets.h"
#include "platform/documents.h"

namespace silvarone::gui {
namespace {

// A help document goes to the viewer the start check accepted.
bool OpenInPdfViewer(const std::string& path) {
  const platform::PdfViewer viewer = platform::FindPdfViewer();
  if (!viewer.found) return false;
  if (viewer.program.empty())
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
  return QProcess::startDetached(ToQString(viewer.program), {ToQString(path)});
}

}  // namespace

MainWindow::MainWindow(WindowModel& model) : model_(model) {
  setObjectName("TMainForm");
  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl1");
  pageList_ = {new DrawingPage(model), new TolerancePage(model), new CalculationPage(model),
               new SetupPage(model), new ProjectPage(model)};
  for (PageBase* page : pageList_)
    pages_->addTab(page, QString());
  setCentralWidget(pages_);

  // Next and previous page beside the tabs, without wrapping.
  upDown_ = new QWidget(pages_);
  upDown_->setObjectName("UpDown1");
  auto* arrows = new QHBoxLayout(upDown_);
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  for (int step : {-1, 1}) {
    auto* arrow = new QToolButton(upDown_);
    arrow->setObjectName(step < 0 ? "UpDown1_Previous" : "UpDown1_Next");
    arrow->setArrowType(step < 0 ? Qt::LeftArrow : Qt::RightArrow);
    arrow->setAutoRaise(true);
    connect(arrow, &QToolButton::clicked, this, [this, step] {
      const int page = TabIndex(model_.page()) + step;
      if (page >= TabIndex(Page::kDrawing1) && page <= TabIndex(Page::kProject))
        model_.ChangePage(static_cast<Page>(page));
    });
    arrows->addWidget(arrow);
  }

  BuildMenu();
  BuildToolBar();
  for (int i = 0; i < 4; ++i) {
    status_[i] = new QLabel(this);
    status_[i]->setObjectName(QString("StatusPanel%1").arg(i));
    statusBar()->addWidget(status_[i], i == 3 ? 1 : 0);
  }

  binder_ = new Binder(model_, this, pages_);
  connect(binder_, &Binder::ballEditorRequested, this, &MainWindow::OpenBallEditor);
  if (auto* edit = findChild<QAbstractButton*>("EditVEKKugel")) {
    connect(edit, &QAbstractButton::clicked, this, &MainWindow::OpenBallEditor);
  }
  model_.onChanged = [this] { Repaint(); };
  // The back-calculation repaints its progress bar now and then while it runs.
  model_.onProgress = [this] {
    if (progressClock_.isValid() && progressClock_.elapsed() < 20) return;
    progressClock_.restart();
    for (PageBase* page : pageList_)
      page->Refresh();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  Repaint();
}

MainWindow::~MainWindow() {
  model_.onChanged = nullptr;
  model_.onProgress = nullptr;
}

void MainWindow::BuildMenu() {
  const auto action = [this](QMenu* menu, const char* name, auto slot) {
    QAction* item = menu->addAction(QString());
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, slot);
    return item;
  };
  QMenu* file = menuBar()->addMenu(QString());
  file->setObjectName("File1");
  action(file, "Exit1", [this] { close(); });

  QMenu* project = menuBar()->addMenu(QString());
  project->setObjectName("Ausgabe1");
  action(project, "NewProject", [this] { model_.NewProject(); });
  project->addSeparator();
  action(project, "LoadProject", [this] { model_.LoadProject(); });
  action(project, "SaveProject", [this] { model_.SaveProject(); });
  action(project, "SaveAsProject", [this] { model_.SaveProjectAs(); });
  project->addSeparator();
  action(project, "EraseProject", [this] { model_.EraseProject(); });

  QAction* output = menuBar()->addAction(QString());
  output->setObjectName("Ausgabe2");
  connect(output, &QAction::triggered, this, &MainWindow::ShowReport);
  QAction* drawing = menuBar()->addAction(QString());
  drawing->setObjectName("Zeichnung1");
  connect(drawing, &QAction::triggered, this, &MainWindow::ShowDrawing);
  QAction* log = menuBar()->addAction(QString());
  log->setObjectName("Pruefprotokoll1");
  connect(log, &QAction::triggered, this, &MainWindow::ShowLog);

  QMenu* help = menuBar()->addMenu(QString());
  help->setObjectName("N1");
  QMenu* manuals = help->addMenu(QString());
  manuals->setObjectName("Hilfe1");
  action(manuals, "Program1", [this] { OpenHelp(true); });
  action(manuals, "Messgert1", [this] { OpenHelp(false); });
  action(help, "Programmhistorie1", [this] { ShowHistory(); });
  QMenu* language = help->addMenu(QString());
  language->setObjectName("Sprachauswahl1");
  action(language, "Deutsch1", [this] { model_.SwitchLanguage(kGerman); });
  action(language, "Englisch1", [this] { model_.SwitchLanguage(kEnglish); });
  action(help, "Info1", [this] { ShowAbout(); });
}

void MainWindow::BuildToolBar() {
  QToolBar* bar = addToolBar(QString());
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  auto* door = new QToolButton(bar);
  door->setObjectName("DoorCloseButton");
  door->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  bar->addWidget(door);
  connect(door, &QToolButton::clicked, this, [this] {
    // Only the door offers to store the open project first.
    model_.DoorClose();
    close();
  });
}

void MainWindow::Repaint() {
  // Qt's own dialogs speak the program's language, not the system's.
  qtTexts_.Follow(model_.language());
  binder_->Refresh();
  for (PageBase* page : pageList_)
    page->Refresh();
  RetranslateText();
  PlaceUpDown();
  if (drawing_) drawing_->Refresh();
  if (log_) log_->Refresh();
}

void MainWindow::RetranslateText() {
  binder_->RetranslateMenus();
  binder_->RetranslateActions();
  binder_->RetranslatePages();
  RetranslateStatusBar();
  RetranslateTitle();
}

void MainWindow::RetranslateStatusBar() {
  for (int i = 0; i < 4; ++i) {
    const QString text = ToQString(model_.statusBar()[static_cast<std::size_t>(i)]);
    if (status_[i]->text() != text) status_[i]->setText(text);
  }
}

void MainWindow::RetranslateTitle() {
  const QString title = ToQString(model_.caption("TMainForm"));
  if (windowTitle() != title) setWindowTitle(title);
}

void MainWindow::PlaceUpDown() {
  // Where the window puts it, but never over the page tabs.
  QTabBar* tabs = pages_->tabBar();
  const int afterTabs = tabs->x() + tabs->sizeHint().width() + 4;
  upDown_->adjustSize();
  const int x = std::max(model_.upDownPosition(), afterTabs);
  const int y = tabs->y() + (tabs->height() - upDown_->height()) / 2;
  if (upDown_->pos() != QPoint(x, y)) upDown_->move(x, y);
  upDown_->raise();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  PlaceUpDown();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  PlaceUpDown();
}

void MainWindow::OpenHelp(bool programManual) {
  model_.OpenHelpDocument(programManual, OpenInPdfViewer);
}

void MainWindow::ShowHistory() {
  const auto lines = model_.ProgramHistory();
  if (!lines) return;
  HistoryWindow window(model_.language(), *lines, this);
  window.exec();
}

void MainWindow::ShowAbout() {
  InfoWindow window(model_, this);
  window.exec();
}

void MainWindow::ShowReport() {
  OutputWindow window(model_, this);
  window.exec();
}

void MainWindow::ShowDrawing() {
  // One window that stays open beside the main window and follows every
  // calculation.
  if (!drawing_) drawing_ = new DrawingWindow(model_, this);
  drawing_->Refresh();
  drawing_->show();
  drawing_->raise();
  drawing_->activateWindow();
}

void MainWindow::ShowLog() {
  // Like the drawing: stays open beside the main window and follows the gear.
  if (!log_)
    log_ = new LogWindow(model_, model_.settingsDirectory() + kInspectionLogFileName, this);
  log_->Refresh();
  log_->show();
  log_->raise();
  log_->activateWindow();
}

void MainWindow::OpenBallEditor() {
  if (!model_.OpenBallEditor()) return;
  BallEditorWindow window(model_, this);
  window.exec();
  model_.BallEditorClosed();
}

}  // namespace silvarone::gui
