#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "gui/pages.h"
#include "gui/widgets.h"

namespace silvarone::gui {
TolerancePage::TolerancePage(WindowModel& model) : PageBase(model, "TabSheet2") {
  QGroupBox* shift = Group("GroupBox2");
  auto* shiftGrid = new QGridLayout(shift);
  Row(shiftGrid, 0, "Label_7", "Input_x");
  shiftGrid->setColumnStretch(2, 1);

  // Tooth thickness deviations: from the DIN 3967 or production tables, or typed.
  QGroupBox* gearing = Group("Verzahnungs_GroupBox");
  auto* gearingLayout = new QHBoxLayout(gearing);
  auto* source = new RadioGroup("RadioGroup_Verzahnung");
  source->SetItems({"", "", ""});
  gearingLayout->addWidget(source, 0, Qt::AlignTop);
  auto* values = new QGridLayout;
  ListRow(values, 0, "Verzahnung_Label1", "DevRowComboBox");
  ListRow(values, 1, "Verzahnung_Label2", "TolRowComboBox");
  Row(values, 2, "Verzahnung_Label3", "Input_A_sne");
  Row(values, 3, "Verzahnung_Label5", "Input_T_sn");
  Row(values, 4, "Verzahnung_Label4", "Input_A_sni");
  values->addWidget(Label("Verzahnung_Label6"), 5, 0, 1, 2);
  values->setColumnStretch(2, 1);
  gearingLayout->addLayout(values, 1);

  // Which quantity the user gives.
  auto* modes =
      new RadioGroup("InputMode", {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4"});
  modes->SetItems({"", "", "", ""});

  auto* given = new QHBoxLayout;
  given->addWidget(GivenGroup("GivenWk_Box", "Wk",
                              {{"Label_Calc_Wk", "Wk [mm]:", "Input_Calc_Wk"},
                               {"Label_Calc_Wke", "Wke [mm]:", "Input_Calc_Wke"},
                               {"Label_Calc_Wki", "Wki [mm]:", "Input_Calc_Wki"}}));
  given->addWidget(GivenGroup("GivenMdk_Box", "MdK",
                              {{"Label_Calc_Mdk", "MdK [mm]:", "Input_Calc_Mdk"},
                               {"Label_Calc_Mdke", "MdKe [mm]:", "Input_Calc_Mdke"},
                               {"Label_Calc_Mdki", "MdKi [mm]:", "Input_Calc_Mdki"}}));
  given->addWidget(GivenGroup("GivenXe_Box", "xE",
                              {{"Label_Calc_Xe", "xE:", "Input_Calc_Xe"},
                               {"Label_Calc_Xee", "xEe:", "Input_Calc_Xee"},
                               {"Label_Calc_Xei", "xEi:", "Input_Calc_Xei"}}));
  given->addWidget(GivenGroup(
      "GivenKDM_Box", "k, DM",
      {{"Label_Calc_kM", "k:", "Input_Calc_kM"}, {"Label_Calc_DM", "DM [mm]:", "Input_Calc_DM"}}));

  auto* top = new QHBoxLayout;
  top->addWidget(shift, 0, Qt::AlignTop);
  top->addWidget(gearing, 1);
  auto* page = new QVBoxLayout(this);
  page->addLayout(top);
  page->addWidget(modes);
  page->addLayout(given);
  page->addStretch(1);
}

QGroupBox* TolerancePage::GivenGroup(const char* name, const char* title,
                                     std::initializer_list<GivenRow> rows) {
  auto* box = new QGroupBox(QString::fromUtf8(title), this);
  box->setObjectName(name);
  auto* grid = new QGridLayout(box);
  int r = 0;
  for (const GivenRow& row : rows)
    Row(grid, r++, row.label, row.field, row.text);
  grid->setRowStretch(r, 1);
  grid->setColumnStretch(2, 1);
  return box;
}

}  // namespace silvarone::gui
