// The message dialog as Qt shows it.
#include "gui/dialog_presenter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace silvarone {
namespace {

DialogRequest Question(std::vector<int> buttons, Language language) {
  const int first = buttons.front();
  return {-303,
          "Information",
          "Projektdatei a.tvp speichern?",
          DialogKind::kConfirmation,
          std::move(buttons),
          first,
          language};
}

TEST(MessageDialog, CaptionsTitleAndButtonsInTheProgramsLanguage) {
  struct Case {
    DialogRequest request;
    QString title, text;
    std::vector<QString> buttons;  // in the order of the request
  };
  const std::vector<Case> cases = {
      {Question({kButtonOk, kButtonCancel}, kGerman),
       "Information",
       "Projektdatei a.tvp speichern?",
       {"OK", "Abbrechen"}},
      {Question({kButtonOk, kButtonCancel}, kEnglish),
       "Information",
       "Projektdatei a.tvp speichern?",
       {"OK", "Cancel"}},
      {NumberedMessageRequest(-102, "", "", kEnglish),
       "Confirmation",
       "Numeric value out of range!",
       {"OK"}},
  };
  for (const Case& c : cases) {
    gui::MessageBox box(c.request, nullptr);
    EXPECT_EQ(box.windowTitle(), c.title);
    EXPECT_EQ(box.text(), c.text);
    ASSERT_EQ(box.buttons().size(), static_cast<qsizetype>(c.buttons.size()));
    for (std::size_t i = 0; i < c.buttons.size(); ++i) {
      EXPECT_EQ(box.Button(c.request.buttons[i])->text(), c.buttons[i]);
    }
    EXPECT_EQ(box.defaultButton(), box.Button(c.request.defaultButton));
  }
}

TEST(MessageDialog, ALongCaptionWidensEveryButtonAndTheDialog) {
  // 42 is no button value: its caption says so and is long.
  gui::MessageBox box(Question({kButtonOk, 42, kButtonCancel}, kGerman), nullptr);
  box.show();
  QApplication::processEvents();
  QPushButton* odd = box.Button(42);
  EXPECT_EQ(odd->text(), "ModalResultToBtn: unknown modalresult 42");
  for (QAbstractButton* button : box.buttons()) {
    EXPECT_EQ(button->width(), odd->width());
    EXPECT_GE(button->width(), odd->fontMetrics().horizontalAdvance(odd->text()) + 16);
    // No button is cut by the dialog's edge.
    EXPECT_TRUE(box.rect().contains(QRect(button->mapTo(&box, QPoint(0, 0)), button->size())));
  }
  box.close();
}

TEST(MessageDialog, ResultOfAButtonEscEnterAndTheCloseBox) {
  gui::QtDialogPresenter presenter;
  using Act = std::function<void(QWidget*)>;
  const auto key = [](Qt::Key k) -> Act {
    return [k](QWidget* box) { QTest::keyClick(box->focusWidget(), k); };
  };
  const Act closeBox = [](QWidget* box) { box->close(); };
  const Act clickNo = [](QWidget* box) {
    QTest::mouseClick(static_cast<gui::MessageBox*>(box)->Button(kButtonNo), Qt::LeftButton);
  };
  struct Case {
    std::vector<int> buttons;  // the first is the default
    Act act;
    int result;
  };
  const std::vector<Case> cases = {
      {{kButtonOk, kButtonCancel}, key(Qt::Key_Return), kButtonOk},  // the default has the focus
      {{kButtonOk, kButtonCancel}, key(Qt::Key_Escape), kButtonCancel},
      {{kButtonOk}, key(Qt::Key_Escape), kButtonOk},
      {{kButtonOk}, closeBox, kButtonCancel},
      {{kButtonAbort}, closeBox, kButtonCancel},
      {{kButtonYes, kButtonNo}, clickNo, kButtonNo},
  };
  for (const Case& c : cases) {
    QTimer::singleShot(0, [&] { c.act(QApplication::activeModalWidget()); });
    EXPECT_EQ(presenter.Show(Question(c.buttons, kGerman)), c.result);
  }
}

}  // namespace
}  // namespace silvarone
