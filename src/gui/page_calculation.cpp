#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/pages.h"
#include "gui/widgets.h"

namespace silvarone::gui {
namespace {

// Two or three labels stacked as one heading of the comparison table.
QWidget* Stacked(PageBase* page, std::initializer_list<QLabel*> labels) {
  auto* box = new QWidget(page);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (QLabel* label : labels)
    layout->addWidget(label);
  return box;
}

// A warning of the measurability checks: dark red, plain text, never wider
// than the room it was given, so that no other control moves for it.
QLabel* Warning(PageBase* page, const char* name, bool wrap) {
  auto* label = new QLabel(page);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(wrap);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0xa0, 0x00, 0x00));
  label->setPalette(palette);
  return label;
}

}  // namespace

CalculationPage::CalculationPage(WindowModel& model) : PageBase(model, "TabSheet3") {
  QGroupBox* ball = BallGroup();
  QGroupBox* teeth = TeethGroup();
  QGroupBox* check = CheckDimensionGroup();
  QGroupBox* table = ComparisonTable();
  backBox_ = BackCalculationGroup();

  auto* page = new QGridLayout(this);
  page->addWidget(ball, 0, 0);
  page->addWidget(teeth, 1, 0);
  page->addWidget(check, 0, 1);
  page->addWidget(backBox_, 1, 1);
  page->addWidget(table, 2, 0, 1, 2);
  page->setRowStretch(3, 1);
  page->setColumnStretch(0, 1);
  page->setColumnStretch(1, 1);
}

// Measuring ball: recommended, from one of the two ball lists, or typed.
QGroupBox* CalculationPage::BallGroup() {
  QGroupBox* box = Group("Messkugel_Box");
  auto* grid = new QGridLayout(box);
  grid->addWidget(RadioWithFields("Messkugelauswahl", {{Beside::kField, "recommended_D_M"},
                                                       {Beside::kList, "ComboBox3"},
                                                       {Beside::kList, "ComboBox4"},
                                                       {Beside::kField, "D_M_Edit"}}),
                  0, 0, 1, 3);
  Row(grid, 1, "Label_3", "Used_D_M");
  okPicture_ = new Picture("Image_Ball", this);
  okPicture_->setFixedSize(60, 60);
  grid->addWidget(okPicture_, 1, 2, 2, 1, Qt::AlignLeft);
  // The instrument's ball: where it touches, whether it stands out.
  grid->addWidget(Warning(this, "Warnung_Q", true), 0, 3, 3, 1);
  grid->setColumnStretch(3, 1);
  return box;
}

// Number of measuring teeth (gaps for an internal gear).
QGroupBox* CalculationPage::TeethGroup() {
  QGroupBox* box = Group("Messzaehne_Box");
  auto* grid = new QGridLayout(box);
  grid->addWidget(RadioWithFields("Messzahnauswahl", {{Beside::kField, "recommended_k_M"},
                                                      {Beside::kField, "k_M_Edit"}}),
                  0, 0, 1, 2);
  grid->addWidget(Label("Label52"), 1, 0, 1, 2);
  Row(grid, 2, "Label16", "Used_k_M");
  grid->setColumnStretch(2, 1);
  return box;
}

// Check dimension Q and the test dimensions on the instrument's range.
QGroupBox* CalculationPage::CheckDimensionGroup() {
  QGroupBox* box = Group("Calculate_Box");
  auto* grid = new QGridLayout(box);
  grid->addWidget(Button("Calculate_Btn"), 0, 0, 1, 2);
  Row(grid, 1, "Label_Q", "Kontrollmass", "Q [mm]:");
  Row(grid, 2, "Label_Pruefmass", "Q_plus_D_M");
  Row(grid, 3, "Label47", "Edit2");
  Row(grid, 4, "Label48", "Edit3");
  panel_ = Label("Panel1");
  grid->addWidget(panel_, 5, 0, 1, 2);
  grid->addLayout(RangeBars(), 6, 0, 1, 2);
  grid->addLayout(RangeMarks(), 7, 0, 1, 2);
  grid->setRowStretch(8, 1);
  grid->setColumnStretch(2, 1);
  return box;
}

// The three bars of the measuring range, side by side without a gap.
QHBoxLayout* CalculationPage::RangeBars() {
  barsLayout_ = new QHBoxLayout;
  barsLayout_->setSpacing(0);
  for (int i = 0; i < 3; ++i) {
    const std::string name = "VrProgressBar" + std::to_string(i + 1);
    bars_[i] = new RangeBar(name.c_str(), this);
    barsLayout_->addWidget(bars_[i], 1);
  }
  return barsLayout_;
}

