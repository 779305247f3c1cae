// Which PDF viewer the start check accepts and the help menu runs.
#include "platform/documents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "scoped_env.h"

namespace silvarone::platform {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnv;

class Viewer : public testing::TempFolder {
 protected:
  // A program in bin/ that prints `output`.
  std::string Program(const std::string& name, const std::string& output = "",
                      fs::perms permissions = fs::perms::owner_all) {
    fs::create_directories(folder_ / "bin");
    const std::string path = Write("bin/" + name, "#!/bin/sh\necho '" + output + "'\n");
    fs::permissions(path, permissions);
    return path;
  }
  std::string Bin() const { return Path("bin"); }
};

struct Case {
  const char* name;
  std::vector<const char*> programs;  // in bin/, the only folder on the PATH
  const char* desktopDefault;         // what xdg-mime names for application/pdf
  const char* override;               // SILVARONE_PDF_VIEWER; nullptr: not set
  const char* expected;               // program in bin/ (or as given); nullptr: no viewer
};

TEST_F(Viewer, CheckAndOpeningFindTheSameViewer) {
  const Case cases[] = {
      // The machine ./scripts/run prepares: mupdf, no xdg-utils.
      {"known viewer without xdg-utils", {"mupdf"}, "", nullptr, "mupdf"},
      {"first known viewer in the list", {"zathura", "evince"}, "", nullptr, "evince"},
      {"the desktop's viewer through xdg-open",
       {"xdg-mime", "xdg-open", "mupdf"},
       "org.gnome.Evince.desktop",
       nullptr,
       "xdg-open"},
      {"xdg-mime without a default", {"xdg-mime", "xdg-open", "okular"}, "", nullptr, "okular"},
      {"no viewer at all", {"xdg-open"}, "", nullptr, nullptr},
      {"override by name on the PATH", {"stand-in", "mupdf"}, "", "stand-in", "stand-in"},
      {"override that names nothing runnable", {"mupdf"}, "", "missing-viewer", nullptr},
      {"override none", {"mupdf"}, "", "none", nullptr},
      {"override empty", {"mupdf"}, "", "", nullptr},
  };
  for (const Case& c : cases) {
    fs::remove_all(folder_ / "bin");
    for (const char* program : c.programs)
      Program(program, program == std::string("xdg-mime") ? c.desktopDefault : "");
    const ScopedEnv path("PATH", Bin().c_str());
    const ScopedEnv viewer("SILVARONE_PDF_VIEWER", c.override);
    const PdfViewer found = FindPdfViewer();
    EXPECT_EQ(found.found, c.expected != nullptr) << c.name;
    EXPECT_EQ(found.program, c.expected ? Path("bin/" + std::string(c.expected)) : "") << c.name;
    EXPECT_EQ(PdfViewerAvailable(), found.found) << c.name;
  }
}

TEST_F(Viewer, OverrideByPathMustBeARunnableFile) {
  const ScopedEnv path("PATH", "/nonexistent");
  const std::string script = Program("viewer.sh");
  const std::string plain =
      Program("plain.txt", "", fs::perms::owner_read | fs::perms::owner_write);
  {
    const ScopedEnv viewer("SILVARONE_PDF_VIEWER", script.c_str());
    EXPECT_EQ(FindPdfViewer().program, script);
  }
  for (const std::string& refused : {plain, Bin(), Path("bin/absent")}) {
    const ScopedEnv viewer("SILVARONE_PDF_VIEWER", refused.c_str());
    EXPECT_FALSE(FindPdfViewer().found) << refused;
  }
}

}  // namespace
}  // namespace silvarone::platform
