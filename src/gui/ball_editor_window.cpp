#include "gui/ball_editor_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <initializer_list>

#include "gui/binder.h"
#include "gui/widgets.h"
#include "gui/window_texts.h"

namespace silvarone::gui {
BallEditorWindow::BallEditorWindow(WindowModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName("TEdit_VEKKugel");
  auto* group = new QGroupBox(this);
  group->setObjectName("GroupBox_EditVEKKugel");
  list_ = new QListWidget(group);
  list_->setObjectName("BallListWindow");
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setMinimumWidth(120);
  QVBoxLayout* side = EditingSide(group);
  auto* inside = new QHBoxLayout(group);
  inside->addWidget(list_, 1);
  inside->addLayout(side);

  QHBoxLayout* bottom = CloseRow();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addLayout(bottom);

  ConnectListAndField();
  resize(480, 360);
  Refresh();
}

// None of the editor's buttons is a default button: Enter in the field
// presses none of them.
QPushButton* BallEditorWindow::Button(QWidget* parent, const char* name,
                                      const std::function<void()>& action) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, action);
  return button;
}

QHBoxLayout* BallEditorWindow::EditButtons(QWidget* parent,
                                           std::initializer_list<EditButton> buttons) {
  auto* row = new QHBoxLayout;
  for (const EditButton& button : buttons) {
    const BallEdit edit = button.edit;
    row->addWidget(Button(parent, button.name, [this, edit] { Run(edit); }));
  }
  return row;
}

// Beside the list: the diameter field, the buttons that move a ball, those
// that add, change or erase one, and at the foot undo and store.
QVBoxLayout* BallEditorWindow::EditingSide(QGroupBox* group) {
  auto* label = new QLabel(group);
  label->setObjectName("Labl_Kugeldurchmesser");
  edit_ = new QLineEdit(group);
  edit_->setObjectName("Edit1");
  label->setBuddy(edit_);
  QHBoxLayout* moves = EditButtons(group, {{"MoveTop", BallEdit::kMoveTop},
                                           {"MoveUp", BallEdit::kMoveUp},
                                           {"MoveDown", BallEdit::kMoveDown},
                                           {"MoveBottom", BallEdit::kMoveBottom}});
  QHBoxLayout* changes = EditButtons(group, {{"Btn_takeOver", BallEdit::kAdd},
                                             {"Btn_EditValue", BallEdit::kChange},
                                             {"Btn_EraseValue", BallEdit::kErase}});
  auto* keep = new QHBoxLayout;
  undo_ = Button(group, "Btn_Undo", [this] { Run(BallEdit::kUndo); });
  store_ = Button(group, "Btn_StoreList", [this] {
    model_.SaveBallEditor();
    Refresh();
  });
  keep->addWidget(undo_);
  keep->addWidget(store_);

  auto* side = new QVBoxLayout;
  side->addWidget(label);
  side->addWidget(edit_);
  side->addLayout(moves);
  side->addSpacing(8);
  side->addLayout(changes);
  side->addStretch(1);
  side->addLayout(keep);
  return side;
}

// "Beenden" at the right of the window's foot.
QHBoxLayout* BallEditorWindow::CloseRow() {
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(Button(this, "Btn_Close", [this] { reject(); }));
  return bottom;
}

// A line chosen in the list or a diameter typed goes to the model at once.
void BallEditorWindow::ConnectListAndField() {
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (refreshing_ || row < 0) return;
    model_.SelectBallLine(row);
    Refresh();
  });
  connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.TypeBallDiameter(ToStdString(text));
    Refresh();
  });
}

void BallEditorWindow::Run(BallEdit edit) {
  model_.EditBallSequence(edit);
  Refresh();
}

void BallEditorWindow::Refresh() {
  const BallSequenceEditor& editor = model_.ballEditor();
  refreshing_ = true;
  ApplyTexts(this, BallEditorWindowTexts(model_.language()));
  QStringList items;
  for (const std::string& line : editor.DisplayList())
    items << ToQString(line);
  QStringList shown;
  for (int i = 0; i < list_->count(); ++i)
    shown << list_->item(i)->text();
  if (shown != items) {
    list_->clear();
    list_->addItems(items);
  }
  list_->setCurrentRow(editor.SelectedLine());
  if (editor.SelectedLine() >= 0) list_->scrollToItem(list_->item(editor.SelectedLine()));
  if (edit_->text() != ToQString(editor.EditText())) edit_->setText(ToQString(editor.EditText()));
  // Yellow while the typed text differs from the selected line.
  QPalette palette = edit_->palette();
  palette.setColor(QPalette::Base,
                   editor.Edited() ? Binder::PendingColour() : QPalette().color(QPalette::Base));
  edit_->setPalette(palette);
  undo_->setEnabled(editor.Modified());
  store_->setEnabled(editor.Modified());
  refreshing_ = false;
}

void BallEditorWindow::reject() {
  if (model_.CloseBallEditor()) {
    QDialog::reject();
  } else {
    Refresh();
  }
}

}  // namespace silvarone::gui
