#include "ui/texts.h"

#include <array>

namespace silvarone {
namespace {

struct TextRow {
  TextId id;
  std::string_view german;
  std::string_view english;
};

// Where only one language has a text of its own, both columns hold it.
constexpr auto kTexts = std::to_array<TextRow>({
    {TextId::kNoPdfViewerTitle, "Abbruch", "Abort"},
    {TextId::kNoPdfViewer, "Adobe Acrobat ist nicht installiert! Programm wird abgebrochen.!",
     "Adobe Acrobat not installed! Program will be terminated."},
    {TextId::kFolderNotMade, "Verzeichnis %1 kann nicht erstellt werden",
     "Verzeichnis %1 kann nicht erstellt werden"},
    {TextId::kProjectsFolderNotMade, "Verzeichnis %1projects kann nicht erstellt werden",
     "Verzeichnis %1projects kann nicht erstellt werden"},
    {TextId::kHelpFailedTitle, "Norlath Measurement", "Norlath Measurement"},
    {TextId::kHelpFailed, "Es ist ein Fehler aufgetreten", "At least one error occured"},
    {TextId::kHelpDocumentMissing, "Das Hilfedokument %1 fehlt.",
     "The help document %1 is missing."},
    {TextId::kHistoryMissingTitle, "Abbruch", "Abort"},
    {TextId::kHistoryMissing, "Historie nicht verfügbar!", "History information not available!"},
    {TextId::kBackCalculationFailed, "Rückrechnung nicht möglich! Bitte Parameter korrigieren!",
     "Back calculation not possible! Please correct parameter!"},
    {TextId::kBatchMissingColumn, "Die Spalte %1 fehlt oder ist leer.",
     "The column %1 is missing or empty."},
    {TextId::kBatchUnknownValue, "Unbekannter Wert in Spalte %1: %2",
     "Unknown value in column %1: %2"},
    {TextId::kBatchUnknownSeries, "Die Reihe %2 (Spalte %1) steht nicht in der Tabelle.",
     "The series %2 (column %1) is not in the table."},
    {TextId::kBatchMalformedRow, "Zeile nicht lesbar: %1", "Row cannot be read: %1"},
    {TextId::kReportFileName, "Protokoll", "Report"},
    {TextId::kOverwriteTitle, "Information", "Information"},
    {TextId::kOverwriteFile, "Die Datei %1 besteht bereits.\r\nÜberschreiben?",
     "The file %1 already exists.\r\nOverwrite?"},
    {TextId::kMarginsTooLarge,
     "PrintString: the supplied margins are too large, thereis no area to print left on the "
     "page.",
     "PrintString: the supplied margins are too large, thereis no area to print left on the "
     "page."},
    {TextId::kPrinterRefused, "Der Drucker hat den Druckauftrag nicht angenommen.",
     "The printer did not accept the print job."},
    {TextId::kNamedPrinterRefused, "Der Drucker %1 hat den Druckauftrag nicht angenommen.",
     "The printer %1 did not accept the print job."},
    {TextId::kPdfNotWritten, "Die PDF-Datei %1 kann nicht geschrieben werden.",
     "The PDF file %1 cannot be written."},
    {TextId::kStatusProject, "  Projekt: ", "  Project: "},
    {TextId::kStatusNoProject, "unbekannt", "unknown"},
    {TextId::kStatusGearing, "   Verzahnung: ", "   gearing: "},
    {TextId::kStatusHelical, "schräg", "helical"},
    {TextId::kStatusSpur, "gerade", "straight"},
    {TextId::kStatusGearType, "  Verzahnungstyp: ", "   gear type: "},
    {TextId::kStatusExternal, "Außenverzahnung", "External teeth"},
    {TextId::kStatusInternal, "Innenverzahnung", "Internal teeth"},
    {TextId::kStatusMode, "  Berechnungsmode:  ", "  Calculation mode:  "},
    {TextId::kOpenProjectTitle, "Pojekt öffnen", "Open project"},
    {TextId::kSaveProjectTitle, "Pojekt speichern", "Save project"},
    {TextId::kSaveProjectAsTitle, "Pojekt speichern unter", "Save project as"},
    {TextId::kEraseProjectTitle, "Pojekt löschen", "Erase project"},
    {TextId::kCannotWrite, "In %1 kann nicht geschrieben werden",
     "In %1 kann nicht geschrieben werden"},
    {TextId::kCannotRead, "%1 kann nicht gelesen werden: %2", "%1 kann nicht gelesen werden: %2"},
    {TextId::kReadMissing, "Datei nicht vorhanden", "Datei nicht vorhanden"},
    {TextId::kReadNotRegular, "keine gewöhnliche Datei", "keine gewöhnliche Datei"},
    {TextId::kReadTooLarge, "größer als %1", "größer als %1"},
    {TextId::kReadError, "Lesefehler", "Lesefehler"},
    {TextId::kFolderNotStorable,
     "Der Ordner %1 kann in den Einstellungen nicht gespeichert werden (Zeichen außerhalb von "
     "Windows-1252); die Projektdialoge öffnen weiter in %2.",
     "The folder %1 cannot be kept in the settings (characters outside Windows-1252); project "
     "dialogs keep opening in %2."},
    {TextId::kBallListFull, "Die Kugelfolge fasst höchstens 100 Kugeln.",
     "The ball order holds at most 100 balls."},
    {TextId::kNoTableFile, "Cannot open file \"%1\".", "Cannot open file \"%1\"."},
    {TextId::kTableFormat, "%2", "%2"},
    {TextId::kNoDocumentList, "File \"acrobatSilvaroneFiles.txt\" does not exist!",
     "File \"acrobatSilvaroneFiles.txt\" does not exist!"},
    {TextId::kEmptyDocumentList, "File \"acrobatSilvaroneFiles.txt\" destroyed!",
     "File \"acrobatSilvaroneFiles.txt\" destroyed!"},
    {TextId::kSaveReportPdfTitle, "Protokoll als PDF speichern", "Save report as PDF"},
    {TextId::kSpanPastTip,
     "Messflächen berühren bei d_Wk = %1 mm, über den Kopfnutzkreis d_Na = %2 mm hinaus.",
     "Anvils touch at d_Wk = %1 mm, past the usable tip circle d_Na = %2 mm."},
    {TextId::kSpanPastRoot,
     "Messflächen berühren bei d_Wk = %1 mm, über den Fußnutzkreis d_Nf = %2 mm hinaus.",
     "Anvils touch at d_Wk = %1 mm, past the usable root circle d_Nf = %2 mm."},
    {TextId::kSpanTooWide,
     "Zahnbreite b_w = %1 mm trägt die Messflächen nicht (Wk·sin βb = %2 mm).",
     "Face width b_w = %1 mm does not carry the anvils (Wk·sin βb = %2 mm)."},
    {TextId::kBallPastTip,
     "Kugel berührt bei d_MK = %1 mm, über den Kopfnutzkreis d_Na = %2 mm hinaus.",
     "Ball touches at d_MK = %1 mm, past the usable tip circle d_Na = %2 mm."},
    {TextId::kBallPastRoot,
     "Kugel berührt bei d_MK = %1 mm, über den Fußnutzkreis d_Nf = %2 mm hinaus.",
     "Ball touches at d_MK = %1 mm, past the usable root circle d_Nf = %2 mm."},
    {TextId::kBallNoInvolute,
     "Kugel %1 mm berührt die Flanken nicht auf der Evolvente (Grundkreis d_b = %2 mm).",
     "Ball %1 mm does not touch the flanks on their involute (base circle d_b = %2 mm)."},
    {TextId::kBallBelowTips,
     "Kugel ragt nicht über die Zähne hinaus (Kugelrand bei %1 mm, d_Na = %2 mm).",
     "Ball does not stand out over the teeth (ball edge at %1 mm, d_Na = %2 mm)."},
    {TextId::kSpanPastTipBrief, "Messflächen über d_Na hinaus", "anvils past d_Na"},
    {TextId::kSpanPastRootBrief, "Messflächen über d_Nf hinaus", "anvils past d_Nf"},
    {TextId::kSpanTooWideBrief, "b_w zu schmal", "b_w too narrow"},
    {TextId::kBallPastTipBrief, "Kugel über d_Na hinaus", "ball past d_Na"},
    {TextId::kBallPastRootBrief, "Kugel über d_Nf hinaus", "ball past d_Nf"},
    {TextId::kBallNoInvoluteBrief, "Kugel berührt keine Evolvente", "ball touches no involute"},
    {TextId::kBallBelowTipsBrief, "Kugel ragt nicht vor", "ball does not stand out"},
    {TextId::kSavePictureTitle, "Bild der Messung speichern", "Save picture of the measurement"},
    {TextId::kPictureFileName, "Messung", "Measurement"},
    {TextId::kPictureNotWritten, "Das Bild %1 kann nicht geschrieben werden.",
     "The picture %1 cannot be written."},
    {TextId::kLogPage, "Prüfprotokoll", "Inspection log"},
    {TextId::kLogNotADatabase,
     "Das Prüfprotokoll %1 ist keine SQLite-Datenbank; es wird nichts aufgezeichnet.",
     "The inspection log %1 is not an SQLite database; nothing is recorded."},
    {TextId::kLogCorrupt, "Das Prüfprotokoll %1 ist beschädigt; es wird nichts aufgezeichnet.",
     "The inspection log %1 is damaged; nothing is recorded."},
    {TextId::kLogLocked,
     "Das Prüfprotokoll %1 ist von einem anderen Programm gesperrt; es wurde nichts "
     "aufgezeichnet.",
     "The inspection log %1 is locked by another program; nothing was recorded."},
    {TextId::kLogReadOnly,
     "In das Prüfprotokoll %1 oder seinen Ordner kann nicht geschrieben werden; es wird nichts "
     "aufgezeichnet.",
     "The inspection log %1 or its folder cannot be written; nothing is recorded."},
    {TextId::kLogFutureSchema,
     "Das Prüfprotokoll %1 stammt von einer neueren Programmversion; es wird nichts "
     "aufgezeichnet.",
     "The inspection log %1 was written by a newer version of the program; nothing is "
     "recorded."},
    {TextId::kLogCannotOpen, "Das Prüfprotokoll %1 kann nicht geöffnet werden.",
     "The inspection log %1 cannot be opened."},
    {TextId::kLogError,
     "Das Prüfprotokoll %1 kann nicht gelesen oder geschrieben werden (Datenträger voll?); es "
     "wurde nichts aufgezeichnet.",
     "The inspection log %1 cannot be read or written (disk full?); nothing was recorded."},
    {TextId::kLogNoSuchRecord, "Das Prüfprotokoll hat keinen Eintrag %1.",
     "The inspection log has no record %1."},
    {TextId::kLogAlreadyVoid, "Der Eintrag %1 ist bereits ungültig.", "Record %1 is void already."},
    {TextId::kLogNotCalculated,
     "Die Daten des Zahnrads wurden nicht angenommen; es wird nichts aufgezeichnet.",
     "The gear's data were refused; nothing is recorded."},
    {TextId::kLogNotANumber, "Der Messwert %1 ist keine Zahl.",
     "The measured value %1 is not a number."},
    {TextId::kLogNoLimits,
     "Für dieses Maß zeigt die Berechnung keine Grenzmaße; es wird nichts aufgezeichnet.",
     "The calculation shows no limits for this dimension; nothing is recorded."},
    {TextId::kLogWithin, "innerhalb der Grenzmaße", "within limits"},
    {TextId::kLogAbove, "über dem oberen Grenzmaß", "above the upper limit"},
    {TextId::kLogBelow, "unter dem unteren Grenzmaß", "below the lower limit"},
    {TextId::kLogTestDimension, "Prüfmaß", "test dimension"},
    {TextId::kLogSpan, "Zahnweite Wk", "span Wk"},
    {TextId::kLogBallDimension, "Diametrales Zweikugelmaß MdK", "dimension over balls MdK"},
    {TextId::kLogRecorded, "Eintrag %1: %2", "Record %1: %2"},
    {TextId::kLogLimits, "Nennmaß %1, %2", "nominal %1, %2"},
    {TextId::kLogUpperLower, "oben %1, unten %2", "upper %1, lower %2"},
    {TextId::kLogBackCalculationFailed, "Rückrechnung nicht möglich", "back-calculation failed"},
    {TextId::kLogBadDate, "%1 ist kein Datum JJJJ-MM-TT.", "%1 is not a date YYYY-MM-DD."},
    {TextId::kLogNoReason, "Ein Eintrag wird nur mit einem Grund ungültig.",
     "A record is voided only with a reason."},
    {TextId::kSaveLogCsvTitle, "Prüfprotokoll als CSV exportieren", "Export inspection log as CSV"},
    {TextId::kLogCsvFileName, "Prüfprotokoll", "Inspection log"},
    {TextId::kCsvNotWritten, "Die CSV-Datei %1 kann nicht geschrieben werden.",
     "The CSV file %1 cannot be written."},
    {TextId::kLogWithinShort, "innerhalb", "within"},
    {TextId::kLogAboveShort, "zu groß", "above"},
    {TextId::kLogBelowShort, "zu klein", "below"},
    {TextId::kLogFiguresOf, "Kennzahlen der gültigen Einträge, %1: %2",
     "Figures of the valid records, %1: %2"},
    {TextId::kLogOlderRecords, "%1 ältere Einträge stehen nur im Prüfprotokoll selbst.",
     "%1 older records are in the log itself only."},
    {TextId::kLogVoidLine, "ungültig, weil: %1", "void: %1"},
    {TextId::kLogVoidNote, "* ungültig; zählt nicht in den Kennzahlen.",
     "* void; not counted in the figures."},
    {TextId::kLogChartTitle, "Prüfprotokoll: %1", "Inspection log: %1"},
});

}  // namespace

std::string Text(TextId id, Language language, std::initializer_list<std::string_view> arguments) {
  std::string_view pattern;
  for (const TextRow& row : kTexts) {
    if (row.id == id) pattern = language == kEnglish ? row.english : row.german;
  }
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (pattern[i] == '%' && (next == '1' || next == '2')) {
      const std::size_t which = static_cast<std::size_t>(next - '1');
      if (which < arguments.size()) text += *(arguments.begin() + which);
      ++i;
      continue;
    }
    text += pattern[i];
  }
  return text;
}

