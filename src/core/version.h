// The program's name, version, version date, licence and web address, as the
// build defines them: the report, the command line, the window title and the
// about window all take them from here.
#pragma once

#include <string_view>

namespace silvarone {

inline constexpr std::string_view kProgramName = "Norlath Measurement";
inline constexpr std::string_view kProgramNameGerman = "Silvaronen-Messung";
extern const std::string_view kProgramVersion;
extern const std::string_view kProgramDate;
// The licence of the program (SPDX identifier); the full text is in LICENSE.
inline constexpr std::string_view kProgramLicence = "GPL-3.0-or-later";
// Where the source and the manual are published; empty when the build names
// no address (then nothing points to one).
extern const std::string_view kWebAddress;

}  // namespace silvarone
