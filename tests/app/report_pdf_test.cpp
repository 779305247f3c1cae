// `silvarone report FILE --pdf OUT.pdf`: the report's pages as a PDF file,
// written without a display, whose text is the report's text.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "file_fixture.h"
#include "pdf_text.h"

namespace silvarone {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

class ReportPdf : public testing::TempFolder {
 protected:
  // The program on a settings folder of its own, without a display.
  Outcome Silvarone(const std::string& arguments) {
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "
        "SILVARONE_HOME='" +
        Path("home") + "' '" SILVARONE_EXECUTABLE "' " + arguments + " 2>'" + Path("stderr.txt") +
        "'; echo \"status $?\"";
    Outcome run;
    run.out = testing::Shell(command);
    const std::size_t status = run.out.rfind("status ");
    run.status = std::stoi(run.out.substr(status + 7));
    run.out.erase(status);
    run.err = Read("stderr.txt");
    return run;
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }
  const std::string example =
      std::string(SILVARONE_DATA_DIR) + "/../docs/manual/examples/stirnrad_m2_z20.tvp";
};

TEST_F(ReportPdf, ThePdfReadsAsTheReportText) {
  for (const std::string language : {"de", "en"}) {
    const std::string options = "report '" + example + "' --lang " + language;
    const Outcome text = Silvarone(options);
    ASSERT_EQ(text.status, 0) << text.err;
    const std::string pdf = Path("report-" + language + ".pdf");
    const Outcome written = Silvarone(options + " --pdf '" + pdf + "'");
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");  // nothing but the file
    // Every character of every line in its column, in order, over two A4 pages.
    EXPECT_EQ(testing::PdfLines(pdf), testing::NonBlank(Lines(text.out))) << language;
    EXPECT_EQ(testing::PdfPages(pdf), 2);
  }
}

TEST_F(ReportPdf, AFileThatCannotBeWrittenIsToldInOneLine) {
  const std::string pdf = Path("missing/folder/report.pdf");
  const Outcome run = Silvarone("report '" + example + "' --pdf '" + pdf + "'");
  EXPECT_EQ(run.status, 5);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("silvarone: cannot write the PDF file '" + pdf + "'\n"), std::string::npos)
      << run.err;
  EXPECT_EQ(Silvarone("report --pdf a.pdf --json").status, 2);
  EXPECT_EQ(Silvarone("report --pdf").status, 2);
}

}  // namespace
}  // namespace silvarone
