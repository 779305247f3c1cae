#include <algorithm>
#include <array>
#include <cmath>

#include "core/gear.h"
#include "core/geometry.h"

namespace silvarone {

namespace {

void WriteText(const Gear& gear, TGear& record, int decimals) {
  if (!gear.formatTexts) return;
  if (gear.deferTexts) {
    record.deferredDecimals = static_cast<std::int8_t>(std::clamp(decimals, 0, 18));
    record.deferredValue = record.value;
    return;
  }
  FormatParameter(record, 15, decimals);
}

}  // namespace

void FormatValue(const Gear& gear, TGear& record) {
  WriteText(gear, record, gear.state.Nachkommastellenzahl_1);
}

void FormatCount(const Gear& gear, TGear& record) {
  WriteText(gear, record, gear.state.Nachkommastellenzahl_3);
}

namespace {

bool StoreFinite(TGear& record, double value) {
  if (std::isfinite(value)) {
    record.value = value;
    return true;
  }
  record.value = kCannotCompute;
  ClearText(record);
  return false;
}

}  // namespace

void StoreValue(const Gear& gear, TGear& record, double value) {
  if (StoreFinite(record, value)) FormatValue(gear, record);
}

void StoreCount(const Gear& gear, TGear& record, double value) {
  if (StoreFinite(record, value)) FormatCount(gear, record);
}

void SetGearTypeLimits(Gear& gear) {
  DetermineExternalGear(gear);
  GearRecords& r = gear.rec;
  const bool external = gear.state.ExternalGear == 1;
  // A zero passes either way; otherwise the sign must match the gear type.
  const double countMin = external ? -0.000001 : -2000.0;
  const double countMax = external ? 2000.0 : 0.000001;
  const double dimensionMin = external ? -0.000001 : -1000000.0;
  const double dimensionMax = external ? 1000000.0 : 0.000001;
  for (TGear* count : {&r.k_given, &r.k_M_manual}) {
    count->minimum = countMin;
    count->maximum = countMax;
  }
  for (TGear* dimension :
       {&r.Wk_given, &r.Wke_given, &r.Wki_given, &r.Mdk_given, &r.Mdke_given, &r.Mdki_given}) {
    dimension->minimum = dimensionMin;
    dimension->maximum = dimensionMax;
  }
}

namespace {

// The records of the drawing and the settings in the order they are checked,
// each with the field number a refusal names.
struct CheckedRecord {
  TGear GearRecords::*member;
  int code;
};
constexpr std::array kCheckOrder{
    CheckedRecord{&GearRecords::m_n, 1},
    CheckedRecord{&GearRecords::alpha_n, 3},
    CheckedRecord{&GearRecords::beta, 4},
    CheckedRecord{&GearRecords::d, 5},
    CheckedRecord{&GearRecords::k_M, 6},
    CheckedRecord{&GearRecords::D_M, 7},
    CheckedRecord{&GearRecords::x, 8},
    CheckedRecord{&GearRecords::Messbereichswert, 9},
    CheckedRecord{&GearRecords::d_Na, 10},
    CheckedRecord{&GearRecords::d_Nf, 11},
    CheckedRecord{&GearRecords::b_w, 12},
    CheckedRecord{&GearRecords::A_sne, 13},
    CheckedRecord{&GearRecords::D_distance, 14},
    CheckedRecord{&GearRecords::T_sn, 15},
    CheckedRecord{&GearRecords::Wk_given, 16},
    CheckedRecord{&GearRecords::Wke_given, 17},
    CheckedRecord{&GearRecords::Wki_given, 18},
    CheckedRecord{&GearRecords::Mdk_given, 19},
    CheckedRecord{&GearRecords::Mdke_given, 20},
    CheckedRecord{&GearRecords::Mdki_given, 21},
    CheckedRecord{&GearRecords::Xe_given, 22},
    CheckedRecord{&GearRecords::Xee_given, 23},
    CheckedRecord{&GearRecords::Xei_given, 24},
    CheckedRecord{&GearRecords::k_given, 25},
    CheckedRecord{&GearRecords::DM_given, 26},
    CheckedRecord{&GearRecords::factorDelta_Q, 27},
    CheckedRecord{&GearRecords::delta_Q2, 28},
    CheckedRecord{&GearRecords::smallStepSize, 29},
    CheckedRecord{&GearRecords::bigStepSize, 30},
};

}  // namespace

int ValidateInputs(Gear& gear) {
  GearRecords& r = gear.rec;
  int code = 0;
  bool failed = false;
  const auto check = [&](TGear& record, int recordCode) {
    if (!IsEntered(record)) return false;
    if (ParseParameter(record, {.normalise = true}) != kStatusValid) {
      failed = true;
      code = recordCode;
      return false;
    }
    return true;
  };

  check(r.z, 2);
  SetGearTypeLimits(gear);

  for (const CheckedRecord& entry : kCheckOrder) {
    TGear& record = r.*entry.member;
    // An empty tooth count or ball of the given dimension takes the one in use.
    if (entry.member == &GearRecords::k_given && !IsEntered(record)) {
      SetText(record, IsEntered(r.k_M) ? ShownText(r.k_M) : "10");
    } else if (entry.member == &GearRecords::DM_given && !IsEntered(record)) {
      SetText(record, IsEntered(r.D_M) ? ShownText(r.D_M) : "10");
    }
    if (check(record, entry.code) && entry.member == &GearRecords::Messbereichswert) {
      gear.state.rangeStart = record.value - 25.0;
      gear.state.rangeEnd = record.value;
    }
  }
  return failed ? code : 0;
}

}  // namespace silvarone
