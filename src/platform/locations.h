// Where the program keeps its settings and finds its data files.
#pragma once

#include <string>

namespace silvarone::platform {

// The settings folder, ending in a path separator: SILVARONE_HOME when set;
// else on Windows "X:\Silvarone\" on the drive of the program; elsewhere
// "$HOME/Silvarone/".
std::string SettingsDirectory();

// The folder that holds the program's data (dat/, docs/, pictures/), ending
// in a path separator: the folder of the executable when it holds dat/, else
// ../share/silvarone/ beside it (an installed program).
std::string ProgramDirectory();

// Whether the program may create and replace files in the folder.
bool FolderWritable(const std::string& folder);

// The path separator of this system.
char PathSeparator();

// The login name of the user running the program (the inspection log keeps
// it with each record): the account of the process, else $USER or
// %USERNAME%; empty when none can be found.
std::string LoginName();

}  // namespace silvarone::platform
