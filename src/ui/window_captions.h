// The captions of the main window in the language of the moment: every
// label, group, button, menu entry and page tab (by object name), the items
// of the lists, the window title, the place of UpDown1 and the instrument
// picture. The tables are in captions.h; this part holds what applies now.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "core/gear.h"
#include "ui/window_fields.h"

namespace silvarone {

class WindowCaptions {
 public:
  // The captions and list items of the language; lists keep their index, so
  // a selection survives a switch.
  void Apply(Language language, bool externalGear, const std::string& programDirectory,
             WindowFields& fields);
  // The tooth count group names teeth for an external and gaps for an internal gear.
  void ShowToothCountCaptions(Language language, bool externalGear);

  std::string_view caption(std::string_view object) const;
  const std::map<std::string, std::string, std::less<>>& captions() const { return captions_; }
  int upDownPosition() const { return upDownPosition_; }
  const std::string& instrumentPicture() const { return instrumentPicture_; }

 private:
  std::map<std::string, std::string, std::less<>> captions_;
  int upDownPosition_ = 0;
  std::string instrumentPicture_;
};

}  // namespace silvarone
