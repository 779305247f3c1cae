// Opening help documents in the system's PDF viewer.
#pragma once

namespace silvarone::platform {

// Whether a PDF viewer can be opened: SILVARONE_PDF_VIEWER when set (empty
// or "none" means no viewer); on Windows the registered PDF handler;
// elsewhere the desktop's default for application/pdf or a known viewer on
// the PATH.
bool PdfViewerAvailable();

}  // namespace silvarone::platform
