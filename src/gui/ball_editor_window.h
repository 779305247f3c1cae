// The ball sequence editor TEdit_VEKKugel over the editor of the window
// model: the list, the edit field (yellow while edited) and the buttons.
#pragma once

#include <QDialog>
#include <functional>
#include <initializer_list>

#include "ui/window_model.h"

class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace silvarone::gui {

class BallEditorWindow : public QDialog {
  Q_OBJECT

 public:
  // The model's editor must be open (WindowModel::OpenBallEditor).
  explicit BallEditorWindow(WindowModel& model, QWidget* parent = nullptr);
  BallEditorWindow(const BallEditorWindow&) = delete;
  BallEditorWindow& operator=(const BallEditorWindow&) = delete;

  // Shows the editor's list, selection, edit text and flags.
  void Refresh();

  // "Beenden", Esc and the close box: closes unless the user keeps the
  // unsaved changes open.
  void reject() override;

 private:
  // A button of the editor and the edit of the sequence it runs.
  struct EditButton {
    const char* name;
    BallEdit edit;
  };
  QPushButton* Button(QWidget* parent, const char* name, const std::function<void()>& action);
  QHBoxLayout* EditButtons(QWidget* parent, std::initializer_list<EditButton> buttons);
  QVBoxLayout* EditingSide(QGroupBox* group);
  QHBoxLayout* CloseRow();
  void ConnectListAndField();
  void Run(BallEdit edit);

  WindowModel& model_;
  QListWidget* list_;
  QLineEdit* edit_;
  QPushButton* undo_;
  QPushButton* store_;
  bool refreshing_ = false;
};

}  // namespace silvarone::gui
