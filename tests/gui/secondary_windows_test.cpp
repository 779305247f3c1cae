// The report, about, history and ball editor windows opened from the main
// window, and the help menu's manuals.
#include <QAbstractButton>
#include <QFontInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>

#include "gui/binder.h"
#include "gui/output_window.h"
#include "gui/widgets.h"
#include "pdf_text.h"
#include "report/report.h"
#include "scoped_env.h"
#include "window_fixture.h"

namespace silvarone {
namespace {

using Windows = testing::WindowTest;

// A stand-in PDF viewer for the length of a test: a script, named by
// SILVARONE_PDF_VIEWER, that writes down its arguments, one call a line.
class StandInViewer {
 public:
  explicit StandInViewer(const std::filesystem::path& folder)
      : script_((folder / "viewer.sh").string()), record_((folder / "opened.txt").string()) {
    std::ofstream(script_) << "#!/bin/sh\nprintf '%s %s\\n' \"$#\" \"$1\" >> '" << record_ << "'\n";
    std::filesystem::permissions(script_, std::filesystem::perms::owner_all);
    env_ = std::make_unique<testing::ScopedEnv>("SILVARONE_PDF_VIEWER", script_.c_str());
  }
  // The calls so far ("1 PATH": one argument, the document), after waiting
  // up to five seconds for the `count`th; the viewer runs on its own.
  std::vector<std::string> Calls(std::size_t count) const {
    std::vector<std::string> lines;
    for (int waited = 0; waited <= 5000; waited += 20) {
      lines.clear();
      std::ifstream in(record_);
      for (std::string line; std::getline(in, line);)
        lines.push_back(line);
      if (lines.size() >= count) break;
      QTest::qWait(20);
    }
    return lines;
  }

