// The model's dialogs as Qt shows them: message boxes with the button
// captions of the program's language, and the project file dialogs.
#pragma once

#include <QWidget>

#include "ui/messages.h"

namespace silvarone::gui {

class QtDialogPresenter : public DialogPresenter {
 public:
  // Dialogs are modal over `parent` (may be null before the window exists).
  explicit QtDialogPresenter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  int Show(const DialogRequest& request) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogSetup& setup) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogSetup& setup) override;

 private:
  std::optional<std::string> Choose(const FileDialogSetup& setup, bool save);
  QWidget* parent_;
};

}  // namespace silvarone::gui
