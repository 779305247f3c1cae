// The report, about, history and ball editor windows opened from the main
// window, and the help menu's manuals.
#include <QDesktopServices>
#include <QFontInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlock>
#include <QUrl>

#include "gui/binder.h"
#include "gui/output_window.h"
#include "gui/widgets.h"
#include "pdf_text.h"
#include "report/report.h"
#include "window_fixture.h"

namespace silvarone {
namespace {

using Windows = testing::WindowTest;

// Takes the documents the program hands to the system's viewer.
class Viewer : public QObject {
  Q_OBJECT

 public slots:
  void Open(const QUrl& url) { opened.push_back(url); }

 public:
  std::vector<QUrl> opened;
};

template <typename T = QWidget>
T* Child(QWidget* window, const char* name) {
  T* child = window->findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

QString Caption(QWidget* window, const char* name) {
  if (auto* label = window->findChild<QLabel*>(name)) return label->text();
  return Child<QAbstractButton>(window, name)->text();
}

void Press(QWidget* window, const char* button) {
  QTest::mouseClick(Child(window, button), Qt::LeftButton);
}

TEST_F(Windows, ReportWindowShowsPrintsAndFollowsTheLanguage) {
  Open();
  const std::string pdf = Path("printed.pdf");
  for (Language language : {kGerman, kEnglish}) {
    Trigger(language == kGerman ? "Deutsch1" : "Englisch1");
    const std::vector<std::string> report = BuildReport(model.ReportData());
    bool shown = false;
    WhenModal([&](QWidget* window) {
      shown = window->objectName() == "TOutputWindow";
      auto* view = Child<QPlainTextEdit>(window, "ReportView");
      EXPECT_TRUE(view->isReadOnly());
      EXPECT_EQ(view->lineWrapMode(), QPlainTextEdit::NoWrap);
      EXPECT_TRUE(QFontInfo(view->font()).fixedPitch());
      EXPECT_EQ(view->font().pointSize(), 8);
      EXPECT_EQ(gui::S(view->toPlainText()), [&] {
        std::string text;
        for (const std::string& line : report)
          text += (text.empty() && &line == &report.front() ? "" : "\n") + line;
        return text;
      }());
      EXPECT_EQ(Caption(window, "PrintButton"), language == kGerman ? "Drucken" : "Print");
      EXPECT_EQ(Caption(window, "CloseButton"), language == kGerman ? "Beenden" : "Close");
      // "Drucken": the print dialog is confirmed with a PDF file as the printer.
      static_cast<gui::OutputWindow*>(window)->choosePrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(gui::Q(pdf));
        return true;
      };
      Press(window, "PrintButton");
      Press(window, "CloseButton");
    });
    Trigger("Ausgabe2");
    EXPECT_TRUE(shown);
    EXPECT_EQ(testing::PdfLines(pdf), testing::NonBlank(report));
  }
}

TEST_F(Windows, ReportSavedAsPdfOrTheFileNamed) {
  Open();
  const std::string pdf = Path("report.pdf");
  const std::string unwritable = Path("no/folder/report.pdf");
  presenter.files = {pdf, unwritable, std::nullopt};
  WhenModal([](QWidget* window) {
    Press(window, "PdfButton");
    Press(window, "PdfButton");
    Press(window, "PdfButton");  // cancelled: nothing happens
    Press(window, "CloseButton");
  });
  Trigger("Ausgabe2");
  EXPECT_EQ(testing::PdfLines(pdf), testing::NonBlank(BuildReport(model.ReportData())));
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{"Die PDF-Datei " + unwritable +
                                                            " kann nicht geschrieben werden."});
  EXPECT_FALSE(std::filesystem::exists(unwritable));
}

TEST_F(Windows, AboutWindowFollowsTheLanguage) {
  Open();
  struct Case {
    const char* menu;
    QString date, close;
  };
  for (const Case& c : {Case{"Deutsch1", "Datum:  02.10.2018", "Beenden"},
                        Case{"Englisch1", "Date:   02.10.2018", "Close"}}) {
    Trigger(c.menu);
    bool shown = false;
    WhenModal([&](QWidget* window) {
      shown = window->objectName() == "TInfoWindow";
      EXPECT_EQ(Caption(window, "LabelInfo_2"), "Version: 3.3.8");
      EXPECT_EQ(Caption(window, "LabelInfo_3"), c.date);
      EXPECT_EQ(Caption(window, "OKButton"), c.close);
      EXPECT_TRUE(Caption(window, "LabelMaker_Licence").contains("GPL-3.0-or-later"));
      Press(window, "OKButton");
    });
    Trigger("Info1");
    EXPECT_TRUE(shown) << c.menu;
  }
}

TEST_F(Windows, HistoryOfTheLanguageOrItsMessage) {
  const std::string program = ProgramCopy();
  std::filesystem::remove(program + "Silvarone_history.txt");
  Open("", program);
  QString firstLine;
  WhenModal([&](QWidget* window) {
    EXPECT_EQ(window->windowTitle(), "Programm Historie");
    auto* memo = Child<QPlainTextEdit>(window, "HistoryMemo");
    EXPECT_TRUE(memo->isReadOnly());
    firstLine = memo->document()->firstBlock().text();
    Press(window, "OK_btn");
  });
  Trigger("Programmhistorie1");
  std::ifstream german(program + "Silvarone_historie.txt");
  std::string expected;
  std::getline(german, expected);
  if (!expected.empty() && expected.back() == '\r') expected.pop_back();
  EXPECT_EQ(gui::S(firstLine), expected);  // the file is Windows-1252: compare an ASCII line
  // English with only the German file: the message, and no window.
  Trigger("Englisch1");
  Trigger("Programmhistorie1");
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{"History information not available!"});
}