 private:
  std::string script_;
  std::string record_;
  std::unique_ptr<testing::ScopedEnv> env_;
};

// The four manuals of data/docs/acrobatSilvaroneFiles.txt: entries 2 and 0
// (program, instrument) in German, 3 and 1 in English.
struct Manual {
  const char* language;
  const char* menu;
  const char* file;
};
constexpr Manual kManuals[] = {
    {"Deutsch1", "Program1", "Silvaronen-Messung_Handbuch.pdf"},
    {"Deutsch1", "Messgert1", "PRALO_Bedienungsanleitung.pdf"},
    {"Englisch1", "Program1", "Norlath_Measurement_Manual.pdf"},
    {"Englisch1", "Messgert1", "PRALO_Operating_Instructions.pdf"},
};

QString Caption(QWidget* window, const char* name) {
  if (auto* label = window->findChild<QLabel*>(name)) return label->text();
  return window->findChild<QAbstractButton*>(name)->text();
}

void Press(QWidget* window, const char* button) {
  QTest::mouseClick(window->findChild<QWidget*>(button), Qt::LeftButton);
}

TEST_F(Windows, ReportWindowShowsPrintsAndSavesTheReport) {
  Open();
  Trigger("Englisch1");
  const std::string printed = Path("printed.pdf");
  const std::string unwritable = Path("no/folder/report.pdf");
  presenter.files = {unwritable};
  WhenModal([&](QWidget* window) {
    auto* view = window->findChild<QPlainTextEdit*>("ReportView");
    EXPECT_TRUE(view->isReadOnly());
    EXPECT_TRUE(QFontInfo(view->font()).fixedPitch());
    EXPECT_EQ(view->font().pointSize(), 8);
    EXPECT_TRUE(view->toPlainText().contains("Internal cylindrical spur gear"));
    EXPECT_EQ(Caption(window, "PrintButton"), "Print");
    EXPECT_EQ(Caption(window, "CloseButton"), "Close");
    // The print dialog, confirmed with a PDF file as the printer.
    static_cast<gui::OutputWindow*>(window)->choosePrinter = [&](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(gui::ToQString(printed));
      return true;
    };
    Press(window, "PrintButton");
    Press(window, "PdfButton");
    Press(window, "CloseButton");
  });
  Trigger("Ausgabe2");
  // The report's lines, then the measurement drawing on a page of its own.
  const std::vector<std::string> lines = testing::PdfLines(printed);
  const std::vector<std::string> report = testing::NonBlank(BuildReport(model.ReportData()));
  ASSERT_GT(lines.size(), report.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(),
                                     lines.begin() + static_cast<std::ptrdiff_t>(report.size())),
            report);
  bool drawing = false;
  for (auto line = lines.begin() + static_cast<std::ptrdiff_t>(report.size()); line != lines.end();
       ++line)
    drawing = drawing || line->find("W_k") != std::string::npos;
  EXPECT_TRUE(drawing);
  EXPECT_EQ(presenter.TakeTexts(),
            std::vector<std::string>{"The PDF file " + unwritable + " cannot be written."});
}

TEST_F(Windows, AboutWindowFollowsTheLanguage) {
  Open();
  for (const auto& [menu, date, close] : {std::tuple{"Deutsch1", "Datum:  02.10.2018", "Beenden"},
                                          std::tuple{"Englisch1", "Date:   02.10.2018", "Close"}}) {
    Trigger(menu);
    WhenModal([&](QWidget* window) {
      EXPECT_EQ(Caption(window, "LabelInfo_3"), date);
      EXPECT_EQ(Caption(window, "OKButton"), close);
      EXPECT_TRUE(Caption(window, "LabelMaker_Licence").contains("GPL-3.0-or-later"));
      Press(window, "OKButton");
    });
    Trigger("Info1");
  }
}

TEST_F(Windows, HistoryOfTheLanguageOrItsMessage) {
  const std::string program = ProgramCopy();
  std::filesystem::remove(program + "Silvarone_history.txt");
  Open("", program);
  WhenModal([&](QWidget* window) {
    EXPECT_EQ(window->windowTitle(), "Programm Historie");
    EXPECT_TRUE(window->findChild<QPlainTextEdit*>("HistoryMemo")->isReadOnly());
    Press(window, "OK_btn");
  });
  Trigger("Programmhistorie1");
  // English with only the German file: the message, and no window.
  Trigger("Englisch1");
  Trigger("Programmhistorie1");
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{"History information not available!"});
}

TEST_F(Windows, BallEditorAddsChangesErasesUndoesAndSaves) {
  Open("", ProgramCopy());
  window().pages()->setCurrentIndex(TabIndex(Page::kConfiguration));
  WhenModal([&](QWidget* editor) {
    auto* list = editor->findChild<QListWidget*>("BallListWindow");
    auto* edit = editor->findChild<QLineEdit*>("Edit1");
    const auto items = [&] {
      std::vector<std::string> texts;
      for (int i = 0; i < list->count(); ++i)
        texts.push_back(gui::ToStdString(list->item(i)->text()));
      return texts;
    };
    const auto type = [&](const QString& text) {
      edit->selectAll();
      QTest::keyClicks(edit, text);
    };
    const std::vector<std::string> shipped = items();  // 1.500, 2.000, 2.500, 3.000, ...
    type("2,75");
    EXPECT_EQ(edit->palette().color(QPalette::Base), gui::Binder::PendingColour());
    Press(editor, "Btn_takeOver");
    EXPECT_EQ(items()[3], "2.750");
    EXPECT_EQ(list->currentRow(), 3);
    type("2.8");
    Press(editor, "Btn_EditValue");
    EXPECT_EQ(items()[3], "2.800");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    Press(editor, "Btn_EraseValue");
    EXPECT_EQ(items().front(), "2.000");
    Press(editor, "Btn_Undo");
    EXPECT_EQ(items(), shipped);
    type("2.75");
    Press(editor, "Btn_takeOver");
    Press(editor, "Btn_StoreList");
    EXPECT_FALSE(editor->findChild<QWidget*>("Btn_StoreList")->isEnabled());
    Press(editor, "Btn_Close");
  });
  Type("Input_Password", "redudera");  // Enter opens the editor
  // The saved balls in the window's device ball list; the code must be typed again.
  EXPECT_TRUE(Find<QPlainTextEdit>("Memo1")->toPlainText().startsWith(
      "1.500\n2.000\n2.500\n2.750\n3.000\n"));
  EXPECT_EQ(Text("Input_Password"), "");
  EXPECT_TRUE(Find<gui::LockableButton>("EditVEKKugel")->locked());
}

