// The texts of the program that are no caption of a window's control, in
// German and English: the messages without a number, the titles of dialogs,
// the words of the status bar, the notices of the files. Captions of the
// controls are in captions.h, the numbered messages in messages.h, the texts
// of each secondary window beside it in secondary_windows.h. The layers below
// say what happened (a code and its facts); only here is it worded.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/gear.h"
#include "core/result.h"
#include "storage/project.h"

namespace silvarone {

enum class TextId {
  // Start
  kNoPdfViewerTitle,
  kNoPdfViewer,
  kFolderNotMade,          // %1 the folder
  kProjectsFolderNotMade,  // %1 the settings folder
  // Help menu
  kHelpFailedTitle,
  kHelpFailed,
  kHelpDocumentMissing,  // %1 the path
  kHistoryMissingTitle,
  kHistoryMissing,
  // Back-calculation
  kBackCalculationFailed,
  // Batch rows
  kBatchMissingColumn,  // %1 the column
  kBatchUnknownValue,   // %1 the column, %2 the value
  kBatchUnknownSeries,  // %1 the column, %2 the series
  kBatchMalformedRow,   // %1 what the reader found
  // Report as PDF, printing
  kSaveReportPdfTitle,
  kReportFileName,
  // Picture of the measurement drawing
  kSavePictureTitle,
  kPictureFileName,
  kPictureNotWritten,  // %1 the path
  kOverwriteTitle,
  kOverwriteFile,  // %1 the path
  kMarginsTooLarge,
  kPrinterRefused,
  kNamedPrinterRefused,  // %1 the printer
  kPdfNotWritten,        // %1 the path
  // Status bar
  kStatusProject,
  kStatusNoProject,
  kStatusGearing,
  kStatusHelical,
  kStatusSpur,
  kStatusGearType,
  kStatusExternal,
  kStatusInternal,
  kStatusMode,
  // File dialogs of the projects
  kOpenProjectTitle,
  kSaveProjectTitle,
  kSaveProjectAsTitle,
  kEraseProjectTitle,
  // Notices of the files and lists
  kCannotWrite,  // %1 the path
  kCannotRead,   // %1 the path, %2 the reason
  kReadMissing,  // reasons of kCannotRead
  kReadNotRegular,
  kReadTooLarge,  // %1 the size limit
  kReadError,
  kFolderNotStorable,  // %1 the folder, %2 the folder the dialogs keep
  kBallListFull,
  kNoTableFile,  // %1 the path
  kTableFormat,  // %2 what the table reader found
  kNoDocumentList,
  kEmptyDocumentList,
  // Measurability of the test dimensions: the full warning (report, tool
  // tip) and its brief form beside the values on the calculation page.
  kSpanPastTip,     // %1 d_Wk, %2 d_Na
  kSpanPastRoot,    // %1 d_Wk, %2 d_Nf
  kSpanTooWide,     // %1 b_w, %2 the width the span takes up
  kBallPastTip,     // %1 d_MK, %2 d_Na
  kBallPastRoot,    // %1 d_MK, %2 d_Nf
  kBallNoInvolute,  // %1 the ball, %2 d_b
  kBallBelowTips,   // %1 the balls' edge, %2 d_Na
  kSpanPastTipBrief,
  kSpanPastRootBrief,
  kSpanTooWideBrief,
  kBallPastTipBrief,
  kBallPastRootBrief,
  kBallNoInvoluteBrief,
  kBallBelowTipsBrief,
  // Inspection log: %1 the database file
  kLogPage,
  kLogNotADatabase,
  kLogCorrupt,
  kLogLocked,
  kLogReadOnly,
  kLogFutureSchema,
  kLogCannotOpen,
  kLogError,
  kLogNoSuchRecord,  // %1 the record's number
  kLogAlreadyVoid,   // %1 the record's number
  kLogNotCalculated,
  kLogNotANumber,  // %1 the measured text
  kLogNoLimits,
  kLogWithin,
  kLogAbove,
  kLogBelow,
  kLogTestDimension,
  kLogSpan,
  kLogBallDimension,
  kLogRecorded,    // %1 the record's number, %2 dimension, value and verdict
  kLogLimits,      // %1 nominal, %2 kLogUpperLower
  kLogUpperLower,  // %1 upper, %2 lower limit
  kLogBackCalculationFailed,
  kLogBadDate,  // %1 the text
  kLogNoReason,
  // The log's CSV export and its page in the report
  kSaveLogCsvTitle,
  kLogCsvFileName,
  kCsvNotWritten,  // %1 the path
  kLogWithinShort,
  kLogAboveShort,
  kLogBelowShort,
  kLogFiguresOf,     // %1 the dimension, %2 kLogLimits
  kLogOlderRecords,  // %1 how many
  kLogVoidLine,      // %1 the reason
  kLogVoidNote,
  kLogChartTitle,  // %1 the dimension
};

// The text in the language; %1 and %2 stand for the arguments.
std::string Text(TextId id, Language language,
                 std::initializer_list<std::string_view> arguments = {});

// What the user is told of a problem, in the language.
std::string ProblemText(const Problem& problem, Language language);

// The title of a file dialog of that purpose, in the language.
std::string FileDialogTitle(FileDialogPurpose purpose, Language language);

}  // namespace silvarone
