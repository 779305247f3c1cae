// Questions to the user, answered in a modal dialog (the window), on the
// terminal, or by a test's script.
#pragma once

#include <string>

#include "core/number_text.h"

namespace silvarone {

// The numbered confirmations.
inline constexpr int kAskOverwriteProject = -300;
inline constexpr int kAskEraseProject = -301;
inline constexpr int kAskSaveProject = -303;
inline constexpr int kAskDiscardBallChanges = -400;

inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;

class Questions : public MessageSink {
 public:
  // The numbered confirmation; kAnswerOk or kAnswerCancel (closing the
  // dialog counts as Cancel).
  virtual int AskConfirmation(int number, const std::string& name) = 0;
};

}  // namespace silvarone