TEST_F(Windows, BallEditorAddsChangesErasesUndoesAndSaves) {
  Open("", ProgramCopy());
  window().pages()->setCurrentIndex(kPageConfiguration);
  bool shown = false;
  WhenModal([&](QWidget* editor) {
    shown = editor->objectName() == "TEdit_VEKKugel";
    auto* list = Child<QListWidget>(editor, "BallListWindow");
    auto* edit = Child<QLineEdit>(editor, "Edit1");
    const auto items = [&] {
      std::vector<std::string> texts;
      for (int i = 0; i < list->count(); ++i)
        texts.push_back(gui::S(list->item(i)->text()));
      return texts;
    };
    const std::vector<std::string> shipped = items();
    ASSERT_EQ(shipped.size(), 16u);  // the 16 balls of messkugel_VEK_001.dat
    EXPECT_EQ(Caption(editor, "Btn_takeOver"), "Hinzufügen");
    EXPECT_FALSE(Child(editor, "Btn_StoreList")->isEnabled());
    const auto type = [&](const QString& text) {
      edit->selectAll();
      QTest::keyClicks(edit, text);
    };
    // Add 2,75: after 2.500, selected, yellow while typed.
    type("2,75");
    EXPECT_EQ(edit->palette().color(QPalette::Base), gui::Binder::PendingColour());
    Press(editor, "Btn_takeOver");
    EXPECT_NE(edit->palette().color(QPalette::Base), gui::Binder::PendingColour());
    EXPECT_EQ(items()[3], "2.750");
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_TRUE(Child(editor, "Btn_StoreList")->isEnabled());
    // Change it into 2.8, then erase the first ball, 1.500.
    type("2.8");
    Press(editor, "Btn_EditValue");
    EXPECT_EQ(items()[3], "2.800");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(edit->text(), "1.500");
    Press(editor, "Btn_EraseValue");
    EXPECT_EQ(items().front(), "2.000");
    // Undo: the list as it was opened.
    Press(editor, "Btn_Undo");
    EXPECT_EQ(items(), shipped);
    EXPECT_FALSE(Child(editor, "Btn_Undo")->isEnabled());
    // Add 2.75 again and save.
    type("2.75");
    Press(editor, "Btn_takeOver");
    Press(editor, "Btn_StoreList");
    EXPECT_FALSE(Child(editor, "Btn_StoreList")->isEnabled());
    Press(editor, "Btn_Close");
  });
  Type("Input_Password", "redudera");  // Enter opens the editor
  EXPECT_TRUE(shown);
  // The saved balls in the window's device ball list; the code must be typed again.
  const QString memo = Find<QPlainTextEdit>("Memo1")->toPlainText();
  EXPECT_TRUE(memo.startsWith("1.500\n2.000\n2.500\n2.750\n3.000\n")) << memo.toStdString();
  EXPECT_EQ(Text("Input_Password"), "");
  EXPECT_FALSE(Find("EditVEKKugel")->isEnabled());
}

