#include "gui/main_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/version.h"
#include "gui/binder.h"
#include "gui/pages.h"
#include "gui/widgets.h"
#include "report/report.h"

namespace silvarone::gui {
namespace {

// A read-only text in a window of its own: the report and the program
// history, until their own windows come.
void ShowText(QWidget* parent, const QString& title, const QStringList& lines, bool fixedPitch) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  auto* text = new QPlainTextEdit(&dialog);
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  if (fixedPitch) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(8);
    text->setFont(font);
  }
  text->setPlainText(lines.join('\n'));
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(760, 600);
  dialog.exec();
}

QStringList ToList(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines)
    list << Q(line);
  return list;
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
      const int page = model_.page() + step;
      if (page >= kPageDrawing1 && page <= kPageProject) model_.ChangePage(static_cast<Page>(page));
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
  binder_->Refresh();
  for (PageBase* page : pageList_)
    page->Refresh();
  for (int i = 0; i < 4; ++i) {
    const QString text = Q(model_.statusBar()[static_cast<std::size_t>(i)]);
    if (status_[i]->text() != text) status_[i]->setText(text);
  }
  const QString title = Q(model_.caption("TMainForm"));
  if (windowTitle() != title) setWindowTitle(title);
  PlaceUpDown();
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
  const std::string path = model_.HelpDocument(programManual);
  if (path.empty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)))) {
    model_.HelpDocumentFailed();
  }
}

void MainWindow::ShowHistory() {
  const auto lines = model_.ProgramHistory();
  if (!lines) return;
  const bool english = model_.gear().state.language == kEnglish;
  ShowText(this, english ? "Program History" : "Programm Historie", ToList(*lines), false);
}

void MainWindow::ShowAbout() {
  const bool english = model_.gear().state.language == kEnglish;
  const QString name = Q(english ? kProgramName : kProgramNameGerman);
  QMessageBox::about(this, name,
                     name + "\n" + (english ? "Version: " : "Version: ") + Q(kProgramVersion) +
                         "\n" + (english ? "Date:   " : "Datum:  ") + Q(kProgramDate));
}

void MainWindow::ShowReport() {
  const bool english = model_.gear().state.language == kEnglish;
  ShowText(this, english ? "Report" : "Protokoll", ToList(BuildReport(model_.ReportData())), true);
}

void MainWindow::OpenBallEditor() {
  if (!model_.OpenBallEditor()) return;
  // The ball sequence editor window comes next; until then the sequence is shown.
  ShowText(this, Q(model_.caption("GroupBox_EditVEKKugel")),
           ToList(model_.ballEditor().DisplayList()), false);
  model_.BallEditorClosed();
}

}  // namespace silvarone::gui
