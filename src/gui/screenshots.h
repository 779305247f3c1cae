// `silvarone screenshots DIR [--lang de|en]`: a PNG of every page of the
// window as the stored settings show it, for the manual and for reviewers.
#pragma once

#include <string>
#include <vector>

namespace silvarone::gui {

// Runs inside a QApplication. Status 0, or 2 with one line on stderr.
int RunScreenshots(const std::vector<std::string>& arguments);

}  // namespace silvarone::gui
