#include "platform/documents.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace silvarone::platform {
namespace {

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::stringstream folders(path);
  std::string folder;
  std::error_code error;
  while (std::getline(folders, folder, ':')) {
    if (!folder.empty() &&
        std::filesystem::exists(std::filesystem::path(folder) / program, error)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool PdfViewerAvailable() {
  if (const char* viewer = std::getenv("SILVARONE_PDF_VIEWER")) {
    const std::string name(viewer);
    return !name.empty() && name != "none";
  }
#ifdef _WIN32
  return true;  // the shell finds the registered handler when a document is opened
#else
  // qpdf is no viewer: it only rewrites PDF files.
  for (const char* known : {"evince", "okular", "atril", "xpdf", "mupdf", "qpdfview", "zathura",
                            "firefox", "chromium"}) {
    if (OnPath(known)) return true;
  }
  if (OnPath("xdg-mime")) {
    if (FILE* query = popen("xdg-mime query default application/pdf 2>/dev/null", "r")) {
      char buffer[256] = {};
      const bool answered = std::fgets(buffer, sizeof buffer, query) != nullptr && buffer[0] > ' ';
      pclose(query);
      return answered;
    }
  }
  return false;
#endif
}

}  // namespace silvarone::platform
