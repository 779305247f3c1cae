// The inspection log window opened from the menu bar: parts recorded from
// its entry land in the table newest first and on the run chart, a point
// outside the limits red; a voided record stays in the table, marked, and
// leaves the figures.
#include "gui/log_window.h"

#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableView>
#include <cstdlib>

#include "gui/output_window.h"
#include "gui/widgets.h"
#include "pdf_text.h"
#include "rfc4180.h"
#include "ui/model_fixture.h"
#include "window_fixture.h"

namespace silvarone {
namespace {

class LogWindowTest : public testing::WindowTest {
 protected:
  gui::LogWindow* OpenLog() {
    Open();
    ExternalSpurGear(model);
    Trigger("Pruefprotokoll1");
    QApplication::processEvents();
    return window().logWindow();
  }
  template <typename T>
  T* In(gui::LogWindow* log, const char* name) {
    T* widget = log->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void RecordSpan(gui::LogWindow* log, const char* measured) {
    In<QComboBox>(log, "DimensionBox")->setCurrentIndex(1);  // Wk
    QLineEdit* edit = In<QLineEdit>(log, "MeasuredEdit");
    edit->setText(measured);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  template <typename T>
  T* Series(gui::LogWindow* log, const char* name) {
    for (QAbstractSeries* s : log->chart()->series())
      if (s->objectName() == name) return qobject_cast<T*>(s);
    ADD_FAILURE() << name;
    return nullptr;
  }
  // The window as it shows, for a person to look at: into the folder that
  // SILVARONE_LOG_SHOTS names, when it names one.
  static void Keep(QWidget* window, const char* name) {
    const char* folder = std::getenv("SILVARONE_LOG_SHOTS");
    QApplication::processEvents();
    if (folder != nullptr) window->grab().save(QString(folder) + "/" + name);
  }
};

QString Cell(QTableView* table, int row, int column) {
  return table->model()->index(row, column).data().toString();
}

int Rows(QTableView* table) {
  return table->model()->rowCount();
}

// The spur gear m 2, z 20, Wk over 3 teeth: limits 15.27953 and 15.25134 by
// hand (see log_entry_test). Three spans, the last above the upper limit:
//   mean = (15.265 + 15.270 + 15.290) / 3 = 45.825 / 3 = 15.2750
//   deviations -0.010 -0.005 0.015, squares 1.00e-4 0.25e-4 2.25e-4,
//   s = sqrt(3.5e-4 / 2) = 0.013229
// 15.270 voided: mean (15.265 + 15.290) / 2 = 15.2775, s = 0.025 / sqrt 2 = 0.017678.
TEST_F(LogWindowTest, RecordsChartsAndVoids) {
  gui::LogWindow* log = OpenLog();
  ASSERT_NE(log, nullptr);
  EXPECT_TRUE(log->isVisible());
  EXPECT_FALSE(log->isModal());
  EXPECT_EQ(log->windowTitle(), "Prüfprotokoll");
  In<QLineEdit>(log, "SerialEdit")->setText("S-1");
  for (const char* measured : {"15.265", "15.270", "15.290"})
    RecordSpan(log, measured);
  EXPECT_TRUE(In<QLabel>(log, "VerdictLabel")->text().contains("15.290"));

  QTableView* table = log->table();
  ASSERT_EQ(Rows(table), 3);
  EXPECT_EQ(Cell(table, 0, 3), "15.290");  // newest first
  EXPECT_EQ(Cell(table, 2, 3), "15.265");
  EXPECT_EQ(Cell(table, 0, 1), "S-1");
  EXPECT_EQ(Cell(table, 0, 7), "über dem oberen Grenzmaß") << Cell(table, 0, 7).toStdString();

  // The chart: oldest first, one red point, the limits as lines.
  auto* measured = Series<QLineSeries>(log, "MeasuredSeries");
  auto* outside = Series<QScatterSeries>(log, "OutsideSeries");
  ASSERT_TRUE(measured && outside);
  ASSERT_EQ(measured->count(), 3);
  EXPECT_DOUBLE_EQ(measured->at(0).y(), 15.265);
  ASSERT_EQ(outside->count(), 1);
  EXPECT_EQ(outside->at(0), QPointF(3, 15.290));
  EXPECT_EQ(outside->color(), QColor(Qt::red));
  auto* upper = Series<QLineSeries>(log, "UpperSeries");
  auto* lower = Series<QLineSeries>(log, "LowerSeries");
  ASSERT_TRUE(upper && lower);
  EXPECT_NEAR(upper->at(0).y(), 15.27953, 0.0006);
  EXPECT_NEAR(lower->at(0).y(), 15.25134, 0.0006);

  QLabel* figures = In<QLabel>(log, "FiguresLabel");
  EXPECT_EQ(figures->text().toStdString(),
            "Anzahl 3   Mittelwert 15.2750 mm   s 0.0132 mm   Min 15.2650 mm   "
            "Max 15.2900 mm   Cp –   Cpk –   (ab 5 Einträgen)");
  Keep(log, "log_de.png");

  // Void the middle record (15.270) with a reason.
  table->setCurrentIndex(table->model()->index(1, 0));
  In<QLineEdit>(log, "VoidReasonEdit")->setText("Messuhr nicht genullt");
  QTest::mouseClick(In<QPushButton>(log, "VoidButton"), Qt::LeftButton);
  ASSERT_EQ(Rows(table), 3);
  EXPECT_EQ(Cell(table, 1, 10), "Messuhr nicht genullt");
  EXPECT_TRUE(table->model()->index(1, 3).data(Qt::FontRole).value<QFont>().strikeOut());
  EXPECT_FALSE(table->model()->index(0, 3).data(Qt::FontRole).value<QFont>().strikeOut());
  EXPECT_EQ(Series<QLineSeries>(log, "MeasuredSeries")->count(), 2);  // drawn anew
  EXPECT_TRUE(figures->text().startsWith("Anzahl 2   Mittelwert 15.2775 mm   s 0.0177 mm"))
      << figures->text().toStdString();

  model.SwitchLanguage(kEnglish);
  QApplication::processEvents();
  EXPECT_EQ(log->windowTitle(), "Inspection log");
  EXPECT_EQ(In<QPushButton>(log, "VoidButton")->text(), "Mark void");
  EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), "Date/time");
  EXPECT_TRUE(figures->text().startsWith("Count 2   Mean 15.2775 mm"))
      << figures->text().toStdString();
  Keep(log, "log_en.png");
}

TEST_F(LogWindowTest, ABadFilterDateIsToldAndTheTableStays) {
  gui::LogWindow* log = OpenLog();
  ASSERT_NE(log, nullptr);
  RecordSpan(log, "15.265");
  In<QLineEdit>(log, "FromEdit")->setText("2026-13-01");
  QTest::mouseClick(In<QPushButton>(log, "FilterButton"), Qt::LeftButton);
  EXPECT_EQ(In<QLabel>(log, "VerdictLabel")->text(), "2026-13-01 ist kein Datum JJJJ-MM-TT.");
  EXPECT_EQ(Rows(log->table()), 1);
  // A serial part nobody has: the table empties, the chart too.
  In<QLineEdit>(log, "FromEdit")->clear();
  In<QLineEdit>(log, "SerialPartEdit")->setText("X-");
  QTest::mouseClick(In<QPushButton>(log, "FilterButton"), Qt::LeftButton);
  EXPECT_EQ(Rows(log->table()), 0);
  EXPECT_EQ(Series<QLineSeries>(log, "MeasuredSeries")->count(), 0);
  EXPECT_TRUE(In<QLabel>(log, "FiguresLabel")->text().startsWith("Anzahl 0"));
}

// "CSV exportieren…" after a filter: the file holds the rows the table shows,
// newest first, as RFC 4180 reads them (a serial with a comma and quotes
// whole); `silvarone log export` of the same records writes the same bytes.
TEST_F(LogWindowTest, ExportsTheShownRecordsAsTheCommandLineDoes) {
  gui::LogWindow* log = OpenLog();
  ASSERT_NE(log, nullptr);
  const std::string serials[] = {"Welle \"7\", Süd", "Rad 9", "Welle 8"};
  for (const std::string& serial : serials) {
    In<QLineEdit>(log, "SerialEdit")->setText(gui::ToQString(serial));
    RecordSpan(log, "15.265");
  }
  In<QLineEdit>(log, "SerialPartEdit")->setText("Welle");
  QTest::mouseClick(In<QPushButton>(log, "FilterButton"), Qt::LeftButton);
  ASSERT_EQ(Rows(log->table()), 2);
  presenter.files.push_back(Path("welle.csv"));
  QTest::mouseClick(In<QPushButton>(log, "ExportButton"), Qt::LeftButton);
  const std::string csv = Read("welle.csv");
  const auto records = testing::ReadRfc4180(csv);
  ASSERT_TRUE(records) << csv;
  ASSERT_EQ(records->size(), 1u + 2u);  // the header and the two rows shown
  const auto& header = (*records)[0];
  const auto serial =
      static_cast<std::size_t>(std::find(header.begin(), header.end(), "serial") - header.begin());
  ASSERT_LT(serial, header.size());
  EXPECT_EQ((*records)[1][serial], serials[2]);
  EXPECT_EQ((*records)[2][serial], serials[0]);
  EXPECT_EQ((*records)[1][serial], Cell(log->table(), 0, 1).toStdString());

  // The command line, on the same settings folder and so the same gear.
  const std::string exported =
      testing::Shell("SILVARONE_HOME='" + folder_.string() +
                     "/home/' '" SILVARONE_EXECUTABLE "' log export --serial Welle 2>&1");
  EXPECT_EQ(exported, csv);

  presenter.files.push_back(Path("missing/welle.csv"));
  QTest::mouseClick(In<QPushButton>(log, "ExportButton"), Qt::LeftButton);
  EXPECT_EQ(presenter.TakeTexts(),
            std::vector<std::string>{"Die CSV-Datei " + Path("missing/welle.csv") +
                                     " kann nicht geschrieben werden."});
}

// The report window ends with the log's page once the gear has a record; the
// page break the printer turns shows as a blank line.
TEST_F(LogWindowTest, TheReportWindowEndsWithTheLogPage) {
  gui::LogWindow* log = OpenLog();
  ASSERT_NE(log, nullptr);
  RecordSpan(log, "15.265");
  gui::OutputWindow report(model);
  const std::vector<std::string>& lines = report.lines();
  const auto pageBreak = std::find(lines.begin(), lines.end(), kReportPageBreak);
  ASSERT_NE(pageBreak, lines.end());
  ASSERT_NE(pageBreak + 1, lines.end());
  EXPECT_EQ(*(pageBreak + 1), "Prüfprotokoll");
  const QString shown = report.findChild<QPlainTextEdit*>("ReportView")->toPlainText();
  EXPECT_TRUE(shown.contains("\n\nPrüfprotokoll\n")) << shown.toStdString();
  EXPECT_FALSE(shown.contains('\f'));
  EXPECT_TRUE(shown.contains("15.265    innerhalb")) << shown.toStdString();
}

}  // namespace
}  // namespace silvarone