namespace {

std::string ReadReason(const Problem& problem, Language language) {
  switch (problem.reason) {
    case platform::ReadFailure::kMissing:
      return Text(TextId::kReadMissing, language);
    case platform::ReadFailure::kNotRegular:
      return Text(TextId::kReadNotRegular, language);
    case platform::ReadFailure::kTooLarge: {
      const std::size_t limit = problem.limit;
      return Text(TextId::kReadTooLarge, language,
                  {limit >= (1 << 20) ? std::to_string(limit >> 20) + " MB"
                                      : std::to_string(limit) + " Bytes"});
    }
    case platform::ReadFailure::kNone:
    case platform::ReadFailure::kError:
      break;
  }
  return Text(TextId::kReadError, language);
}

}  // namespace

std::string ProblemText(const Problem& problem, Language language) {
  const std::string_view path = problem.path;
  switch (problem.kind) {
    case ProblemKind::kCannotRead:
      return Text(TextId::kCannotRead, language, {path, ReadReason(problem, language)});
    case ProblemKind::kCannotWrite:
      return Text(TextId::kCannotWrite, language, {path});
    case ProblemKind::kNoTableFile:
      return Text(TextId::kNoTableFile, language, {path});
    case ProblemKind::kTableFormat:
      return Text(TextId::kTableFormat, language, {path, problem.detail});
    case ProblemKind::kNoDocumentList:
      return Text(TextId::kNoDocumentList, language);
    case ProblemKind::kEmptyDocumentList:
      return Text(TextId::kEmptyDocumentList, language);
    case ProblemKind::kFolderNotStorable:
      return Text(TextId::kFolderNotStorable, language, {path, problem.detail});
    case ProblemKind::kBallListFull:
      return Text(TextId::kBallListFull, language);
  }
  return "";
}

std::string FileDialogTitle(FileDialogPurpose purpose, Language language) {
  switch (purpose) {
    case FileDialogPurpose::kOpenProject:
      return Text(TextId::kOpenProjectTitle, language);
    case FileDialogPurpose::kSaveProject:
      return Text(TextId::kSaveProjectTitle, language);
    case FileDialogPurpose::kSaveProjectAs:
      return Text(TextId::kSaveProjectAsTitle, language);
    case FileDialogPurpose::kEraseProject:
      return Text(TextId::kEraseProjectTitle, language);
    case FileDialogPurpose::kSaveReportPdf:
      return Text(TextId::kSaveReportPdfTitle, language);
    case FileDialogPurpose::kSavePicture:
      return Text(TextId::kSavePictureTitle, language);
    case FileDialogPurpose::kSaveLogCsv:
      return Text(TextId::kSaveLogCsvTitle, language);
  }
  return "";
}

}  // namespace silvarone