// The marks under the bars: the window's ends and the range's ends.
QHBoxLayout* CalculationPage::RangeMarks() {
  marksLayout_ = new QHBoxLayout;
  const char* markNames[4] = {"StartGraphic", "RangeStart", "RangeEnd", "EndGraphic"};
  for (int i = 0; i < 4; ++i) {
    if (i > 0) marksLayout_->addStretch(1);
    marks_[i] = Label(markNames[i]);
    marksLayout_->addWidget(marks_[i]);
  }
  return marksLayout_;
}

// The comparison of the three statements of tooth thickness.
QGroupBox* CalculationPage::ComparisonTable() {
  QGroupBox* table = Group("Pruefmass");
  auto* grid = new QGridLayout(table);
  grid->addWidget(Label("Label13"), 0, 1);
  grid->addWidget(Label("Label14"), 0, 2);
  grid->addWidget(Label("Label15"), 0, 3);
  grid->addWidget(Label("Label17"), 0, 5);
  grid->addWidget(Label("Label18"), 0, 6);
  grid->addWidget(Stacked(this, {Label("Label19"), Label("Label44"), Label("Label49")}), 1, 0);
  grid->addWidget(Stacked(this, {Label("Label31"), Label("Label45"), Label("Label50")}), 2, 0);
  grid->addWidget(Stacked(this, {Label("Label32"), Label("Label46"), Label("Label51")}), 3, 0);
  const char* cells[3][3] = {{"Edit100", "Edit101", "Edit102"},
                             {"Edit200", "Edit201", "Edit202"},
                             {"Edit300", "Edit301", "Edit302"}};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      grid->addWidget(Field(cells[row][column], 90), row + 1, column + 1);
    }
  }
  grid->addWidget(Stacked(this, {Label("Label39"), Label("Label42")}), 1, 4);
  grid->addWidget(Field("Edit103", 60), 1, 5);
  grid->addWidget(Field("Edit104", 60), 1, 6);
  grid->addWidget(Stacked(this, {Label("Label36"), Label("Label43")}), 2, 4);
  grid->addWidget(Field("Edit203", 60), 2, 5);
  grid->addWidget(Field("Edit204", 60), 2, 6);
  // Beside the xE row, below the chosen tooth count and ball they concern.
  grid->addWidget(
      Stacked(this, {Warning(this, "Warnung_Wk", false), Warning(this, "Warnung_MdK", false)}), 3,
      4, 1, 3);
  return table;
}

// Back-calculation from a measured test dimension (standard input only).
QGroupBox* CalculationPage::BackCalculationGroup() {
  QGroupBox* box = Group("backCalculation_Box");
  auto* grid = new QGridLayout(box);
  Row(grid, 0, "Label5", "Input_checkGauge");
  grid->addWidget(Button("BackCalc_btn"), 0, 2);
  Row(grid, 1, "Label6", "Edit6");
  Row(grid, 2, "Label7", "Edit7");
  Row(grid, 3, "Label8", "Edit8");
  Row(grid, 4, "Label_100", "Edit10");
  Row(grid, 5, "Label_103", "Edit9");
  grid->addWidget(Label("Label_101"), 4, 2);
  grid->addWidget(Label("Label_102"), 5, 2);
  auto* progress = new QProgressBar(this);
  progress->setObjectName("VrProgressBar4");
  progress->setRange(0, 100);
  progress->setTextVisible(false);
  progress_ = progress;
  grid->addWidget(progress, 6, 0, 1, 3);
  grid->setRowStretch(7, 1);
  grid->setColumnStretch(3, 1);
  return box;
}

void CalculationPage::Refresh() {
  okPicture_->Show(model_.okPicture());
  const RangeDisplay& range = model_.rangeDisplay();
  for (int i = 0; i < 3; ++i) {
    bars_[i]->SetColour(range.colours[static_cast<std::size_t>(i)]);
    bars_[i]->SetSpan(range.bounds[static_cast<std::size_t>(i)],
                      range.bounds[static_cast<std::size_t>(i) + 1], range.position);
  }
  // Each bar is as wide as the part of the window it covers.
  for (int i = 0; i < 3; ++i) {
    const long width =
        range.bounds[static_cast<std::size_t>(i) + 1] - range.bounds[static_cast<std::size_t>(i)];
    const int stretch = static_cast<int>(std::clamp(width, 1L, 10000L));
    barsLayout_->setStretch(i, stretch);
    marksLayout_->setStretch(2 * i + 1, stretch);  // the marks under the bars' ends
  }
  panel_->setText(ToQString(range.caption));
  const std::string* marks[4] = {&range.startLabel, &range.rangeStartLabel, &range.rangeEndLabel,
                                 &range.endLabel};
  for (int i = 0; i < 4; ++i)
    marks_[i]->setText(ToQString(*marks[i]));
  backBox_->setVisible(model_.backCalculationBoxVisible());
  progress_->setVisible(model_.progressVisible());
  static_cast<QProgressBar*>(progress_)->setValue(model_.progress());
}

}  // namespace silvarone::gui
