// Numbered messages, confirmations and the dialog buttons in both languages.
#include "ui/messages.h"

#include <gtest/gtest.h>

#include "scripted_dialogs.h"

namespace silvarone {
namespace {

TEST(Messages, NumberedTexts) {
  struct Case {
    int number;
    std::string a1, a2;
    Language language;
    std::string text;
  };
  const std::vector<Case> cases = {
      {-100, "", "", kGerman, "Ungültiges Zeichen eingegeben!"},
      {-102, "", "", kEnglish, "Numeric value out of range!"},
      {-103, "2", ConversionText(2, kGerman), kGerman,
       "Es sind nicht alle Zeichnungsdaten eingegeben!\rFehler bei Konvertierung von Zaehnezahl z "
       "(2)"},
      {-103, "20", ConversionText(20, kGerman), kGerman,
       "Es sind nicht alle Zeichnungsdaten eingegeben!\rFehler bei Konvertierung von  (20)"},
      {-103, "13", ConversionText(13, kEnglish), kEnglish,
       "Not all data available!\rError by conversion of Deviation A_sne (13)"},
      {-200, "a.tvp", "", kGerman, "Projektdaten a.tvp wurden nicht gespeichert!"},
      {-204, "a.tvp", "", kEnglish, "Project data a.tvp not erased!"},
      {-999, "", "", kGerman, "Unbekannte Fehlernummer: -999!"},
      {-999, "", "", kEnglish, "Unknown error number: -999!"},
      {-144, "", "", kGerman, "Serial channel not connected!"},
      {-120, "", "", kEnglish, ""},
      {-141, "x.log", "", kGerman, "Logfile x.log not available!"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberedMessageText(c.number, c.a1, c.a2, c.language), c.text) << c.number;
  }
  const DialogRequest request = NumberedMessageRequest(-102, "", "", kEnglish);
  EXPECT_EQ(request.title, "Confirmation");
  EXPECT_EQ(request.buttons, std::vector<int>{kButtonOk});
  EXPECT_EQ(request.kind, DialogKind::kConfirmation);
  // -120 is in the table without a text: the dialog still names it.
  EXPECT_EQ(NumberedMessageRequest(-120, "", "", kGerman).text, "Meldung -120 ohne Text");
  EXPECT_EQ(NumberedMessageRequest(-120, "", "", kEnglish).text, "Message -120 without a text");
}

TEST(Messages, ConfirmationsAndButtons) {
  EXPECT_EQ(ConfirmationText(-303, "a.tvp", kGerman), "Projektdatei a.tvp speichern?");
  EXPECT_EQ(ConfirmationText(-303, "a.tvp", kEnglish), "Store Project file a.tvp ?");
  EXPECT_EQ(ConfirmationText(-300, "", kGerman),
            "Projektdatei existiert bereits!\r\nÜberschreiben?");
  EXPECT_EQ(ConfirmationText(-999, "", kEnglish), "Unknown error number!");
  EXPECT_EQ(ConfirmationRequest(-400, "", kGerman).buttons, std::vector<int>{kButtonOk});
  EXPECT_EQ(ConfirmationRequest(-301, "", kGerman).buttons,
            (std::vector<int>{kButtonOk, kButtonCancel}));
  EXPECT_EQ(ConfirmationRequest(-301, "", kGerman).title, "Information");

  EXPECT_EQ(ButtonCaption(kButtonOk, kGerman), "OK");
  EXPECT_EQ(ButtonCaption(kButtonCancel, kGerman), "Abbrechen");
  EXPECT_EQ(ButtonCaption(kButtonCancel, kEnglish), "Cancel");
  EXPECT_EQ(ButtonCaption(kButtonAbort, kGerman), "&Abbrechen");
  EXPECT_EQ(ButtonCaption(kButtonNoToAll, kGerman), "N&ein für alle");
  EXPECT_EQ(ButtonCaption(kButtonHelp, kEnglish), "&Help");
  EXPECT_EQ(ButtonCaption(42, kGerman), "ModalResultToBtn: unknown modalresult 42");

  testing::ScriptedDialogs presenter;
  Language language = kGerman;
  Dialogs dialogs(presenter, language);
  presenter.answers = {kButtonCancel};  // the close box
  EXPECT_EQ(dialogs.AskConfirmation(-303, "a.tvp"), kAnswerCancel);
  presenter.answers = {kButtonOk};
  EXPECT_EQ(dialogs.AskConfirmation(-303, "a.tvp"), kAnswerOk);
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>(2, "Projektdatei a.tvp speichern?"));
  language = kEnglish;
  dialogs.ShowNumberedMessage(-101, "", "");
  EXPECT_EQ(presenter.shown.back().title, "Confirmation");
  EXPECT_EQ(presenter.TakeTexts(), std::vector<std::string>{"Unvalid numeric value found!"});
}

}  // namespace
}  // namespace silvarone