TEST_F(Windows, BallEditorStaysOpenWhenTheUnsavedChangesAreKept) {
  Open("", ProgramCopy());
  window().pages()->setCurrentIndex(kPageConfiguration);
  presenter.closeBoxes = 1;  // -400 has OK alone: closed with its close box, then OK
  int closes = 0;
  WhenModal([&](QWidget* editor) {
    auto* edit = Child<QLineEdit>(editor, "Edit1");
    edit->selectAll();
    QTest::keyClicks(edit, "9");
    Press(editor, "Btn_takeOver");
    Press(editor, "Btn_Close");
    closes += editor->isVisible() ? 1 : 0;
    Press(editor, "Btn_Close");
    closes += editor->isVisible() ? 0 : 10;
  });
  Type("Input_Password", "redudera");
  EXPECT_EQ(closes, 11);  // open after the first question, closed after the second
  EXPECT_EQ(presenter.TakeTexts(),
            std::vector<std::string>(2, "Änderungen sind nicht gespeichert!"));
  // Dropped: the window's list is the shipped one.
  EXPECT_FALSE(Find<QPlainTextEdit>("Memo1")->toPlainText().contains("9.000"));
}

TEST_F(Windows, ProjectPageSavesThroughTheFileDialogInTheLanguageOfTheMoment) {
  Open();
  window().pages()->setCurrentIndex(kPageProject);
  Trigger("Englisch1");
  Type("ProjectName", "Ritzel", false);
  const std::string file = Path("home/projects/Ritzel.tvp");
  presenter.files = {file};
  Click("ProjectSave_Btn");
  ASSERT_EQ(presenter.dialogs.size(), 1u);
  const FileDialogSetup& save = presenter.dialogs.back();
  EXPECT_EQ(save.title, "Save project");
  EXPECT_EQ(save.folder, Path("home/projects"));
  EXPECT_EQ(save.filter, "*.tvp");
  EXPECT_EQ(save.presetName, "Ritzel.tvp");
  EXPECT_EQ(save.defaultExtension, "tvp");
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(Find<QLabel>("StatusPanel0")->text(), "  Project: Ritzel.tvp");
  // "Neu" asks to store the open project first (-303); Cancel keeps the file as it is.
  presenter.answers = {kButtonCancel};
  Click("ProjectNew_Btn");
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{"Store Project file Ritzel.tvp ?"});
  EXPECT_EQ(Text("ProjectName"), "");
  EXPECT_EQ(Find<QLabel>("StatusPanel0")->text(), "  Project: unknown");
}

TEST_F(Windows, HelpMenuOpensTheFourManuals) {
#ifndef SILVARONE_MANUALS_BUILT
  GTEST_SKIP() << "this build makes no manuals";
#else
  Open("", SILVARONE_BUILD_DIR "/");
  Viewer viewer;
  QDesktopServices::setUrlHandler("file", &viewer, "Open");
  struct Case {
    const char* language;
    const char* menu;
    std::string file;  // the entries of data/docs/acrobatSilvaroneFiles.txt
  };
  const std::vector<Case> cases = {
      {"Deutsch1", "Program1", "Silvaronen-Messung_Handbuch.pdf"},
      {"Deutsch1", "Messgert1", "PRALO_Bedienungsanleitung.pdf"},
      {"Englisch1", "Program1", "Norlath_Measurement_Manual.pdf"},
      {"Englisch1", "Messgert1", "PRALO_Operating_Instructions.pdf"},
  };
  for (const Case& c : cases) {
    Trigger(c.language);
    Trigger(c.menu);
    ASSERT_FALSE(viewer.opened.empty()) << c.file;
    const std::string path = gui::S(viewer.opened.back().toLocalFile());
    EXPECT_EQ(path, std::string(SILVARONE_BUILD_DIR) + "/docs/" + c.file);
    std::ifstream pdf(path, std::ios::binary);
    std::string magic(5, ' ');
    pdf.read(magic.data(), 5);
    EXPECT_EQ(magic, "%PDF-") << c.file;
  }
  EXPECT_EQ(viewer.opened.size(), 4u);
  QDesktopServices::unsetUrlHandler("file");
#endif
}

}  // namespace
}  // namespace silvarone

#include "secondary_windows_test.moc"
