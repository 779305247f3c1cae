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

// Parts of the worked example's gear in the log: the report gains, after a
// form feed, the log's page, and the PDF two pages: that page and the run
// chart after it, before the drawing. Five test dimensions within 16.161
// and 16.183 (the limits of the worked example), mean by hand
// 80.850 / 5 = 16.1700.
TEST_F(ReportPdf, RecordsOfTheGearAddTheLogPageAndTheChart) {
  const std::string report = "report '" + example + "' --lang en";
  const std::string before = Path("before.pdf");
  ASSERT_EQ(Silvarone(report + " --pdf '" + before + "'"), Outcome("", 0));
  const std::string plain = Silvarone(report).first;
  for (const char* measured : {"16.170", "16.175", "16.165", "16.172", "16.168"}) {
    ASSERT_EQ(Silvarone("log add '" + example + "' --lang en --measured " + measured).second, 0)
        << Read("err");
  }
  const std::string text = Silvarone(report).first;
  ASSERT_GT(text.size(), plain.size());
  EXPECT_EQ(text.substr(0, plain.size()), plain);
  EXPECT_TRUE(text.substr(plain.size()).starts_with("\f\nInspection log\n")) << text;

  const std::string after = Path("after.pdf");
  ASSERT_EQ(Silvarone(report + " --pdf '" + after + "'"), Outcome("", 0));
  const int pages = testing::PdfPages(after);
  ASSERT_EQ(pages, testing::PdfPages(before) + 2);
  const auto page = [&](int number) {
    const std::string n = std::to_string(number);
    return testing::Shell("pdftotext -f " + n + " -l " + n + " '" + after + "' - 2>/dev/null");
  };
  const std::string logPage = page(pages - 2);
  EXPECT_TRUE(logPage.starts_with("Inspection log")) << logPage;
  EXPECT_NE(logPage.find("Count 5"), std::string::npos) << logPage;
  EXPECT_NE(logPage.find("Mean 16.1700 mm"), std::string::npos) << logPage;
  const std::string chart = page(pages - 1);
  EXPECT_NE(chart.find("Inspection log: test dimension"), std::string::npos) << chart;
  EXPECT_NE(chart.find("Upper limit"), std::string::npos) << chart;
  EXPECT_NE(chart.find("Mean 16.1700 mm"), std::string::npos) << chart;
}

TEST_F(ReportPdf, AFileThatCannotBeWrittenIsToldInOneLine) {
  const std::string pdf = Path("missing/report.pdf");
  EXPECT_EQ(Silvarone("report '" + example + "' --pdf '" + pdf + "'"), Outcome("", 5));
  EXPECT_EQ(Read("err"), "silvarone: cannot write the PDF file '" + pdf + "': no such folder\n");
  EXPECT_EQ(Silvarone("report --pdf a.pdf --json").second, 2);
}

}  // namespace
}  // namespace silvarone
