// One gear under inspection: its record set and the calculation state. Every
// calculation takes a Gear by reference; nothing lives in globals, so a test,
// the command line and the window may hold as many gears as they like.
#pragma once

#include <functional>

#include "core/number_text.h"
#include "core/records.h"

namespace silvarone {

enum CalculationModeKind : int {
  kModeStandard = 0,
  kModeGivenSpan = 1,
  kModeGivenBallDimension = 2,
  kModeGivenProfileShift = 3,
};

enum Language : int { kGerman = 0, kEnglish = 1 };

struct CalculationState {
  int ExternalGear = 0;
  int HelicalGear = 0;
  int CalculationMode = kModeStandard;
  int Nachkommastellenzahl_1 = 3;  // decimals of computed values
  int Nachkommastellenzahl_2 = 3;
  int Nachkommastellenzahl_3 = 0;  // decimals of tooth counts
  int language = kGerman;
  // Measuring range of the instrument: 25 mm below the range value up to it.
  double rangeStart = 0.0;
  double rangeEnd = 0.0;
};

class Gear {
 public:
  Gear() { InitParameters(rec); }

  GearRecords rec;
  CalculationState state;
  // Receives the numbered messages of parses made with messages on.
  MessageSink* messages = nullptr;
  // Called when a change of the gear must be written to the settings file.
  std::function<void()> settingsChanged;

  void NotifySettingsChanged() const {
    if (settingsChanged) settingsChanged();
  }
};

// Fixed-point text with 15 significant digits and the decimals of computed values.
void FormatValue(const Gear& gear, TGear& record);
// The same with the decimals of tooth counts.
void FormatCount(const Gear& gear, TGear& record);

// Sets the limits of the records whose sign follows the gear type.
void SetGearTypeLimits(Gear& gear);

// Converts every stored input text in one pass. 0 when all convert, else the
// code of the last record that failed (2 is the tooth count z).
int ValidateInputs(Gear& gear);

}  // namespace silvarone