TEST_F(Windows, ClickOnTheLockedEditButtonSaysTheAccessCodeIsWrong) {
  Open("", ProgramCopy());
  window().pages()->setCurrentIndex(TabIndex(Page::kConfiguration));
  auto* edit = Find<gui::LockableButton>("EditVEKKugel");
  // Locked, it looks as Qt draws a disabled button of its size and caption.
  QPushButton disabled(edit->text(), edit->parentWidget());
  disabled.setEnabled(false);
  disabled.setGeometry(edit->geometry());
  disabled.lower();
  const auto picture = [](QWidget* button) { return button->grab().toImage(); };
  const struct {
    const char* name;
    const char* typed;
  } rows[] = {
      {"nothing typed", ""},
      {"the access code in another letter case", "REDUDERA"},
      {"a part of the access code", "redu"},
  };
  for (const auto& row : rows) {
    Type("Input_Password", row.typed, false);
    EXPECT_TRUE(edit->locked()) << row.name;
    EXPECT_EQ(picture(edit), picture(&disabled)) << row.name;
    EXPECT_EQ(edit->focusPolicy(), Qt::NoFocus) << row.name;
    Click("EditVEKKugel");
    EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{"Ungültiges Passwort eingegeben!"})
        << row.name;
  }
  // With the code it looks and acts as an enabled button: the editor opens.
  Type("Input_Password", "redudera", false);
  EXPECT_FALSE(edit->locked());
  const QImage disabledPicture = picture(&disabled);
  disabled.setEnabled(true);
  EXPECT_NE(picture(&disabled), disabledPicture);  // else the comparisons above prove nothing
  EXPECT_EQ(picture(edit), picture(&disabled));
  WhenModal([&](QWidget* editor) { Press(editor, "Btn_Close"); });
  Click("EditVEKKugel");
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{});
  EXPECT_TRUE(edit->locked());  // closing the editor locks it again
}

TEST_F(Windows, HelpMenuOpensEachManualInTheViewerTheStartCheckFound) {
  const std::string program = ProgramCopy();
  for (const Manual& manual : kManuals)
    Write("program/docs/" + std::string(manual.file), "%PDF-1.4\n");
  Open("", program);
  StandInViewer viewer(folder_);
  std::vector<std::string> expected;
  for (const Manual& manual : kManuals) {
    Trigger(manual.language);
    Trigger(manual.menu);
    expected.push_back("1 " + program + "docs/" + manual.file);
    EXPECT_EQ(viewer.Calls(expected.size()), expected) << manual.language << " " << manual.menu;
  }
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{});
}

TEST_F(Windows, HelpMenuOpensTheFourManuals) {
#ifndef SILVARONE_MANUALS_BUILT
  GTEST_SKIP() << "this build makes no manuals";
#else
  // The manuals the build made, each a PDF with pages.
  Open("", SILVARONE_BUILD_DIR "/");
  StandInViewer viewer(folder_);
  std::size_t calls = 0;
  for (const Manual& manual : kManuals) {
    Trigger(manual.language);
    Trigger(manual.menu);
    const std::string path = std::string(SILVARONE_BUILD_DIR) + "/docs/" + manual.file;
    const std::vector<std::string> opened = viewer.Calls(++calls);
    ASSERT_EQ(opened.size(), calls);
    EXPECT_EQ(opened.back(), "1 " + path);
    EXPECT_GT(testing::PdfPages(path), 0) << manual.file;
  }
#endif
}

}  // namespace
}  // namespace silvarone
