#include "gui/dialog_presenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLayout>
#include <QPushButton>
#include <algorithm>

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

MessageBox::MessageBox(const DialogRequest& request, QWidget* parent) : QMessageBox(parent) {
  setIcon(IconOf(request.kind));
  setWindowTitle(request.title.empty() ? QApplication::applicationDisplayName()
                                       : ToQString(request.title));
  QString text = ToQString(request.text);
  text.replace("\r\n", "\n").replace('\r', '\n');
  setTextFormat(Qt::PlainText);
  setText(text);
  std::vector<int> buttons = request.buttons;
  if (buttons.empty()) buttons = {kButtonOk};
  for (int value : buttons) {
    // The captions follow the program's language, not the system's; an
    // unknown value shows a caption that says so.
    QPushButton* button =
        addButton(ToQString(ButtonCaption(value, request.language)), RoleOf(value));
    values_[button] = value;
    if (value == request.defaultButton) setDefaultButton(button);
  }
  // Esc presses Cancel, else No, else OK (none of them: Esc does nothing).
  for (int value : {kButtonCancel, kButtonNo, kButtonOk}) {
    if (QPushButton* button = Button(value)) {
      setEscapeButton(button);
      break;
    }
  }
  WidenButtons();
}

QPushButton* MessageBox::Button(int value) const {
  for (const auto& [button, result] : values_) {
    if (result == value) return static_cast<QPushButton*>(button);
  }
  return nullptr;
}

int MessageBox::Result() const {
  if (closedByBox_) return kButtonCancel;
  const auto it = values_.find(clickedButton());
  return it == values_.end() ? kButtonCancel : it->second;
}

void MessageBox::WidenButtons() {
  int width = 0;
  for (const auto& [button, value] : values_) {
    const QString caption = QString(button->text()).remove('&');
    width = std::max(
        {width, button->sizeHint().width(), button->fontMetrics().horizontalAdvance(caption) + 16});
  }
  for (const auto& [button, value] : values_)
    button->setMinimumWidth(width);
}

void MessageBox::showEvent(QShowEvent* event) {
  QMessageBox::showEvent(event);
  // Qt caps a message box's width; the button row must still fit.
  layout()->activate();
  const int needed = layout()->totalMinimumSize().width();
  if (width() < needed) setFixedWidth(needed);
  if (QPushButton* button = defaultButton()) button->setFocus();
}

void MessageBox::closeEvent(QCloseEvent* event) {
  // The close box answers Cancel, whatever the buttons are.
  closedByBox_ = true;
  QDialog::closeEvent(event);
}

QWidget* QtDialogPresenter::Owner() const {
  // Over the report or ball editor window when one is open, else the main window.
  QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr ? modal : parent_;
}

int QtDialogPresenter::Show(const DialogRequest& request) {
  MessageBox box(request, Owner());
  box.exec();
  return box.Result();
}

std::unique_ptr<QFileDialog> QtDialogPresenter::BuildFileDialog(const FileDialogSetup& setup,
                                                                bool save) const {
  const bool asLeft = setup.asOpenDialogLastWas && !openFolder_.isEmpty();
  auto dialog = std::make_unique<QFileDialog>(Owner(), ToQString(setup.title),
                                              asLeft ? openFolder_ : ToQString(setup.folder));
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  // The program asks before it overwrites a file itself.
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  const QString filter = asLeft ? openFilter_ : ToQString(setup.filter);
  dialog->setNameFilter(filter + " (" + filter + ")");
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!setup.defaultExtension.empty()) dialog->setDefaultSuffix(ToQString(setup.defaultExtension));
  // A preset "*.tvp" is the filter already; a name or a full path is preset.
  if (!setup.presetName.empty() && setup.presetName.find('*') == std::string::npos) {
    dialog->selectFile(ToQString(setup.presetName));
  }
  return dialog;
}

std::optional<std::string> QtDialogPresenter::Choose(const FileDialogSetup& setup, bool save) {
  const std::unique_ptr<QFileDialog> dialog = BuildFileDialog(setup, save);
  const bool accepted = dialog->exec() == QDialog::Accepted;
  if (!save) {
    openFolder_ = dialog->directory().absolutePath();
    openFilter_ =
        setup.asOpenDialogLastWas && !openFilter_.isEmpty() ? openFilter_ : ToQString(setup.filter);
  }
  if (!accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return ToStdString(dialog->selectedFiles().first());
}

std::optional<std::string> QtDialogPresenter::ChooseFileToOpen(const FileDialogSetup& setup) {
  return Choose(setup, false);
}

std::optional<std::string> QtDialogPresenter::ChooseFileToSave(const FileDialogSetup& setup) {
  return Choose(setup, true);
}

}  // namespace silvarone::gui
