// Numbered messages, confirmations and the dialog buttons in both languages.
#include "ui/messages.h"

#include <gtest/gtest.h>

#include "scripted_presenter.h"

namespace silvarone {
namespace {

TEST(Messages, NumberedTexts) {
  struct Case {
    int number;
    std::string a1, a2;
    int language;
    std::string text;
  };
  const std::vector<Case> cases = {
      {-100, "", "", 0, "Ungültiges Zeichen eingegeben!"},
      {-102, "", "", 1, "Numeric value out of range!"},
      {-103, "2", ConversionText(2, 0), 0,
       "Es sind nicht alle Zeichnungsdaten eingegeben!\rFehler bei Konvertierung von Zaehnezahl z "
       "(2)"},
      {-103, "20", ConversionText(20, 0), 0,
       "Es sind nicht alle Zeichnungsdaten eingegeben!\rFehler bei Konvertierung von  (20)"},
      {-103, "13", ConversionText(13, 1), 1,
       "Not all data available!\rError by conversion of Deviation A_sne (13)"},
      {-200, "a.tvp", "", 0, "Projektdaten a.tvp wurden nicht gespeichert!"},
      {-204, "a.tvp", "", 1, "Project data a.tvp not erased!"},
      {-999, "", "", 0, "Unbekannte Fehlernummer: -999!"},
      {-999, "", "", 1, "Unknown error number: -999!"},
      {-144, "", "", 0, "Serial channel not connected!"},
      {-120, "", "", 1, ""},
      {-141, "x.log", "", 0, "Logfile x.log not available!"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberedMessageText(c.number, c.a1, c.a2, c.language), c.text) << c.number;
  }
  const DialogRequest request = NumberedMessageRequest(-102, "", "", 1);
  EXPECT_EQ(request.title, "Confirmation");
  EXPECT_EQ(request.buttons, std::vector<int>{kButtonOk});
  EXPECT_EQ(request.kind, DialogKind::kConfirmation);
}

TEST(Messages, ConfirmationsAndButtons) {
  EXPECT_EQ(ConfirmationText(-303, "a.tvp", 0), "Projektdatei a.tvp speichern?");
  EXPECT_EQ(ConfirmationText(-303, "a.tvp", 1), "Store Project file a.tvp ?");
  EXPECT_EQ(ConfirmationText(-300, "", 0), "Projektdatei existiert bereits!\r\nÜberschreiben?");
  EXPECT_EQ(ConfirmationText(-999, "", 1), "Unknown error number!");
  EXPECT_EQ(ConfirmationRequest(-400, "", 0).buttons, std::vector<int>{kButtonOk});
  EXPECT_EQ(ConfirmationRequest(-301, "", 0).buttons, (std::vector<int>{kButtonOk, kButtonCancel}));
  EXPECT_EQ(ConfirmationRequest(-301, "", 0).title, "Information");

  EXPECT_EQ(ButtonCaption(kButtonOk, 0), "OK");
  EXPECT_EQ(ButtonCaption(kButtonCancel, 0), "Abbrechen");
  EXPECT_EQ(ButtonCaption(kButtonCancel, 1), "Cancel");
  EXPECT_EQ(ButtonCaption(kButtonAbort, 0), "&Abbrechen");
  EXPECT_EQ(ButtonCaption(kButtonNoToAll, 0), "N&ein für alle");
  EXPECT_EQ(ButtonCaption(kButtonHelp, 1), "&Help");
  EXPECT_EQ(ButtonCaption(42, 0), "ModalResultToBtn: unknown modalresult 42");

  testing::ScriptedPresenter presenter;
  int language = 0;
  Dialogs dialogs(presenter, language);
  presenter.answers = {kButtonCancel};  // the close box
  EXPECT_EQ(dialogs.AskConfirmation(-303, "a.tvp"), kAnswerCancel);
  presenter.answers = {kButtonOk};
  EXPECT_EQ(dialogs.AskConfirmation(-303, "a.tvp"), kAnswerOk);
  language = 1;
  dialogs.ShowNumberedMessage(-101, "", "");
  EXPECT_EQ(presenter.shown.back().text, "Unvalid numeric value found!");
  EXPECT_EQ(presenter.shown.back().title, "Confirmation");
}

}  // namespace
}  // namespace silvarone
