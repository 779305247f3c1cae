#include "ui/measurability_texts.h"

#include "core/number_text.h"
#include "ui/texts.h"

namespace silvarone {
namespace {

class Wording {
 public:
  Wording(Language language, int decimals) : language_(language), decimals_(decimals) {}

  Warning operator()(TextId full, TextId brief, double first, double second) const {
    return {Text(full, language_, {Number(first), Number(second)}), Text(brief, language_)};
  }

 private:
  std::string Number(double value) const { return FormatFixed(value, 15, decimals_); }

  Language language_;
  int decimals_;
};

void FlankWarning(std::vector<Warning>& out, const Wording& word, FlankContact flank,
                  double contact, const Measurability& m, bool ball) {
  switch (flank) {
    case FlankContact::kPastTip:
      out.push_back(ball ? word(TextId::kBallPastTip, TextId::kBallPastTipBrief, contact, m.d_Na)
                         : word(TextId::kSpanPastTip, TextId::kSpanPastTipBrief, contact, m.d_Na));
      break;
    case FlankContact::kPastRoot:
      out.push_back(ball
                        ? word(TextId::kBallPastRoot, TextId::kBallPastRootBrief, contact, m.d_Nf)
                        : word(TextId::kSpanPastRoot, TextId::kSpanPastRootBrief, contact, m.d_Nf));
      break;
    case FlankContact::kNoInvolute:
    case FlankContact::kUsable:
      break;
  }
}

std::vector<Warning> BallWarnings(const BallCheck& ball, const Measurability& m,
                                  const Wording& word) {
  std::vector<Warning> out;
  if (!ball.known) return out;
  if (ball.flank == FlankContact::kNoInvolute) {
    out.push_back(word(TextId::kBallNoInvolute, TextId::kBallNoInvoluteBrief, ball.D, m.d_b));
  }
  FlankWarning(out, word, ball.flank, ball.d_MK, m, true);
  if (!ball.protrudes) {
    out.push_back(word(TextId::kBallBelowTips, TextId::kBallBelowTipsBrief, ball.reach, m.d_Na));
  }
  return out;
}

}  // namespace

MeasurabilityWarnings WordWarnings(const Measurability& m, Language language, int decimals) {
  const Wording word(language, decimals);
  MeasurabilityWarnings warnings;
  if (m.span.known) {
    FlankWarning(warnings.span, word, m.span.flank, m.span.d_Wk, m, false);
    if (!m.span.widthCarries) {
      warnings.span.push_back(
          word(TextId::kSpanTooWide, TextId::kSpanTooWideBrief, m.span.b_w, m.span.widthNeeded));
    }
  }
  warnings.overBalls = BallWarnings(m.overBalls, m, word);
  warnings.instrument = BallWarnings(m.instrument, m, word);
  return warnings;
}

std::string BriefLine(const std::string& symbol, const std::vector<Warning>& warnings) {
  std::string line;
  for (const Warning& warning : warnings) {
    line += (line.empty() ? symbol + ": " : "; ") + warning.brief;
  }
  return line;
}

std::string FullLines(const std::vector<Warning>& warnings) {
  std::string lines;
  for (const Warning& warning : warnings) {
    if (!lines.empty()) lines += '\n';
    lines += warning.full;
  }
  return lines;
}

}  // namespace silvarone
