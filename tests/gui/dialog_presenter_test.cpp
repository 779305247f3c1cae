// The message dialog and the file dialogs as Qt shows them.
#include "gui/dialog_presenter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "file_fixture.h"
#include "storage/project.h"

namespace silvarone {
namespace {

DialogRequest Question(std::vector<int> buttons, Language language, int defaultButton) {
  return {-303,
          "Information",
          "Projektdatei a.tvp speichern?",
          DialogKind::kConfirmation,
          std::move(buttons),
          defaultButton,
          language};
}

// Runs `act` on the modal dialog as soon as it shows.
void WhenShown(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      WhenShown(act);
      return;
    }
    act(modal);
  });
}

TEST(MessageDialog, ButtonCaptionsFollowTheProgramsLanguage) {
  struct Case {
    Language language;
    QString ok, cancel;
  };
  for (const Case& c : {Case{kGerman, "OK", "Abbrechen"}, Case{kEnglish, "OK", "Cancel"}}) {
    gui::MessageBox box(Question({kButtonOk, kButtonCancel}, c.language, kButtonOk), nullptr);
    EXPECT_EQ(box.buttons().size(), 2);
    EXPECT_EQ(box.Button(kButtonOk)->text(), c.ok);
    EXPECT_EQ(box.Button(kButtonCancel)->text(), c.cancel);
    EXPECT_EQ(box.defaultButton(), box.Button(kButtonOk));
  }
  // Accelerators stay marked: "&Ja" is Alt+J.
  gui::MessageBox yesNo(Question({kButtonYes, kButtonNo}, kGerman, kButtonNo), nullptr);
  EXPECT_EQ(yesNo.Button(kButtonYes)->text(), "&Ja");
  EXPECT_EQ(yesNo.defaultButton(), yesNo.Button(kButtonNo));
}

TEST(MessageDialog, NumberedMessageInEnglish) {
  gui::MessageBox box(NumberedMessageRequest(-102, "", "", kEnglish), nullptr);
  EXPECT_EQ(box.windowTitle(), "Confirmation");
  EXPECT_EQ(box.text(), "Numeric value out of range!");
  EXPECT_EQ(box.icon(), QMessageBox::Question);
  ASSERT_EQ(box.buttons().size(), 1);
  EXPECT_EQ(box.buttons().front()->text(), "OK");
}

TEST(MessageDialog, LongCaptionsWidenEveryButtonAndTheDialog) {
  // 42 is no button value: its caption says so and is long.
  gui::MessageBox box(Question({kButtonOk, 42, kButtonCancel}, kGerman, kButtonOk), nullptr);
  box.show();
  QApplication::processEvents();
  QPushButton* odd = box.Button(42);
  ASSERT_NE(odd, nullptr);
  EXPECT_EQ(odd->text(), "ModalResultToBtn: unknown modalresult 42");
  const int captionWidth = odd->fontMetrics().horizontalAdvance(odd->text());
  for (QAbstractButton* button : box.buttons()) {
    EXPECT_EQ(button->width(), odd->width()) << button->text().toStdString();
    EXPECT_GE(button->width(), captionWidth + 16) << button->text().toStdString();
    // Nothing of the button lies outside the dialog.
    const QRect inBox(button->mapTo(&box, QPoint(0, 0)), button->size());
    EXPECT_TRUE(box.rect().contains(inBox)) << button->text().toStdString();
  }
  box.close();
}

