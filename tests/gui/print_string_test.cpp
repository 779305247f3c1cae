// Text printing read back from the paper: lines printed into a PDF at 600
// dots per inch and read with pdftotext.
#include "gui/print_string.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFontMetrics>
#include <QPrinter>

#include "file_fixture.h"
#include "pdf_text.h"
#include "report/report.h"

namespace silvarone {
namespace {

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i)
    lines.push_back("L" + std::to_string(1000 + i));
  return lines;
}

class Printing : public testing::TempFolder {
 protected:
  // US Letter, 8.5 x 11 inches = 5100 x 6600 pixels, all of it printable.
  gui::PrintResult Print(const std::vector<std::string>& lines, const std::string& name,
                         const PrintLayout& layout = kReportLayout,
                         const gui::PrintBand& footer = {}) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Path(name)));
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setFullPage(true);
    textHeight = QFontMetrics(gui::ReportFont(), &printer).size(0, "Äy").height();
    return gui::PrintString(printer, lines, gui::ReportFont(), false, layout, {}, footer);
  }
  int textHeight = 0;
};

TEST_F(Printing, LineStepMarginsAndPageBreaks) {
  ASSERT_EQ(Print(Numbered(120), "lines.pdf"), gui::PrintResult::kDone);
  // 6 lines per inch at 600 dpi: a step of 100 pixels (12 points). Lines start
  // at the top margin, 450 px, and while y <= 6600 - 600 - h (h of "Äy",
  // about 78 px at 8 points): 450, 550, ..., 5850, 55 lines a page for any h
  // from 51 to 150.
  ASSERT_GT(textHeight, 50);
  ASSERT_LE(textHeight, 150);
  const std::vector<testing::PdfWord> words = testing::PdfWords(Path("lines.pdf"));
  ASSERT_EQ(words.size(), 120u);
  EXPECT_EQ(testing::PdfPages(Path("lines.pdf")), 3);
  for (std::size_t i = 0; i < words.size(); ++i) {
    EXPECT_EQ(words[i].text, Numbered(120)[i]);
    EXPECT_EQ(words[i].page, 1 + static_cast<int>(i) / 55) << words[i].text;
    EXPECT_NEAR(words[i].xMin, 54.0, 0.5);  // the left margin, 0.75 inch
    const double step = i % 55 == 0 ? 0.0 : 12.0;
    const double above = i % 55 == 0 ? words[0].yMin : words[i - 1].yMin;
    EXPECT_NEAR(words[i].yMin - above, step, 0.01) << words[i].text;
  }
}

TEST_F(Printing, EveryLineOfTheReportInItsColumns) {
  ReportInput in;
  in.projectName = "Ritzel";
  in.m_n = "2";
  in.d = "40.000";
  const std::vector<std::string> report = BuildReport(in);
  ASSERT_EQ(Print(report, "report.pdf"), gui::PrintResult::kDone);
  EXPECT_EQ(testing::PdfLines(Path("report.pdf")), testing::NonBlank(report));
}

TEST_F(Printing, EmptyJobsWideLinesAndMarginsThatLeaveNoLine) {
  // No line: one empty page, no page break.
  ASSERT_EQ(Print({}, "empty.pdf"), gui::PrintResult::kDone);
  EXPECT_EQ(testing::PdfPages(Path("empty.pdf")), 1);
  EXPECT_TRUE(testing::PdfWords(Path("empty.pdf")).empty());
  // 115 characters of 0.6 em at 8 points end near 54 + 554 pt, beyond the
  // right margin at 612 - 36 = 576 pt.
  ASSERT_EQ(Print({std::string(115, 'W')}, "wide.pdf"), gui::PrintResult::kDone);
  EXPECT_GT(testing::PdfWords(Path("wide.pdf")).at(0).xMax, 576.0);
  // left 5 in = 3000 px >= right 5100 - 2400; top 3600 >= bottom 6600 - 3000;
  // top 3540 leaves 60 px above the bottom at 3600, less than "Äy".
  for (const PrintLayout& layout :
       {PrintLayout{5.0, 4.0, 0.75, 1.0, 6.0}, PrintLayout{0.75, 0.5, 6.0, 5.0, 6.0},
        PrintLayout{0.75, 0.5, 5.9, 5.0, 6.0}}) {
    EXPECT_EQ(Print(Numbered(3), "refused.pdf", layout), gui::PrintResult::kMarginsTooLarge);
    EXPECT_FALSE(std::filesystem::exists(Path("refused.pdf")));
  }
}

TEST_F(Printing, AFooterSeesItsPageAndMayStopTheJob) {
  std::vector<int> pages;
  const gui::PrintBand footer = [&](QPainter&, int page, bool& goOn, const QRect& band) {
    pages.push_back(page);
    // From the left margin (450 px) to the right one (5100 - 300), below the bottom (6000).
    EXPECT_EQ(band, QRect(QPoint(450, 6000), QPoint(4800, 6600)));
    goOn = page < 2;
  };
  EXPECT_EQ(Print(Numbered(200), "stopped.pdf", kReportLayout, footer), gui::PrintResult::kStopped);
  EXPECT_EQ(pages, (std::vector<int>{1, 2}));
}

TEST_F(Printing, TheReportPdfIsWrittenWholeByTheProgramsWriter) {
  const std::vector<std::string> report = BuildReport(ReportInput{});
  // A pipe in the file's place: refused at once, left as it was.
  ASSERT_EQ(::mkfifo(Path("pipe.pdf").c_str(), 0600), 0);
  platform::WriteFailure failure = platform::WriteFailure::kNone;
  EXPECT_EQ(gui::WriteReportPdf(report, Path("pipe.pdf"), &failure),
            gui::PrintResult::kPrinterFailed);
  EXPECT_EQ(failure, platform::WriteFailure::kNotRegular);
  EXPECT_TRUE(std::filesystem::is_fifo(Path("pipe.pdf")));
  // A private file behind a link: the link stays, the file stays private
  // and holds the complete report.
  Write("real.pdf", "old");
  ::chmod(Path("real.pdf").c_str(), 0600);
  std::filesystem::create_symlink("real.pdf", Path("link.pdf"));
  ASSERT_EQ(gui::WriteReportPdf(report, Path("link.pdf"), &failure), gui::PrintResult::kDone);
  EXPECT_EQ(failure, platform::WriteFailure::kNone);
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.pdf")));
  EXPECT_EQ(std::filesystem::status(Path("real.pdf")).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(testing::PdfLines(Path("real.pdf")), testing::NonBlank(report));
  // Nothing else beside them.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            3);
}

}  // namespace
}  // namespace silvarone
