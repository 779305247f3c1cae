// Which PDF viewer the start check accepts and the help menu runs.
#include "platform/documents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "row_name.h"
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

struct ViewerCase {
  const char* name;
  std::vector<const char*> programs;  // in bin/, the only folder on the PATH
  const char* desktopDefault;         // what xdg-mime names for application/pdf
  const char* override;               // SILVARONE_PDF_VIEWER; nullptr: not set
  const char* expected;               // program in bin/ (or as given); nullptr: no viewer
};

SILVARONE_PRINT_ROW_NAME(ViewerCase)

std::vector<ViewerCase> ViewerCases() {
  return {
      // The machine ./scripts/run prepares: mupdf, no xdg-utils.
      {"KnownViewerWithoutXdgUtils", {"mupdf"}, "", nullptr, "mupdf"},
      {"FirstKnownViewerInTheList", {"zathura", "evince"}, "", nullptr, "evince"},
      {"DesktopViewerThroughXdgOpen",
       {"xdg-mime", "xdg-open", "mupdf"},
       "org.gnome.Evince.desktop",
       nullptr,
       "xdg-open"},
      {"XdgMimeWithoutADefault", {"xdg-mime", "xdg-open", "okular"}, "", nullptr, "okular"},
      {"NoViewerAtAll", {"xdg-open"}, "", nullptr, nullptr},
      {"OverrideByNameOnThePath", {"stand-in", "mupdf"}, "", "stand-in", "stand-in"},
      {"OverrideThatNamesNothingRunnable", {"mupdf"}, "", "missing-viewer", nullptr},
      {"OverrideNone", {"mupdf"}, "", "none", nullptr},
      {"OverrideEmpty", {"mupdf"}, "", "", nullptr},
  };
}

class ViewerChoice : public Viewer, public ::testing::WithParamInterface<ViewerCase> {};

TEST_P(ViewerChoice, CheckAndOpeningFindTheSameViewer) {
  const ViewerCase& c = GetParam();
  for (const char* program : c.programs)
    Program(program, program == std::string("xdg-mime") ? c.desktopDefault : "");
  const ScopedEnv path("PATH", Bin().c_str());
  const ScopedEnv viewer("SILVARONE_PDF_VIEWER", c.override);
  const PdfViewer found = FindPdfViewer();
  EXPECT_EQ(found.found, c.expected != nullptr) << c.name;
  EXPECT_EQ(found.program, c.expected ? Path("bin/" + std::string(c.expected)) : "") << c.name;
  EXPECT_EQ(PdfViewerAvailable(), found.found) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Viewer, ViewerChoice, ::testing::ValuesIn(ViewerCases()),
                         testing::RowName);

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
