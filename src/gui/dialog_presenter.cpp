#include "gui/dialog_presenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <map>

#include "gui/widgets.h"

namespace silvarone::gui {
namespace {

QMessageBox::Icon IconOf(DialogKind kind) {
  switch (kind) {
    case DialogKind::kWarning:
      return QMessageBox::Warning;
    case DialogKind::kError:
      return QMessageBox::Critical;
    case DialogKind::kInformation:
      return QMessageBox::Information;
    case DialogKind::kConfirmation:
      return QMessageBox::Question;
    case DialogKind::kCustom:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole RoleOf(int button) {
  switch (button) {
    case kButtonCancel:
    case kButtonAbort:
    case kButtonNo:
    case kButtonNoToAll:
      return QMessageBox::RejectRole;
    case kButtonHelp:
      return QMessageBox::HelpRole;
    default:
      return QMessageBox::AcceptRole;
  }
}

}  // namespace

int QtDialogPresenter::Show(const DialogRequest& request) {
  QMessageBox box(parent_);
  box.setIcon(IconOf(request.kind));
  box.setWindowTitle(request.title.empty() ? QApplication::applicationDisplayName()
                                           : Q(request.title));
  QString text = Q(request.text);
  text.replace("\r\n", "\n").replace('\r', '\n');
  box.setText(text);
  std::map<QAbstractButton*, int> values;
  for (int value : request.buttons) {
    // The captions follow the program's language, not the system's.
    QPushButton* button = box.addButton(Q(ButtonCaption(value, request.language)), RoleOf(value));
    values[button] = value;
    if (value == request.defaultButton) box.setDefaultButton(button);
    if (value == kButtonCancel || (request.buttons.size() == 1)) box.setEscapeButton(button);
  }
  box.exec();
  const auto it = values.find(box.clickedButton());
  return it == values.end() ? kButtonCancel : it->second;
}

std::optional<std::string> QtDialogPresenter::Choose(const FileDialogSetup& setup, bool save) {
  QFileDialog dialog(parent_, Q(setup.title), Q(setup.folder));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // The program asks before it overwrites a project itself.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilter(Q(setup.filter) + " (" + Q(setup.filter) + ")");
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!setup.defaultExtension.empty()) dialog.setDefaultSuffix(Q(setup.defaultExtension));
  if (!setup.presetName.empty() && setup.presetName.find('*') == std::string::npos) {
    dialog.selectFile(Q(setup.presetName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return S(dialog.selectedFiles().first());
}

std::optional<std::string> QtDialogPresenter::ChooseFileToOpen(const FileDialogSetup& setup) {
  return Choose(setup, false);
}

std::optional<std::string> QtDialogPresenter::ChooseFileToSave(const FileDialogSetup& setup) {
  return Choose(setup, true);
}

}  // namespace silvarone::gui
