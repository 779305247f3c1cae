#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>

#include "gui/pages.h"
#include "gui/widgets.h"

namespace silvarone::gui {

DrawingPage::DrawingPage(WindowModel& model) : PageBase(model, "TabSheet1") {
  QGroupBox* geometry = Group("GroupBox1");
  auto* layout = new QHBoxLayout(geometry);

  // The module comes from one of the two DIN 780 series or is typed.
  layout->addWidget(RadioWithFields("RadioGroup_Modul", {{Beside::kList, "ComboBox1"},
                                                         {Beside::kList, "ComboBox2"},
                                                         {Beside::kField, "Input_m_n"}}),
                    0, Qt::AlignTop);

  auto* data = new QGridLayout;
  Row(data, 0, "Label11", "Edit12");
  Row(data, 1, "Label_6", "Input_alpha_n");
  Row(data, 2, "Label_1", "Input_beta");
  Row(data, 3, "Label_8", "Input_z");
  Row(data, 4, "Label_9", "Input_b_w");
  Row(data, 5, "Label10", "Edit5");
  Row(data, 6, "Label_107", "Edit1");
  Row(data, 7, "d_Na_Lbl", "Edit15");
  Row(data, 8, "d_Nf_Lbl", "Edit17");
  data->setRowStretch(9, 1);
  data->setColumnStretch(2, 1);
  layout->addLayout(data, 1);

  auto* page = new QVBoxLayout(this);
  page->addWidget(geometry);
  page->addStretch(1);
}

}  // namespace silvarone::gui
