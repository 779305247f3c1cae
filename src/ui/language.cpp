// The captions of the main window in the language of the moment.
#include "core/modes.h"
#include "platform/locations.h"
#include "ui/captions.h"
#include "ui/window_model.h"

namespace silvarone {

std::string_view WindowModel::caption(std::string_view object) const {
  const auto it = captions_.find(object);
  return it == captions_.end() ? std::string_view() : std::string_view(it->second);
}

void WindowModel::ApplyCaptions() {
  const Action action(*this);
  const Language language = gear().state.language;
  const bool english = language == kEnglish;
  captions_["TMainForm"] = WindowTitle(language);
  for (const CaptionRow& row : CaptionTable()) {
    captions_[std::string(row.object)] = english ? row.english : row.german;
  }
  // Lists keep their items' indices, so a selection survives the switch.
  for (const ListItemsRow& row : ListItemsTable()) {
    S(row.object).items = ListItems(row.object, language);
  }
  ShowToothCountCaptions();

  // What the captions frame is computed anew in the order the window shows it.
  ModeCalculation(gear(), gear().state.CalculationMode);
  RefreshComparison();
  SelectModuleSeries(workspace_.module.item);
  instrumentPicture_ = programDirectory_ + "pictures" + platform::PathSeparator() +
                       std::string(InstrumentPicture(language));
  ShowRangeDisplay();
  ShowStatusBar();
  upDownPosition_ = UpDownPosition(language);
}

void WindowModel::ShowToothCountCaptions() {
  for (const auto& [object, text] :
       ToothCountCaptions(gear().state.language, gear().state.ExternalGear == 1)) {
    captions_[std::string(object)] = text;
  }
}

}  // namespace silvarone
