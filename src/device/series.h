// Series the user picks from: the DIN 780 module series, the measuring ball
// series (DIN series and the instrument's ball sequence, kept in ball files),
// the four ways of choosing the ball, and the list of help documents.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/gear.h"
#include "core/result.h"

namespace silvarone {

extern const std::array<std::string_view, 34> kModuleSeries1;
extern const std::array<std::string_view, 34> kModuleSeries2;

enum ModuleChoiceItem : int { kModuleSeries1Item = 0, kModuleSeries2Item = 1, kModuleManual = 2 };

// Setting "Normalmodul Type": "0" and "1" pick a series, anything else manual entry.
int ModuleChoiceFromSetting(std::string_view setting);

// The module settings: how the module is chosen and the module remembered
// for each way.
struct ModuleChoice {
  int item = kModuleManual;
  std::string series1Text;
  std::string series2Text;
  std::string manualText;
};

// The modules of DIN 780 series 1 (item 0) or series 2 (item 1).
const std::array<std::string_view, 34>& ModuleSeries(int item);

// Index of the series entry with the module of `text`, or 0 (the first entry)
// when the series lacks it. By value, not by text: "1,0" is the entry "1".
int ModuleSeriesIndex(int item, const std::string& text);

inline constexpr const char* kDinBallFile = "messkugel_DIN_001.dat";
inline constexpr const char* kDeviceBallFile = "messkugel_VEK_001.dat";

// The diameter texts of a ball file, in file order, as written there; the
// problem when the file cannot be read.
Result<std::vector<std::string>> ReadBallFile(const std::string& path);

// The lines of a ball file for the diameters, dated `date` (dd.MM.yyyy).
std::vector<std::string> BallFileLines(const std::vector<std::string>& diameters,
                                       const std::string& date);

// Writes a ball file dated today. 0 when written, -1 for an empty list
// (nothing written), -2 when the file could not be written (the old file
// stays as it was).
int WriteBallFile(const std::vector<std::string>& diameters, const std::string& path);
int WriteBallFile(const std::vector<std::string>& diameters, const std::string& path,
                  const std::string& date);

enum BallChoiceItem : int {
  kBallRecommended = 0,
  kBallDinSeries = 1,
  kBallDeviceSequence = 2,
  kBallManual = 3,
};

// Setting "Messkugelfolge": "0", "1", "2" pick those items, anything else manual entry.
int BallChoiceFromSetting(std::string_view setting);

// The ball settings and the two ball lists read from the ball files.
struct BallChoice {
  int item = kBallManual;
  std::vector<std::string> dinBalls;     // DIN ball series
  std::vector<std::string> deviceBalls;  // ball sequence of the instrument
  // Remembered texts: the chosen DIN ball and the chosen sequence ball (the
  // typed ball is remembered in the record D_M_manual).
  std::string dinText = "10";
  std::string deviceText = "10";
};

// Index of the list's ball with the diameter of `text`, by value as the
// module series: the stored "10" selects "10.000". The first ball for a
// diameter the list lacks; -1 for an empty list.
int BallIndex(const std::vector<std::string>& balls, const std::string& text);

inline constexpr const char* kDocumentListFile = "acrobatSilvaroneFiles.txt";

struct DocumentList {
  std::vector<std::string> documents;
  std::optional<Problem> problem;  // told to the user when the list could not be read
};

// The help documents named in the list file after "[list start]".
DocumentList ReadDocumentList(const std::string& path);

}  // namespace silvarone
