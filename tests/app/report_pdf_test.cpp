// `silvarone report FILE --pdf OUT.pdf`: the report's pages as a PDF file,
// written without a display, whose text is the report's text.
#include <gtest/gtest.h>

#include <numeric>

#include "pdf_text.h"
#include "program_run.h"

namespace silvarone {
namespace {

using testing::Outcome;

class ReportPdf : public testing::ProgramFolder {};

TEST_F(ReportPdf, ThePdfReadsAsTheReportText) {
  for (const std::string language : {"de", "en"}) {
    SCOPED_TRACE(language);
    const std::string report = "report '" + example + "' --lang " + language;
    const auto [text, status] = Silvarone(report);
    ASSERT_EQ(status, 0) << Read("err");
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
      lines.push_back(text.substr(at, end - at));
    const std::string pdf = Path("report.pdf");
    // Nothing on standard output; every character of every line in its column.
    EXPECT_EQ(Silvarone(report + " --pdf '" + pdf + "'"), Outcome("", 0));
    // The report's lines, then the measurement drawing on a page of its own.
    const std::vector<std::string> printed = testing::PdfLines(pdf);
    const std::vector<std::string> expected = testing::NonBlank(lines);
    ASSERT_GT(printed.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(printed.begin(), printed.begin() + expected.size()),
              expected)
        << language;
    const std::string rest =
        std::accumulate(printed.begin() + expected.size(), printed.end(), std::string(),
                        [](std::string all, const auto& line) { return all + line + "\n"; });
    // (pdftotext spaces the words of the drawing as it likes)
    EXPECT_NE(rest.find("W_k"), std::string::npos) << rest;
    EXPECT_NE(rest.find("M_dk"), std::string::npos) << rest;
  }
}

TEST_F(ReportPdf, AFileThatCannotBeWrittenIsToldInOneLine) {
  const std::string pdf = Path("missing/report.pdf");
  EXPECT_EQ(Silvarone("report '" + example + "' --pdf '" + pdf + "'"), Outcome("", 5));
  EXPECT_EQ(Read("err"), "silvarone: cannot write the PDF file '" + pdf + "': no such folder\n");
  EXPECT_EQ(Silvarone("report --pdf a.pdf --json").second, 2);
}

}  // namespace
}  // namespace silvarone
