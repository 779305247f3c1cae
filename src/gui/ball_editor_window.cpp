#include "gui/ball_editor_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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
  auto* label = new QLabel(group);
  label->setObjectName("Labl_Kugeldurchmesser");
  edit_ = new QLineEdit(group);
  edit_->setObjectName("Edit1");
  label->setBuddy(edit_);

  const auto button = [&](const char* name, auto action) {
    auto* b = new QPushButton(group);
    b->setObjectName(name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, action);
    return b;
  };
  auto* moves = new QHBoxLayout;
  moves->addWidget(button("MoveTop", [this] { Run(BallEdit::kMoveTop); }));
  moves->addWidget(button("MoveUp", [this] { Run(BallEdit::kMoveUp); }));
  moves->addWidget(button("MoveDown", [this] { Run(BallEdit::kMoveDown); }));
  moves->addWidget(button("MoveBottom", [this] { Run(BallEdit::kMoveBottom); }));
  auto* changes = new QHBoxLayout;
  changes->addWidget(button("Btn_takeOver", [this] { Run(BallEdit::kAdd); }));
  changes->addWidget(button("Btn_EditValue", [this] { Run(BallEdit::kChange); }));
  changes->addWidget(button("Btn_EraseValue", [this] { Run(BallEdit::kErase); }));
  auto* keep = new QHBoxLayout;
  undo_ = button("Btn_Undo", [this] { Run(BallEdit::kUndo); });
  store_ = button("Btn_StoreList", [this] {
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
  auto* inside = new QHBoxLayout(group);
  inside->addWidget(list_, 1);
  inside->addLayout(side);

  auto* close = new QPushButton(this);
  close->setObjectName("Btn_Close");
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, &BallEditorWindow::reject);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addLayout(bottom);

  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (refreshing_ || row < 0) return;
    model_.SelectBallLine(row);
    Refresh();
  });
  connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.TypeBallDiameter(S(text));
    Refresh();
  });
  resize(480, 360);
  Refresh();
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
    items << Q(line);
  QStringList shown;
  for (int i = 0; i < list_->count(); ++i)
    shown << list_->item(i)->text();
  if (shown != items) {
    list_->clear();
    list_->addItems(items);
  }
  list_->setCurrentRow(editor.SelectedLine());
  if (editor.SelectedLine() >= 0) list_->scrollToItem(list_->item(editor.SelectedLine()));
  if (edit_->text() != Q(editor.EditText())) edit_->setText(Q(editor.EditText()));
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
