// One gear under inspection: its record set and the calculation state. Every
// calculation takes a Gear by reference; nothing lives in globals, so a test,
// the command line and the window may hold as many gears as they like.
#pragma once

#include <array>
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

// Points and helix values of the helical anvil model of the last run.
struct HelixModel {
  double p_z = 0.0;     // lead of the ball-centre helix
  double a = 0.0;       // axial advance per radian
  double R = 0.0;       // radius of the ball-centre helix
  double p_Teil = 0.0;  // angular pitch
  double n_Teil = 0.0;  // pitches between the measured gaps
  double t_B = 0.0;     // helix parameter of the anvil's second ball
  double t_D = 0.0;     // helix parameter of the opposite contact
  double A[3] = {};     // first ball centre
  double B[3] = {};     // second ball centre
  double N[3] = {};     // direction from A to B, over the ball distance
  double C[3] = {};     // midpoint of A and B
  double D[3] = {};     // opposite contact point
};

struct CalculationState {
  int ExternalGear = 0;
  int HelicalGear = 0;
  CalculationModeKind CalculationMode = kModeStandard;
  int Nachkommastellenzahl_1 = 3;  // decimals of computed values
  int Nachkommastellenzahl_2 = 3;
  int Nachkommastellenzahl_3 = 0;  // decimals of tooth counts
  Language language = kGerman;
  // Measuring range of the instrument: 25 mm below the range value up to it.
  double rangeStart = 0.0;
  double rangeEnd = 0.0;
  // The helical anvil model of the last check dimension.
  HelixModel helix;
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
  // Off while a solver runs trial calculations whose texts nobody reads.
  bool formatTexts = true;
  // On while a calculation keeps its texts to be written when read.
  bool deferTexts = false;

  // The smallest ball of the last search (BallLowerLimit) and everything the
  // search reads: a search costs dozens of involute inversions, and the page
  // asks for the same gear twice. Kept by its inputs, never by the order of
  // calls, so a changed gear always searches anew.
  struct SmallestBallSearch {
    std::array<double, 5> inputs{};  // |d_f|, D_M_max, e_bt, d_b, beta_b
    int kind = -1;                   // external + 2 * helical; -1: none yet
    double result = 0.0;
  };
  SmallestBallSearch smallestBall;

  void NotifySettingsChanged() const {
    if (settingsChanged) settingsChanged();
  }
};

// Where the ball touches: the spur form in the transverse section, or the
// helical anvil model.
enum class BallForm { kSpur, kHelical };
inline BallForm BallFormOf(const Gear& gear) {
  return gear.state.HelicalGear == 1 ? BallForm::kHelical : BallForm::kSpur;
}

// Trial calculations (the evaluations for other profile shifts, the steps of
// the back-calculation) store values only; the texts are written by the run
// that follows for the values that stay.
class TrialCalculation {
 public:
  explicit TrialCalculation(Gear& gear) : gear_(gear), before_(gear.formatTexts) {
    gear.formatTexts = false;
  }
  ~TrialCalculation() { gear_.formatTexts = before_; }
  TrialCalculation(const TrialCalculation&) = delete;
  TrialCalculation& operator=(const TrialCalculation&) = delete;

 private:
  Gear& gear_;
  bool before_;
};

// A calculation of which only some texts are read (a row of the batch)
// stores its values and the decimals of their texts; a text is written when
// it is read (ParseParameter, ShownText, WriteDeferredText), with the value
// it was given when stored, as the calculation would have written it then.
class DeferredTexts {
 public:
  explicit DeferredTexts(Gear& gear) : gear_(gear), before_(gear.deferTexts) {
    gear.deferTexts = true;
  }
  ~DeferredTexts() { gear_.deferTexts = before_; }
  DeferredTexts(const DeferredTexts&) = delete;
  DeferredTexts& operator=(const DeferredTexts&) = delete;

 private:
  Gear& gear_;
  bool before_;
};

// Fixed-point text with 15 significant digits and the decimals of computed values.
void FormatValue(const Gear& gear, TGear& record);
// The same with the decimals of tooth counts.
void FormatCount(const Gear& gear, TGear& record);

// Writes a computed value into its record and formats the text at once. A
// value that is not finite (a degenerate gear) is stored as "cannot be
// computed" with an empty text, so no NAN or INF ever reaches a field.
void StoreValue(const Gear& gear, TGear& record, double value);
void StoreCount(const Gear& gear, TGear& record, double value);

// Sets the limits of the records whose sign follows the gear type.
void SetGearTypeLimits(Gear& gear);

// Converts every stored input text in one pass. 0 when all convert, else the
// code of the last record that failed (2 is the tooth count z).
int ValidateInputs(Gear& gear);

}  // namespace silvarone
