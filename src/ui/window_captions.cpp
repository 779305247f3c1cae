#include "ui/window_captions.h"

#include "platform/locations.h"
#include "ui/captions.h"

namespace silvarone {

void WindowCaptions::Apply(Language language, bool externalGear,
                           const std::string& programDirectory, WindowFields& fields) {
  captions_["TMainForm"] = WindowTitle(language);
  for (const CaptionRow& row : CaptionTable()) {
    captions_[std::string(row.object)] = language == kEnglish ? row.english : row.german;
  }
  for (const ListItemsRow& row : ListItemsTable()) {
    fields.SelectionOf(row.object).items = ListItems(row.object, language);
  }
  ShowToothCountCaptions(language, externalGear);
  instrumentPicture_ = programDirectory + "pictures" + platform::PathSeparator() +
                       std::string(InstrumentPicture(language));
  upDownPosition_ = UpDownPosition(language);
}

void WindowCaptions::ShowToothCountCaptions(Language language, bool externalGear) {
  for (const auto& [object, text] : ToothCountCaptions(language, externalGear)) {
    captions_[std::string(object)] = text;
  }
}

std::string_view WindowCaptions::caption(std::string_view object) const {
  const auto it = captions_.find(object);
  return it == captions_.end() ? std::string_view() : std::string_view(it->second);
}

}  // namespace silvarone
