// The record set: every input and result of one gear, as named members, with a
// name table for the settings and project files, the report and the JSON dump.
#pragma once

#include <span>
#include <string_view>

#include "core/gear_record.h"

namespace silvarone {

// One line per record. ROW records start with the initial value and limits
// given; BARE records start all zero with an empty text.
//   ROW(name, initial, minimum, maximum)
// Limits written as 0, 0 for the gear-type records are replaced by
// SetGearTypeLimits before any parse.
#define SILVARONE_RECORDS(ROW, BARE)                             \
  /* drawing data and the values in use */                       \
  ROW(m_n, kNotSet, 0, 1000)                                     \
  ROW(z, kNotSet, -1000, 1000)                                   \
  ROW(alpha_n, kNotSet, 0, 45)                                   \
  ROW(beta, kNotSet, 0, 45)                                      \
  ROW(x, -3, -3, 3)                                              \
  ROW(b_w, kNotSet, 5, 3000)                                     \
  ROW(d_Na, kNotSet, -1000000, 1000000)                          \
  ROW(d_Nf, kNotSet, -1000000, 1000000)                          \
  ROW(k_M, kNotSet, -2000, 2000)                                 \
  ROW(k_M_manual, kNotSet, -0.000001, 2000)                      \
  ROW(D_M, kNotSet, -1000, 1000)                                 \
  ROW(D_M_manual, kNotSet, 0, 1000)                              \
  /* tooth thickness deviations in micrometres */                \
  ROW(A_sne, kNotSet, -10000, 10000)                             \
  ROW(T_sn, kNotSet, -10000, 10000)                              \
  BARE(A_sni)                                                    \
  ROW(A_sne_manual, kNotSet, -10000, 10000)                      \
  ROW(T_sn_manual, kNotSet, -10000, 10000)                       \
  /* instrument */                                               \
  ROW(D_distance, kNotSet, 0, 1000)                              \
  ROW(Messbereichswert, kNotSet, 0, 1000)                        \
  ROW(Q_measured, kNotSet, -1000, 1000)                          \
  /* given dimensions of the input modes */                      \
  ROW(Wk_given, kGivenDimensionUnset, -0.000001, 1000000)        \
  ROW(Wke_given, kGivenDimensionUnset, -0.000001, 1000000)       \
  ROW(Wki_given, kGivenDimensionUnset, -0.000001, 1000000)       \
  ROW(k_given, kNotSet, -0.000001, 2000)                         \
  ROW(Mdk_given, kGivenDimensionUnset, -0.000001, 1000000)       \
  ROW(Mdke_given, kGivenDimensionUnset, -0.000001, 1000000)      \
  ROW(Mdki_given, kGivenDimensionUnset, -0.000001, 1000000)      \
  ROW(DM_given, kNotSet, 0, 1000)                                \
  ROW(Xe_given, kNotSet, -1000, 1000)                            \
  ROW(Xee_given, kNotSet, -1000, 1000)                           \
  ROW(Xei_given, kNotSet, -1000, 1000)                           \
  /* back-calculation settings */                                \
  ROW(factorDelta_Q, kNotSet, -1000, 1000)                       \
  ROW(delta_Q2, kNotSet, -1000, 1000)                            \
  ROW(smallStepSize, -1, -1, 1)                                  \
  ROW(bigStepSize, -10, -10, 10)                                 \
  /* gear geometry */                                            \
  ROW(d, kNotSet, -10000, 10000)                                 \
  ROW(d_b, kNotSet, -1000000, 1000000)                           \
  BARE(m_t)                                                      \
  ROW(alpha_t, kNotSet, 0, 45)                                   \
  ROW(beta_b, kNotSet, 0, 45)                                    \
  ROW(inv_alpha_n, kNotSet, -1000, 1000)                         \
  ROW(inv_alpha_t, kNotSet, -1000, 1000)                         \
  ROW(alpha_Na, kNotSet, 0, 1000)                                \
  ROW(inv_alpha_Na, kNotSet, 0, 1000)                            \
  BARE(beta_Na)                                                  \
  BARE(lead)                                                     \
  ROW(p_t, kNotSet, -1000, 1000)                                 \
  ROW(p_n, kNotSet, -1000, 1000)                                 \
  ROW(p_bt, kNotSet, -1000, 1000)                                \
  ROW(p_bn, kNotSet, -1000, 1000)                                \
  ROW(s_t, kNotSet, 0, 45)                                       \
  ROW(s_n, kNotSet, 0, 45)                                       \
  ROW(s_bt, kNotSet, 0, 45)                                      \
  ROW(s_bn, kNotSet, 0, 45)                                      \
  ROW(e_t, kNotSet, -1000, 1000)                                 \
  ROW(e_n, kNotSet, -1000, 1000)                                 \
  ROW(e_bt, kNotSet, -1000, 1000)                                \
  ROW(e_bn, kNotSet, -1000, 1000)                                \
  BARE(d_f)                                                      \
  /* span measurement */                                         \
  ROW(W_k, kNotSet, -1000, 1000)                                 \
  BARE(Wke)                                                      \
  BARE(Wki)                                                      \
  BARE(AWk_star)                                                 \
  BARE(A_Wke)                                                    \
  BARE(A_Wki)                                                    \
  BARE(k_M_recommended)                                          \
  BARE(k_M_recommended_int)                                      \
  BARE(k_span)                                                   \
  BARE(k_span_value)                                             \
  BARE(d_x)                                                      \
  BARE(beta_x)                                                   \
  BARE(alpha_x)                                                  \
  /* dimension over balls and the measuring ball */              \
  BARE(alpha_kt)                                                 \
  BARE(d_Kt)                                                     \
  BARE(M_dk)                                                     \
  BARE(MdKe)                                                     \
  BARE(MdKi)                                                     \
  BARE(AMd_star)                                                 \
  BARE(A_Mdke)                                                   \
  BARE(A_Mdki)                                                   \
  BARE(z_nM)                                                     \
  BARE(alpha_vnM)                                                \
  BARE(alpha_KnM)                                                \
  BARE(tan_alpha)                                                \
  BARE(D_M_recommended)                                          \
  ROW(D_M_min, kNotSet, 0, 1000)                                 \
  ROW(D_M_max, kNotSet, 0, 1000)                                 \
  /* results of the input modes */                               \
  BARE(Wk_mode)                                                  \
  BARE(Wke_mode)                                                 \
  BARE(Wki_mode)                                                 \
  BARE(Mdk_mode)                                                 \
  BARE(Mdke_mode)                                                \
  BARE(Mdki_mode)                                                \
  BARE(xE)                                                       \
  BARE(xEe)                                                      \
  BARE(xEi)                                                      \
  BARE(A_upper_mode)                                             \
  BARE(A_lower_mode)                                             \
  BARE(Wk_xE)                                                    \
  BARE(Wke_xE)                                                   \
  BARE(Wki_xE)                                                   \
  BARE(Mdk_xE)                                                   \
  BARE(Mdke_xE)                                                  \
  BARE(Mdki_xE)                                                  \
  /* check dimension Q on the instrument */                      \
  ROW(alpha_M, kNotSet, 0, 45)                                   \
  ROW(alpha_K, kNotSet, 0, 45)                                   \
  ROW(d_K, kNotSet, 0, 45)                                       \
  ROW(Q, kNotSet, 0, 45)                                         \
  BARE(Q_plus_D_M)                                               \
  BARE(Q_plus_D_M_upper)                                         \
  BARE(Q_plus_D_M_lower)                                         \
  ROW(s_Nat, kNotSet, -1000, 1000)                               \
  ROW(p_Nat, kNotSet, -1000, 1000)                               \
  ROW(e_Nan, kNotSet, -1000, 1000)                               \
  ROW(eta_Nan, kNotSet, 0, 1000)                                 \
  BARE(_e_Nan)                                                   \
  /* back-calculation: trial profile shift, actual Wk and MdK */ \
  BARE(xE_working)                                               \
  BARE(Wk_real)                                                  \
  BARE(Mdk_real)

struct GearRecords {
#define SILVARONE_MEMBER(name, ...) TGear name;
  SILVARONE_RECORDS(SILVARONE_MEMBER, SILVARONE_MEMBER)
#undef SILVARONE_MEMBER
};

// One row of the name table.
struct RecordInfo {
  std::string_view name;
  TGear GearRecords::*member;
  bool hasRow;  // false: starts all zero
  double initial;
  double minimum;
  double maximum;
};

// Every record in the order of the list above.
std::span<const RecordInfo> RecordTable();

// The record of that name (exact spelling), or null.
TGear* FindRecord(GearRecords& records, std::string_view name);
const TGear* FindRecord(const GearRecords& records, std::string_view name);

// Resets every record to its initial state.
void InitParameters(GearRecords& records);

}  // namespace silvarone
