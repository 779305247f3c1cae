// The texts of the secondary windows (about, program history, report, ball
// sequence editor), one table per window, and what the report's printing and
// PDF file report when they fail. The Qt windows only show these texts; the
// language is the program's, read at every opening.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/gear.h"

namespace silvarone {

// Object name -> text, in the order the window applies them.
using WindowTexts = std::vector<std::pair<std::string, std::string>>;

// TInfoWindow: its title, LabelInfo_1..3, OKButton and the maker block
// (LabelMaker_Licence, LabelMaker_Manual and, only with a web address,
// LabelMaker_Web).
WindowTexts InfoWindowTexts(Language language);
// What a double-click on LabelMaker_Web opens; empty without a web address.
std::string InfoWebAddress();

// THistoryForm: its title and OK_btn.
WindowTexts HistoryWindowTexts(Language language);

// TOutputWindow: its title and the buttons PrintButton, PreviewButton,
// PdfButton and CloseButton.
WindowTexts OutputWindowTexts(Language language);

// TEdit_VEKKugel, the ball sequence editor: its title, group, label and buttons.
WindowTexts BallEditorWindowTexts(Language language);

// How the report is put on paper: margins in inches and the line pitch.
struct PrintLayout {
  double left = 0.75;
  double right = 0.5;
  double top = 0.75;
  double bottom = 1.0;
  double linesPerInch = 6.0;
};
inline constexpr PrintLayout kReportLayout{};

// Why the report did not reach the printer or the PDF file.
enum class OutputFailure {
  kMarginsTooLarge,    // no area to print in between the margins
  kPrinterFailed,      // the printer refused the job (target: its name)
  kFileNotWritten,     // the PDF file could not be written (target: its path)
  kPictureNotWritten,  // the drawing's picture could not be written (target: its path)
  kCsvNotWritten,      // the log's CSV file could not be written (target: its path)
};

// The message text of a failure.
std::string OutputFailureText(OutputFailure failure, const std::string& target, Language language);

}  // namespace silvarone
