#include "platform/documents.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace silvarone::platform {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
bool Runnable(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

// The full path of a program as the shell would find it: a name with a
// folder as it is, a bare name in the first folder of the PATH that has it.
std::string FindProgram(const std::string& program) {
  if (program.find('/') != std::string::npos) return Runnable(program) ? program : "";
  const char* path = std::getenv("PATH");
  if (path == nullptr) return "";
  std::stringstream folders(path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const fs::path candidate = fs::path(folder) / program;
    if (Runnable(candidate)) return candidate.string();
  }
  return "";
}

// Whether the desktop names a viewer for PDF files.
bool DesktopHasPdfViewer() {
  if (FindProgram("xdg-mime").empty()) return false;
  FILE* query = popen("xdg-mime query default application/pdf 2>/dev/null", "r");
  if (query == nullptr) return false;
  char buffer[256] = {};
  const bool answered = std::fgets(buffer, sizeof buffer, query) != nullptr && buffer[0] > ' ';
  pclose(query);
  return answered;
}
#endif

}  // namespace

PdfViewer FindPdfViewer() {
  if (const char* viewer = std::getenv("SILVARONE_PDF_VIEWER")) {
    const std::string name(viewer);
    if (name.empty() || name == "none") return {};
#ifdef _WIN32
    return {true, name};
#else
    const std::string program = FindProgram(name);
    return {!program.empty(), program};
#endif
  }
#ifdef _WIN32
  return {true, ""};  // the shell finds the registered handler when a document is opened
#else
  // xdg-open starts what xdg-mime names (both come with xdg-utils).
  if (DesktopHasPdfViewer()) {
    const std::string open = FindProgram("xdg-open");
    if (!open.empty()) return {true, open};
  }
  // qpdf is no viewer: it only rewrites PDF files.
  for (const char* known : {"evince", "okular", "atril", "xpdf", "mupdf", "qpdfview", "zathura",
                            "firefox", "chromium"}) {
    const std::string program = FindProgram(known);
    if (!program.empty()) return {true, program};
  }
  return {};
#endif
}

bool PdfViewerAvailable() {
  return FindPdfViewer().found;
}

}  // namespace silvarone::platform
