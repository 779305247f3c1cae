#include "storage/device_ball_file.h"

#include <filesystem>
#include <system_error>

#include "device/series.h"
#include "platform/file_system.h"
#include "platform/locations.h"

namespace silvarone {

std::vector<std::string> DeviceBallFileReadOrder(const std::string& programDirectory,
                                                 const std::string& settingsDirectory) {
  const std::string dat = programDirectory + "dat" + platform::PathSeparator();
  return {settingsDirectory + kDeviceBallFile, dat + kDeviceBallFile};
}

std::string DeviceBallFilePath(const std::string& programDirectory,
                               const std::string& settingsDirectory) {
  const std::vector<std::string> files =
      DeviceBallFileReadOrder(programDirectory, settingsDirectory);
  const std::string& user = files[0];
  const std::string& shipped = files[1];
  std::error_code error;
  if (std::filesystem::exists(user, error)) return user;
  if (!platform::FolderWritable(std::filesystem::path(shipped).parent_path())) return user;
  return shipped;
}

}  // namespace silvarone
