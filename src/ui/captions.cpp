#include "ui/captions.h"

#include <algorithm>
#include <array>

#include "core/version.h"

namespace silvarone {
namespace {

constexpr auto kCaptions = std::to_array<CaptionRow>({
    // Menu. Alt and the letter after "&" choose an entry, so that letter is
    // unique within each menu (the menu bar counts as one).
    {"File1", "&Datei", "&File"},
    {"Exit1", "&Beenden", "E&xit"},
    {"Ausgabe1", "&Projekt", "&Project"},
    {"NewProject", "&Neu", "&New"},
    {"LoadProject", "&Laden", "&Load"},
    {"SaveProject", "&Speichern", "&Save"},
    {"SaveAsProject", "Sp&eichern unter", "Save &as"},
    {"EraseProject", "L&öschen", "&Erase"},
    {"Ausgabe2", "&Ausgabe", "&Output"},
    {"Zeichnung1", "&Zeichnung", "&Drawing"},
    {"Pruefprotokoll1", "P&rüfprotokoll", "&Inspection log"},
    {"N1", "&?", "&?"},
    {"Hilfe1", "&Hilfe", "&Help"},
    {"Program1", "&Programm", "&Program"},
    {"Messgert1", "&Meßgerät", "&Measuring device"},
    {"Programmhistorie1", "&Programmhistorie", "&Program history"},
    {"Sprachauswahl1", "&Sprache wählen", "&Select language"},
    {"Deutsch1", "&Deutsch", "&German"},
    {"Englisch1", "&Englisch", "&English"},
    {"Info1", "&Info", "&Info"},
    // Page tabs
    {"TabSheet1", "Zeichnungsmasse 1", "Sizes 1"},
    {"TabSheet2", "Zeichnungsmasse 2", "Sizes 2"},
    {"TabSheet3", "Berechnung", "Calculation"},
    {"TabSheet4", "Konfiguration", "Setup"},
    {"TabSheet5", "Projekt", "Project"},
    // Drawing data page
    {"GroupBox1", "Geometrie", "geometry"},
    {"GroupBox2", "Profilverschiebung", "profile shift"},
    {"RadioGroup_Modul", "Normalmodulselektion", "normal module selection"},
    {"Label11", "Normalmodul [mm]:", "normal module [mm]:"},
    {"Label_6", "Normaleingriffswinkel [° ]:", "normal pressure angle [° ]:"},
    {"Label_1", "Schrägungswinkel [° ]:", "helix angle [° ]:"},
    {"Label_8", "Zähnezahl:", "number of teeth:"},
    {"Label_9", "Zahnbreite [mm]:", "face width [mm]:"},
    {"Label10", "Teilkreisdurchmesser [mm]:", "reference diameter [mm]:"},
    {"Label_7", "Profilverschiebungsfaktor:", "profile shift coefficient:"},
    {"Label_107", "Grundkreisdurchmesser [mm]:", "base diameter [mm]:"},
    {"d_Na_Lbl", "Kopfnutzkreisdurchmesser [mm]", "usable tip diameter [mm]"},
    {"d_Nf_Lbl", "Fussnutzkreisdurchmesser [mm]", "usable root diameter [mm]"},
    // Tolerance page
    {"Verzahnungs_GroupBox", "Verzahnungsdaten", "gearing data"},
    {"Verzahnung_Label1", "Abmassreihe:", "deviation series:"},
    {"Verzahnung_Label2", "Toleranzreihe:", "tolerance series:"},
    {"Verzahnung_Label3", "Oberes Zahndickenabmass Asne:", "upper tooth thickness deviation Asne:"},
    {"Verzahnung_Label4",
     "Unteres Zahndickenabmass Asni:", "lower tooth thickness deviation Asni:"},
    {"Verzahnung_Label5", "Zahndickentoleranz Tsn:", "tooth thickness tolerance Tsn:"},
    {"Verzahnung_Label6", "(alle Werte in um)", "(all values in um)"},
    {"RadioButton1", "Standard-Eingabe", "standard input"},
    {"RadioButton2", "Silvarone Wk", "base tangent length Wk"},
    {"RadioButton3", "Diametrales Zweikugelmass MdK", "diametral two-ball measurement MdK"},
    {"RadioButton4", "Erzeugungsprofilverschiebungsfaktor xE",
     "generating profile shift coefficient xE"},
    // Calculation page
    {"Messkugel_Box", "Messkugel", "measurement ball"},
    {"Messkugelauswahl", "Auswahl Messkugeldurchmesser", "choice measurement ball diameter"},
    {"Label_3", "Messkugeldurchmesser:", "measurement ball diameter:"},
    {"Calculate_Btn", "Berechnen Q", "calculate Q"},
    {"Calculate_Box", "Kontrollmass", "specification"},
    {"Pruefmass", "Prüfmasse", "check gauge"},
    {"Label_Pruefmass", "Prüfmass [mm]:", "check gauge [mm]:"},
    {"Label47", "oberes Prüfmass [mm]:", "upper check gauge [mm]:"},
    {"Label48", "unteres Prüfmass [mm]:", "lower check gauge [mm]:"},
    {"Label13", "Nennmass:", "nominal size:"},
    {"Label14", "oberes Grenzmass:", "upper limiting size:"},
    {"Label15", "unteres Grenzmass:", "lower limiting size:"},
    {"Label17", "empfohlen:", "recommended:"},
    {"Label18", "gewählt:", "input:"},
    {"Label19", "Silvarone:", "base tangent"},
    {"Label44", "", "length:"},
    {"Label49", "", ""},
    {"Label31", "Kugelmasse:", "diam. two-ball"},
    {"Label45", "", "measurement:"},
    {"Label50", "", ""},
    {"Label32", "Erzeugungsprofil-", "generating"},
    {"Label46", "verschiebungs-", "profile shift"},
    {"Label51", "faktor:", "coefficient:"},
    {"Label39", "Messzähnezahl:", "number of"},
    {"Label42", "", "teeth:"},
    {"Label36", "Messkugel-", "measurement"},
    {"Label43", "durchmesser:", "ball diameter:"},
    {"Label_100", "k:", "k:"},
    {"Label_101", "", ""},
    {"Label_102", "", ""},
    {"Label_103", "DM:", "DM:"},
    {"backCalculation_Box", "Rückrechnung", "Back calculation"},
    {"BackCalc_btn", "Berechnen", "Calculate"},
    {"Label5", "gemess. Prüfmass:", "meas. check gauge"},
    {"Label6", "xEreal", "xEreal"},
    {"Label7", "Wkreal", "Wkreal"},
    {"Label8", "Mdkreal", "Mdkreal"},
    // Instrument group and decimal places (setup page)
    {"Device_Behavior", "Gerätedaten", "device behavior"},
    {"Label_30", "Messbereich bis [mm]:", "measuring range until [mm]:"},
    {"DeviceSelection", "Geräteauswahl", "device selection"},
    {"Label_Kugelabstand", "Messkugelabstand [mm]:", "measuring ball distance [mm]:"},
    {"NKZ_Box", "Nachkommastellenzahl", "digit number after decimal point"},
    {"Label_NKZ1", "Allgemein:", "common:"},
    {"Label_NKZ2", "", ""},
    {"Label_NKZ3", "Messlückenzahl:", "number of measuring gaps:"},
    // Project page
    {"GroupBox4", "Projektdaten", "project data"},
    {"ProjectNew_Btn", "Neu", "New"},
    {"ProjectSave_Btn", "Speichern", "Save"},
    {"Project_Lbl", "Projekt:", "project:"},
    {"ProjectLeader_Lbl", "Projektleiter:", "project leader:"},
    {"Label_Drawing_1", "Zeichnungsnummer 1:", "drawing number 1:"},
    {"Label_Drawing_2", "Zeichnungsnummer 2:", "drawing number 2:"},
    {"Date_Lbl", "Datum:", "date:"},
    {"Comment_Lbl", "Kommentar:", "comment:"},
    // Device ball sequence group (setup page)
    {"GroupBox_EditVEKKugel", "Meßgerätefolge", "device measurement ball order"},
    {"Label_PASSWORD", "Passwort:", "password:"},
    {"Kugelfolge", "Kugelfolge:", "ball order:"},
    {"EditVEKKugel", "Bearbeiten", "change"},
});

const std::vector<ListItemsRow>& Lists() {
  static const std::vector<ListItemsRow> kLists = {
      {"RadioGroup_Modul",
       {"DIN 780, Reihe 1:", "DIN 780, Reihe 2:", "Eingeben:"},
       {"DIN 780, chain 1:", "DIN 780, chain 2:", "input:"}},
      {"RadioGroup_Verzahnung",
       {"DIN 3967", "Produktionsabmasse", "Manuell"},
       {"DIN 3967", "production deviation", "manual"}},
      {"Messkugelauswahl",
       {"empfohlen (DIN ):", "DIN Messkugelfolge:", "Messgerätekugelfolge:", "Eingeben:"},
       {"recommended (DIN ):", "DIN meas. ball order:", "device meas. ball order:", "input:"}},
      {"Messzahnauswahl", {"empfohlen:", "eingeben:"}, {"recommended (DIN ):", "input:"}},
      {"DeviceSelection",
       {"PRALO 175 - 200", "PRALO 225 - 250", "PRALO 275 - 300", "PRALO 325 - 350",
        "PRALO 375 - 400"},
       {"PRALO 175 - 200", "PRALO 225 - 250", "PRALO 275 - 300", "PRALO 325 - 350",
        "PRALO 375 - 400"}},
      {"InputMode",
       {"Standard-Eingabe", "Silvarone Wk", "Diametrales Zweikugelmass MdK",
        "Erzeugungsprofilverschiebungsfaktor xE"},
       {"standard input", "base tangent length Wk", "diametral two-ball measurement MdK",
        "generating profile shift coefficient xE"}},
  };
  return kLists;
}

const std::vector<MenuRow>& Menus() {
  static const std::vector<MenuRow> kMenus = {
      {"", {"File1", "Ausgabe1", "Ausgabe2", "Zeichnung1", "Pruefprotokoll1", "N1"}},
      {"File1", {"Exit1"}},
      {"Ausgabe1", {"NewProject", "LoadProject", "SaveProject", "SaveAsProject", "EraseProject"}},
      {"N1", {"Hilfe1", "Programmhistorie1", "Sprachauswahl1", "Info1"}},
      {"Hilfe1", {"Program1", "Messgert1"}},
      {"Sprachauswahl1", {"Deutsch1", "Englisch1"}},
  };
  return kMenus;
}

}  // namespace

std::span<const CaptionRow> CaptionTable() {
  return kCaptions;
}

std::span<const MenuRow> MenuTable() {
  return Menus();
}

std::string_view Caption(std::string_view object, Language language) {
  const auto it = std::find_if(kCaptions.begin(), kCaptions.end(),
                               [&](const CaptionRow& row) { return row.object == object; });
  if (it == kCaptions.end()) return {};
  return language == kEnglish ? it->english : it->german;
}

std::span<const ListItemsRow> ListItemsTable() {
  return Lists();
}

std::vector<std::string> ListItems(std::string_view object, Language language) {
  for (const ListItemsRow& row : Lists()) {
    if (row.object != object) continue;
    const auto& items = language == kEnglish ? row.english : row.german;
    return {items.begin(), items.end()};
  }
  return {};
}

std::string WindowTitle(Language language) {
  const std::string_view name = language == kEnglish ? kProgramName : kProgramNameGerman;
  return std::string(name) + "   V.: " + std::string(kProgramVersion) + "   " +
         std::string(kProgramDate);
}

std::vector<std::pair<std::string_view, std::string_view>> ToothCountCaptions(Language language,
                                                                              bool external) {
  if (language == kEnglish) {
    if (external) {
      return {{"Messzaehne_Box", "measurement number of teeth"},
              {"Messzahnauswahl", "measurement number of teeth selection"},
              {"Label52", "count measurement"},
              {"Label16", "number of teeth:"}};
    }
    return {{"Messzaehne_Box", "measurement gap"},
            {"Messzahnauswahl", "measurement gap selection"},
            {"Label52", ""},
            {"Label16", "count measuring gap:"}};
  }
  if (external) {
    return {{"Messzaehne_Box", "Messzähne"},
            {"Messzahnauswahl", "Messzähnezahl-Auswahl"},
            {"Label52", ""},
            {"Label16", "Messzähnezahl:"}};
  }
  return {{"Messzaehne_Box", "Messlücken"},
          {"Messzahnauswahl", "Messlückenzahl-Auswahl"},
          {"Label52", ""},
          {"Label16", "Messlückenzahl:"}};
}

int UpDownPosition(Language language) {
  return language == kEnglish ? 250 : 408;
}

std::string_view InstrumentPicture(Language language) {
  return language == kEnglish ? "48_2917_englisch.jpg" : "48_2917_deutsch.jpg";
}

}  // namespace silvarone
