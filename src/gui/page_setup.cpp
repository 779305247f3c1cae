#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "gui/pages.h"
#include "gui/widgets.h"

namespace silvarone::gui {

SetupPage::SetupPage(WindowModel& model) : PageBase(model, "TabSheet4") {
  // The PRALO instrument: which one, its measuring range and ball distance.
  QGroupBox* device = Group("Device_Behavior");
  auto* deviceGrid = new QGridLayout(device);
  auto* instruments = new RadioGroup("DeviceSelection");
  instruments->SetItems({"", "", "", "", ""});
  deviceGrid->addWidget(instruments, 0, 0, 1, 2);
  ListRow(deviceGrid, 1, "Label_30", "Messbereichs_Box");
  Row(deviceGrid, 2, "Label_Kugelabstand", "Input_Kugelabstand");
  instrument_ = new Picture("Image_device", this);
  instrument_->setMinimumSize(360, 270);
  deviceGrid->addWidget(instrument_, 0, 2, 4, 1, Qt::AlignTop);
  deviceGrid->setRowStretch(3, 1);
  deviceGrid->setColumnStretch(3, 1);

  // The instrument's own ball sequence, editable with the access code.
  QGroupBox* sequence = Group("GroupBox_EditVEKKugel");
  auto* sequenceGrid = new QGridLayout(sequence);
  QLineEdit* password = Row(sequenceGrid, 0, "Label_PASSWORD", "Input_Password");
  password->setEchoMode(QLineEdit::Password);
  // Locked, not disabled, without the access code: a click says why.
  editButton_ = new LockableButton("EditVEKKugel", this);
  sequenceGrid->addWidget(editButton_, 0, 2);
  sequenceGrid->addWidget(Label("Kugelfolge"), 1, 0, Qt::AlignTop);
  balls_ = new QPlainTextEdit(this);
  balls_->setObjectName("Memo1");
  balls_->setReadOnly(true);
  balls_->setMinimumHeight(240);
  sequenceGrid->addWidget(balls_, 1, 1, 1, 2);

  // Decimal places of computed values and of tooth counts.
  QGroupBox* places = Group("NKZ_Box");
  auto* placesGrid = new QGridLayout(places);
  const char* spins[3][2] = {
      {"Label_NKZ1", "SpinNKZ1"}, {"Label_NKZ2", "SpinNKZ2"}, {"Label_NKZ3", "SpinNKZ3"}};
  for (int i = 0; i < 3; ++i) {
    auto* label = Label(spins[i][0]);
    auto* spin = new QSpinBox(this);
    spin->setObjectName(spins[i][1]);
    spin->setRange(0, 6);
    label->setBuddy(spin);
    placesGrid->addWidget(label, i, 0);
    placesGrid->addWidget(spin, i, 1);
    // The second setting is kept but has no field.
    if (i == 1) {
      label->hide();
      spin->hide();
    }
  }
  placesGrid->setColumnStretch(2, 1);

  auto* page = new QGridLayout(this);
  page->addWidget(device, 0, 0, 1, 2);
  page->addWidget(sequence, 1, 0);
  page->addWidget(places, 1, 1, Qt::AlignTop);
  page->setRowStretch(2, 1);
}

void SetupPage::Refresh() {
  instrument_->Show(model_.instrumentPicture());
  editButton_->SetLocked(!model_.editBallsEnabled());
  QString lines;
  for (const std::string& line : model_.deviceBallLines()) {
    if (!lines.isEmpty()) lines += '\n';
    lines += ToQString(line);
  }
  if (balls_->toPlainText() != lines) balls_->setPlainText(lines);
}

}  // namespace silvarone::gui
