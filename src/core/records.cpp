#include "core/records.h"

#include <array>

namespace silvarone {
namespace {

#define SILVARONE_ROW_INFO(name, initial, minimum, maximum) \
  RecordInfo{#name, &GearRecords::name, true, initial, minimum, maximum},
#define SILVARONE_BARE_INFO(name) RecordInfo{#name, &GearRecords::name, false, 0.0, 0.0, 0.0},
constexpr std::array kRecordTable{SILVARONE_RECORDS(SILVARONE_ROW_INFO, SILVARONE_BARE_INFO)};
#undef SILVARONE_ROW_INFO
#undef SILVARONE_BARE_INFO

}  // namespace

std::span<const RecordInfo> RecordTable() {
  return kRecordTable;
}

TGear* FindRecord(GearRecords& records, std::string_view name) {
  for (const RecordInfo& info : kRecordTable) {
    if (info.name == name) return &(records.*info.member);
  }
  return nullptr;
}

const TGear* FindRecord(const GearRecords& records, std::string_view name) {
  return FindRecord(const_cast<GearRecords&>(records), name);
}

void InitParameters(GearRecords& records) {
  for (const RecordInfo& info : kRecordTable) {
    TGear& record = records.*info.member;
    record = TGear{};
    record.value = info.initial;
    record.minimum = info.minimum;
    record.maximum = info.maximum;
    record.status = info.hasRow ? kStatusNeverParsed : kStatusValid;
  }
  // A gear has teeth and a size: zero teeth or a module of zero pass the
  // limits but describe no gear (a module of zero gave every test dimension
  // as 0.000, a plausible-looking result).
  records.z.zeroRefused = true;
  records.m_n.zeroRefused = true;
}

}  // namespace silvarone
