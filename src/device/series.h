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

namespace silvarone {

extern const std::array<std::string_view, 34> kModuleSeries1;
extern const std::array<std::string_view, 34> kModuleSeries2;

enum ModuleChoiceItem : int { kModuleSeries1Item = 0, kModuleSeries2Item = 1, kModuleManual = 2 };

// Setting "Normalmodul Type": "0" and "1" pick a series, anything else manual entry.
int ModuleChoiceFromSetting(std::string_view setting);

struct ModuleChoice {
  int item = kModuleManual;
  // Remembered module texts of the two series and of manual entry.
  std::string series1Text;
  std::string series2Text;
  std::string manualText;
  // What the window shows.
  std::string display;  // the module in use (Edit12)
  int series1Index = -1;
  int series2Index = -1;
  bool series1Enabled = false;
  bool series2Enabled = false;
  bool moduleInputEnabled = true;  // Input_m_n
};

// A choice in the module radio group. The module record takes the module
// shown; returns true when its value changed.
bool SelectModuleChoice(Gear& gear, ModuleChoice& choice, int item);

inline constexpr const char* kDinBallFile = "messkugel_DIN_001.dat";
inline constexpr const char* kDeviceBallFile = "messkugel_VEK_001.dat";

// The diameter texts of a ball file, in file order, as written there.
// Nothing when the file cannot be opened.
std::optional<std::vector<std::string>> ReadBallFile(const std::string& path);

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

struct BallChoice {
  int item = kBallManual;
  std::vector<std::string> dinBalls;     // DIN ball series
  std::vector<std::string> deviceBalls;  // ball sequence of the instrument
  // Remembered texts: the chosen DIN ball and the chosen sequence ball (the
  // typed ball is remembered in the record D_M_manual).
  std::string dinText = "10";
  std::string deviceText = "10";
  int dinIndex = -1;
  int deviceIndex = -1;
  bool dinEnabled = false;
  bool deviceEnabled = false;
  bool manualEditable = true;  // D_M_Edit
};

// The lists select the remembered balls (no selection when not listed).
void SelectRememberedBalls(BallChoice& choice);

// A choice in the ball radio group: enables the list or field of the item and
// returns the text of the ball in use (the recommended ball, the list's
// text, or the typed text with the remembered one when the field is empty).
std::string ApplyBallChoice(BallChoice& choice, int item, const std::string& recommendedText,
                            const std::string& manualFieldText,
                            const std::string& rememberedManualText);

inline constexpr const char* kDocumentListFile = "acrobatSilvaroneFiles.txt";

struct DocumentList {
  std::vector<std::string> documents;
  std::string message;  // shown to the user when the list could not be read
};

// The help documents named in the list file after "[list start]".
DocumentList ReadDocumentList(const std::string& path);

}  // namespace silvarone