TEST(MessageDialog, ResultValuesOfButtonsEscAndTheCloseBox) {
  gui::QtDialogPresenter presenter;
  struct Case {
    std::vector<int> buttons;
    std::function<void(QWidget*)> act;
    int result;
    const char* what;
  };
  const auto click = [](const char* caption) {
    return [caption](QWidget* box) {
      for (auto* button : box->findChildren<QPushButton*>()) {
        if (button->text() == caption) QTest::mouseClick(button, Qt::LeftButton);
      }
    };
  };
  const auto key = [](Qt::Key k) {
    return [k](QWidget* box) { QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, k); };
  };
  const std::vector<Case> cases = {
      {{kButtonOk, kButtonCancel}, click("Abbrechen"), kButtonCancel, "Cancel clicked"},
      {{kButtonOk, kButtonCancel}, key(Qt::Key_Return), kButtonOk, "Enter on the default"},
      {{kButtonOk, kButtonCancel}, key(Qt::Key_Escape), kButtonCancel, "Esc"},
      {{kButtonOk}, key(Qt::Key_Escape), kButtonOk, "Esc with OK alone"},
      {{kButtonOk}, [](QWidget* box) { box->close(); }, kButtonCancel, "close box"},
      {{kButtonAbort}, [](QWidget* box) { box->close(); }, kButtonCancel, "close box, Abort"},
      {{kButtonYes, kButtonNo}, click("&Ja"), kButtonYes, "Yes clicked"},
  };
  for (const Case& c : cases) {
    WhenShown(c.act);
    EXPECT_EQ(presenter.Show(Question(c.buttons, kGerman, c.buttons.front())), c.result) << c.what;
  }
}

TEST(MessageDialog, TheDefaultButtonHasTheFocus) {
  gui::MessageBox box(Question({kButtonOk, kButtonCancel}, kEnglish, kButtonCancel), nullptr);
  box.show();
  QApplication::processEvents();
  EXPECT_EQ(box.focusWidget(), box.Button(kButtonCancel));
  box.close();
}

using FileDialogs = testing::TempFolder;

TEST_F(FileDialogs, OpenAndSaveDialogsAsTheProjectAsksForThem) {
  gui::QtDialogPresenter presenter;
  std::filesystem::create_directories(Path("projects"));
  const FileDialogSetup save = {"Save project", Path("projects"), "*.tvp", "Ritzel.tvp", "tvp"};
  const auto dialog = presenter.BuildFileDialog(save, true);
  EXPECT_EQ(dialog->windowTitle(), "Save project");
  EXPECT_EQ(dialog->directory().absolutePath().toStdString(), Path("projects"));
  EXPECT_EQ(dialog->nameFilters(), QStringList{"*.tvp (*.tvp)"});
  EXPECT_EQ(dialog->defaultSuffix(), "tvp");
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dialog->selectedFiles().value(0).toStdString(), Path("projects") + "/Ritzel.tvp");
}

TEST_F(FileDialogs, TheEraseDialogOpensWhereTheOpenDialogWasLeft) {
  gui::QtDialogPresenter presenter;
  std::filesystem::create_directories(Path("projects"));
  std::filesystem::create_directories(Path("elsewhere"));
  const FileDialogSetup open = {"Pojekt öffnen", Path("projects"), "*.tvp", "*.tvp", "tvp"};
  FileDialogSetup erase = open;
  erase.title = "Pojekt löschen";
  erase.folder = Path("projects");
  erase.filter = "*.xyz";
  erase.asOpenDialogLastWas = true;
  // Before any open dialog: the folder and filter given.
  EXPECT_EQ(presenter.BuildFileDialog(erase, false)->nameFilters(), QStringList{"*.xyz (*.xyz)"});
  // The user goes elsewhere in the open dialog and cancels.
  WhenShown([this](QWidget* modal) {
    auto* dialog = static_cast<QFileDialog*>(modal);
    dialog->setDirectory(QString::fromStdString(Path("elsewhere")));
    dialog->reject();
  });
  EXPECT_EQ(presenter.ChooseFileToOpen(open), std::nullopt);
  const auto again = presenter.BuildFileDialog(erase, false);
  EXPECT_EQ(again->windowTitle(), "Pojekt löschen");
  EXPECT_EQ(again->directory().absolutePath().toStdString(), Path("elsewhere"));
  EXPECT_EQ(again->nameFilters(), QStringList{"*.tvp (*.tvp)"});
}

}  // namespace
}  // namespace silvarone
