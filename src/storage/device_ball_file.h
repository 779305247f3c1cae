// Where the instrument's ball file lives. The program ships it in dat/ of its
// program folder; the ball sequence editor saves it there while that folder
// is writable (a program run from its build folder). An installed program's
// folder is not writable for its users, so the saved file goes to the
// settings folder, and the start reads it from there first.
#pragma once

#include <string>
#include <vector>

namespace silvarone {

// The file the ball sequence editor writes: the settings folder's copy when
// there is one (it is the one read) or when dat/ of the program folder is not
// writable, else the program folder's. Both folders end in a path separator.
std::string DeviceBallFilePath(const std::string& programDirectory,
                               const std::string& settingsDirectory);

// The files the start tries, in order: the settings folder's, then the
// program folder's.
std::vector<std::string> DeviceBallFileReadOrder(const std::string& programDirectory,
                                                 const std::string& settingsDirectory);

}  // namespace silvarone
