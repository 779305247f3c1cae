// Text printing read back from the paper: the report printed into a PDF at
// 600 dots per inch and read with pdftotext.
#include "gui/print_string.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPrinter>

#include "file_fixture.h"
#include "pdf_text.h"
#include "report/report.h"

namespace silvarone {
namespace {

using testing::PdfLines;
using testing::PdfPages;
using testing::PdfWord;
using testing::PdfWords;

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) {
    char line[16];
    std::snprintf(line, sizeof line, "L%03d", i);
    lines.emplace_back(line);
  }
  return lines;
}

class Printing : public testing::TempFolder {
 protected:
  // A US Letter page (8.5 x 11 inches) at 600 dots per inch, all of it printable.
  std::unique_ptr<QPrinter> Printer(const std::string& name) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(Path(name)));
    printer->setResolution(600);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setFullPage(true);
    return printer;
  }
  gui::PrintResult Print(const std::vector<std::string>& lines, const std::string& name,
                         const PrintLayout& layout = kReportLayout,
                         const gui::PrintBand& header = {}, const gui::PrintBand& footer = {}) {
    auto printer = Printer(name);
    return gui::PrintString(*printer, lines, gui::ReportFont(), false, layout, header, footer);
  }
};

TEST_F(Printing, LineStepMarginsAndPageBreaks) {
  // 6 lines per inch at 600 dpi: a line step of 100 pixels, 12 points.
  // Top margin 0.75 in = 450 px; bottom margin 1 in: the last line starts at
  // most at 6600 - 600 - h, h the height of "Äy" (about 78 px at 8 points).
  // Lines start at 450, 550, ..., 5850: 55 lines a page for any h in 51..150.
  const int h = QFontMetrics(gui::ReportFont(), Printer("probe.pdf").get())
                    .size(Qt::TextSingleLine, "Äy")
                    .height();
  ASSERT_GT(h, 50);
  ASSERT_LE(h, 150);
  ASSERT_EQ(Print(Numbered(120), "lines.pdf"), gui::PrintResult::kDone);
  const std::vector<PdfWord> words = PdfWords(Path("lines.pdf"));
  ASSERT_EQ(words.size(), 120u);
  EXPECT_EQ(PdfPages(Path("lines.pdf")), 3);
  for (std::size_t i = 0; i < words.size(); ++i) {
    const PdfWord& word = words[i];
    EXPECT_EQ(word.text, Numbered(120)[i]);
    EXPECT_EQ(word.page, 1 + static_cast<int>(i) / 55) << word.text;
    EXPECT_NEAR(word.xMin, 54.0, 0.5) << word.text;  // left margin 0.75 in
    if (i % 55 == 0) {
      EXPECT_NEAR(word.yMin, words[0].yMin, 0.01) << word.text;  // each page from the top margin
    } else {
      EXPECT_NEAR(word.yMin - words[i - 1].yMin, 12.0, 0.01) << word.text;
    }
  }
  // The first line's cell starts at the top margin, 54 points.
  EXPECT_NEAR(words[0].yMin, 54.0, 6.0);
}

TEST_F(Printing, TheReportReadsBackLineByLine) {
  ReportInput in;
  in.projectName = "Ritzel";
  in.m_n = "2";
  in.z_text = "20";
  in.d = "40.000";
  const std::vector<std::string> report = BuildReport(in);
  ASSERT_EQ(Print(report, "report.pdf"), gui::PrintResult::kDone);
  // Every character in its column, the lines in their order.
  EXPECT_EQ(PdfLines(Path("report.pdf")), testing::NonBlank(report));
}

TEST_F(Printing, EmptyListGivesAnEmptyJobWithoutAPageBreak) {
  ASSERT_EQ(Print({}, "empty.pdf"), gui::PrintResult::kDone);
  EXPECT_EQ(PdfPages(Path("empty.pdf")), 1);
  EXPECT_TRUE(PdfWords(Path("empty.pdf")).empty());
}

TEST_F(Printing, MarginsThatLeaveNoLineAreRefused) {
  struct Case {
    PrintLayout layout;
    const char* why;
  };
  const std::vector<Case> cases = {
      {{5.0, 4.0, 0.75, 1.0, 6.0}, "left 3000 px >= right 5100 - 2400"},
      {{0.75, 0.5, 6.0, 5.0, 6.0}, "top 3600 >= bottom 6600 - 3000"},
      // 5.9 in = 3540 px: the bottom at 3600 leaves 60 px, less than "Äy".
      {{0.75, 0.5, 5.9, 5.0, 6.0}, "the area is lower than one line"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Print(Numbered(3), "refused.pdf", c.layout), gui::PrintResult::kMarginsTooLarge)
        << c.why;
    EXPECT_FALSE(std::filesystem::exists(Path("refused.pdf"))) << c.why;
  }
}

TEST_F(Printing, AWideLineRunsPastTheRightMargin) {
  // 115 characters of 0.6 em at 8 points start at 54 pt and end near 607 pt,
  // beyond the right margin at 612 - 36 = 576 pt.
  ASSERT_EQ(Print({std::string(115, 'W')}, "wide.pdf"), gui::PrintResult::kDone);
  const std::vector<PdfWord> words = PdfWords(Path("wide.pdf"));
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0].text.size(), 115u);
  EXPECT_GT(words[0].xMax, 576.0);
}

TEST_F(Printing, HeaderAndFooterSeeEachPageAndMayStopTheJob) {
  std::vector<int> headers;
  std::vector<int> footers;
  QRect headerBand;
  const gui::PrintBand header = [&](QPainter&, int page, bool&, const QRect& band) {
    headers.push_back(page);
    headerBand = band;
  };
  const gui::PrintBand footer = [&](QPainter&, int page, bool& goOn, const QRect&) {
    footers.push_back(page);
    if (page == 2) goOn = false;
  };
  EXPECT_EQ(Print(Numbered(200), "stopped.pdf", kReportLayout, header, footer),
            gui::PrintResult::kStopped);
  EXPECT_EQ(headers, (std::vector<int>{1, 2}));
  EXPECT_EQ(footers, (std::vector<int>{1, 2}));
  // From the left margin (450 px) to the right one (5100 - 300), above the top margin (450).
  EXPECT_EQ(headerBand, QRect(QPoint(450, 0), QPoint(4800, 450)));
}

TEST_F(Printing, APdfFileThatCannotBeWrittenLeavesNothingBehind) {
  EXPECT_EQ(gui::WriteReportPdf({"a"}, Path("no/such/folder/report.pdf")),
            gui::PrintResult::kPrinterFailed);
  Write("report.pdf", "old");
  std::filesystem::create_directory(Path("folder.pdf"));
  EXPECT_EQ(gui::WriteReportPdf({"a"}, Path("folder.pdf")), gui::PrintResult::kPrinterFailed);
  EXPECT_EQ(gui::WriteReportPdf({"a"}, Path("report.pdf")), gui::PrintResult::kDone);
  EXPECT_EQ(Read("report.pdf").substr(0, 5), "%PDF-");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 2);
}

}  // namespace
}  // namespace silvarone
