// The model's dialogs as Qt shows them: message boxes with the button
// captions of the program's language, and the project file dialogs.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>
#include <map>
#include <memory>

#include "ui/messages.h"

namespace silvarone::gui {

// A message box that answers with the program's button values: the button
// pressed, the escape button on Esc, and Cancel when its close box closed it.
class MessageBox : public QMessageBox {
 public:
  MessageBox(const DialogRequest& request, QWidget* parent);
  int Result() const;
  // The button of a result value; null when the box has none.
  QPushButton* Button(int value) const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Every button as wide as the widest caption needs; the box wider when
  // the row needs it.
  void WidenButtons();

  std::map<QAbstractButton*, int> values_;
  bool closedByBox_ = false;
};

class QtDialogPresenter : public DialogPresenter {
 public:
  // Dialogs are modal over `parent` (may be null before the window exists).
  explicit QtDialogPresenter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  int Show(const DialogRequest& request) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogSetup& setup) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogSetup& setup) override;

  // The file dialog as it opens, before it is shown.
  std::unique_ptr<QFileDialog> BuildFileDialog(const FileDialogSetup& setup, bool save) const;

 private:
  std::optional<std::string> Choose(const FileDialogSetup& setup, bool save);
  QWidget* Owner() const;
  QWidget* parent_;
  // Where the open dialog was left and the filter it had.
  QString openFolder_;
  QString openFilter_;
};

}  // namespace silvarone::gui
