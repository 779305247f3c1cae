#include "ui/messages.h"

#include <array>
#include <map>

#include "ui/texts.h"

namespace silvarone {
namespace {

struct ButtonRow {
  int result;
  const char* german;
  const char* english;
};

constexpr std::array<ButtonRow, 11> kButtons = {{
    {kButtonYes, "&Ja", "&Yes"},
    {kButtonNo, "&Nein", "&No"},
    {kButtonOk, "OK", "OK"},
    {kButtonCancel, "Abbrechen", "Cancel"},
    {kButtonAbort, "&Abbrechen", "&Abort"},
    {kButtonRetry, "&Wiederholen", "&Retry"},
    {kButtonIgnore, "&Ignorieren", "&Ignore"},
    {kButtonAll, "&Alle", "&All"},
    {kButtonNoToAll, "N&ein für alle", "N&o to All"},
    {kButtonYesToAll, "Ja für &alle", "Yes to &All"},
    {kButtonHelp, "&Hilfe", "&Help"},
}};

struct Text {
  const char* german;
  const char* english;
};

const std::map<int, Text>& FieldNames() {
  static const std::map<int, Text> names = {
      {1, {"Normalmodul m_n", "Normal module m_n"}},
      {2, {"Zaehnezahl z", "Number of teeth on gear z"}},
      {3, {"Normaleingriffswinkel alpha_n", "Normal pressure angle alpha_n"}},
      {4, {"Schraegungswinkel beta", "Spiral angle beta"}},
      {5, {"Teilkreisdurchmesser d", "Pitch diameter d"}},
      {6, {"Messzaehnezahl k_M", "count meas. gap k_M"}},
      {7, {"Messkugeldurchmesser D_M", "Measurement ball diameter D_M"}},
      {8, {"Profilverschiebungsfaktor x", "Profile modification factor x"}},
      {9, {"Messbereichswert", "meas. range"}},
      {10, {"Kopfnutzkreisdurchmesser d_Na", "Tip circle diameter d_Na"}},
      {11, {"Fussnutzkreisdurchmesser d_Nf", "Root form circle diameter d_Nf"}},
      {12, {"Zahnbreite b_w", "Tooth width b_w"}},
      {13, {"Abmass A_sne", "Deviation A_sne"}},
      {14, {"D_distance", "D_distance"}},
      {15, {"Toleranz T_sn", "Tolerance T_sn"}},
  };
  return names;
}

// Messages whose text stands alone, the same in both languages where only
// one is given.
const std::map<int, Text>& FixedMessages() {
  static const std::map<int, Text> messages = {
      {-100, {"Ungültiges Zeichen eingegeben!", "Wrong character found!"}},
      {-101, {"Ungültiger numerischer Wert!", "Unvalid numeric value found!"}},
      {-102, {"Numerischer Wert außerhalb der Limits!", "Numeric value out of range!"}},
      {-203, {"Kein Projektdatenfile ausgewählt!", "No project data file selected!"}},
      {-205, {"Keine Projektdatei geöffnet!", "No Project file opened!"}},
      {-400, {"Ungültiges Passwort eingegeben!", "Unvalid password!"}},
      {-500,
       {"Adobe Acrobat nicht installiert! Programm wird abgebrochen.",
        "Adobe Acrobat not installed! Program will be terminated."}},
      {-145, {"Serial channel can not be closed during operation!", nullptr}},
      {-144, {"Serial channel not connected!", nullptr}},
      {-143, {"Print setup not finished!", nullptr}},
      {-142, {"Print procedure not executed!", nullptr}},
      {-140, {"No Logfile selected!", nullptr}},
      {-133, {"Board: default environment set!", nullptr}},
      {-132, {"Board: environment correctly read!", nullptr}},
      {-131, {"Board: error occured during environment configuration!", nullptr}},
      {-130, {"Board: environment correctly configured!", nullptr}},
      {-120, {"", nullptr}},
      {-119, {"DUT not inserted!", nullptr}},
      {-118, {"DUT recognition not working!", nullptr}},
      {-117, {"False adapter found! You can not continue!", nullptr}},
      {-116, {"Adapter type not found!", nullptr}},
      {-115, {"Wrong character found, not a real serial number!", nullptr}},
      {-114, {"", nullptr}},
      {-113, {"No MAC address of the expected vendor available!", nullptr}},
      {-112, {"MAC addresses are not different!", nullptr}},
      {-111, {"Board was already programmed with these MAC addresses in the past!", nullptr}},
      {-110, {"Other MAC addreses are connected with this board!", nullptr}},
      {-109, {"User break!", nullptr}},
      {-106, {"Parameter input not completed!", nullptr}},
      {-104, {"MAC Autodecrement not possible!", nullptr}},
      {-50, {"Command not correct executed!", nullptr}},
      {-35, {"Programming external flash not successfully done!", nullptr}},
      {-34, {"Programming internal flash not successfully done!", nullptr}},
      {-33, {"Programming ptest not successfully done!", nullptr}},
      {-32, {"Program file not found!", nullptr}},
      {-31, {"Program file not found!", nullptr}},
      {-30, {"Program file not found!", nullptr}},
      {-20, {"Filename incorrect (...V1_x, x=1,2)!", nullptr}},
      {-19, {"", nullptr}},
      {-18, {"", nullptr}},
      {-17, {"No path information available!", nullptr}},
      {-16, {"Could not set current directory!", nullptr}},
      {-15, {"Programming file does not exist!", nullptr}},
      {-14, {"Incorrect programming file extension (*.pak)!", nullptr}},
      {-13, {"No pTest file selected!", nullptr}},
      {-12, {"", nullptr}},
      {-11, {"Version read procedure from UTB without sucess!", nullptr}},
      {-10, {"", nullptr}},
  };
  return messages;
}

}  // namespace

std::string ButtonCaption(int result, Language language) {
  for (const ButtonRow& row : kButtons) {
    if (row.result == result) return language == 0 ? row.german : row.english;
  }
  return "ModalResultToBtn: unknown modalresult " + std::to_string(result);
}

std::string ConversionText(int field, Language language) {
  std::string text = language == 0 ? "Fehler bei Konvertierung von " : "Error by conversion of ";
  const auto& names = FieldNames();
  if (const auto it = names.find(field); it != names.end()) {
    text += language == 0 ? it->second.german : it->second.english;
  }
  return text;
}

std::string NumberedMessageText(int number, const std::string& a1, const std::string& a2,
                                Language language) {
  const bool german = language == 0;
  switch (number) {
    case -103:
      return std::string(german ? "Es sind nicht alle Zeichnungsdaten eingegeben!"
                                : "Not all data available!") +
             "\r" + a2 + " (" + a1 + ")";
    case -200:
      return german ? "Projektdaten " + a1 + " wurden nicht gespeichert!"
                    : "Project data " + a1 + " not stored!";
    case -201:
      return german ? "Projektdaten " + a1 + " wurden nicht überschrieben!"
                    : "Project data " + a1 + " not overwritten!";
    case -202:
      return german ? "Projektdaten " + a1 + " wurden nicht geladen!"
                    : "Project data " + a1 + " not loaded!";
    case -204:
      return german ? "Projektdaten " + a1 + " wurden nicht gelöscht!"
                    : "Project data " + a1 + " not erased!";
    case -141:
      return "Logfile " + a1 + " not available!";
    case -108:
      return "MAC address " + a1 + " already in use!";
    case -107:
      return "MAC list " + a1 + " for compare not found!";
    case -105:
      return "No MAC" + a1 + " address available!";
    default:
      break;
  }
  const auto& fixed = FixedMessages();
  if (const auto it = fixed.find(number); it != fixed.end()) {
    return german || it->second.english == nullptr ? it->second.german : it->second.english;
  }
  return (german ? "Unbekannte Fehlernummer: " : "Unknown error number: ") +
         std::to_string(number) + "!";
}

std::string ConfirmationText(int number, const std::string& name, Language language) {
  const bool german = language == 0;
  switch (number) {
    case -300:
      return german ? "Projektdatei existiert bereits!\r\nÜberschreiben?"
                    : "Project file already exists!\r\nOverwrite?";
    case -301:
      return german ? "Projektdatei " + name + " wirklich löschen?" : "Project file really erase?";
    case -303:
      return german ? "Projektdatei " + name + " speichern?" : "Store Project file " + name + " ?";
    case -400:
      return german ? "Änderungen sind nicht gespeichert!" : "Changes are not saved!";
    default:
      return german ? "Fehlernummer unbekannt!" : "Unknown error number!";
  }
}

DialogRequest NumberedMessageRequest(int number, const std::string& argument1,
                                     const std::string& argument2, Language language) {
  std::string text = NumberedMessageText(number, argument1, argument2, language);
  // A number whose text is empty still tells the user which message it is.
  if (text.empty()) {
    text = (language == 0 ? "Meldung " : "Message ") + std::to_string(number) +
           (language == 0 ? " ohne Text" : " without a text");
  }
  return {number,          language == 0 ? "Bestätigung" : "Confirmation",
          std::move(text), DialogKind::kConfirmation,
          {kButtonOk},     kButtonOk,
          language};
}

DialogRequest ConfirmationRequest(int number, const std::string& name, Language language) {
  std::vector<int> buttons = {kButtonOk, kButtonCancel};
  if (number == -400) buttons = {kButtonOk};
  return {number,
          "Information",
          ConfirmationText(number, name, language),
          DialogKind::kConfirmation,
          buttons,
          kButtonOk,
          language};
}

void Dialogs::ShowNumberedMessage(int number, const std::string& argument1,
                                  const std::string& argument2) {
  presenter_.Show(NumberedMessageRequest(number, argument1, argument2, language_));
}

void Dialogs::ShowProblem(const Problem& problem) {
  presenter_.Show({0,
                   "",
                   ProblemText(problem, language_),
                   DialogKind::kInformation,
                   {kButtonOk},
                   kButtonOk,
                   language_});
}

std::optional<std::string> Dialogs::ChooseFileToOpen(const FileDialogSetup& setup) {
  FileDialogSetup titled = setup;
  titled.title = FileDialogTitle(setup.purpose, language_);
  return presenter_.ChooseFileToOpen(titled);
}

std::optional<std::string> Dialogs::ChooseFileToSave(const FileDialogSetup& setup) {
  FileDialogSetup titled = setup;
  titled.title = FileDialogTitle(setup.purpose, language_);
  return presenter_.ChooseFileToSave(titled);
}

int Dialogs::ShowMessage(const std::string& title, const std::string& text, DialogKind kind,
                         std::vector<int> buttons) {
  const int first = buttons.empty() ? kButtonOk : buttons.front();
  return presenter_.Show({0, title, text, kind, std::move(buttons), first, language_});
}

int Dialogs::AskConfirmation(int number, const std::string& name) {
  const int result = presenter_.Show(ConfirmationRequest(number, name, language_));
  return result == kButtonOk ? kAnswerOk : kAnswerCancel;
}

}  // namespace silvarone
