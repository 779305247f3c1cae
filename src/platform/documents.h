// The PDF viewer of the help documents. The start check and the help menu
// ask the same function, so a viewer the check accepts is the viewer that
// opens the manuals.
#pragma once

#include <string>

namespace silvarone::platform {

struct PdfViewer {
  bool found = false;
  // Run with the document's path as its one argument; empty with `found`:
  // the shell's "open" action (Windows).
  std::string program;
};

// In this order: SILVARONE_PDF_VIEWER when set (a program path, or a program
// name on the PATH; empty or "none" means no viewer); on Windows the shell's
// registered handler; elsewhere the desktop's viewer for application/pdf
// through xdg-open when xdg-mime names one, else the first known viewer on
// the PATH.
PdfViewer FindPdfViewer();

// Whether FindPdfViewer finds one.
bool PdfViewerAvailable();

}  // namespace silvarone::platform
