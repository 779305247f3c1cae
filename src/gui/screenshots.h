// `silvarone screenshots DIR [--lang de|en]`: a PNG of every page of the
// window as the stored settings show it, and of the inspection log window
// with sample parts of that gear, for the manual and for reviewers.
#pragma once

#include <string>
#include <vector>

namespace silvarone::gui {

// A picture could not be written (the command line's "output failed").
inline constexpr int kScreenshotsOutputFailed = 5;

// Runs inside a QApplication. Status 0; 2 for a usage error or a folder that
// cannot be made; 5 when a picture could not be written (a pipe or device in
// its place, a full disk); each with one line on stderr.
int RunScreenshots(const std::vector<std::string>& arguments);

}  // namespace silvarone::gui
