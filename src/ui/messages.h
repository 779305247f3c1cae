// Numbered messages, confirmations and the message dialog's buttons, in the
// language of the moment. The window shows them in modal dialogs, the command
// line on stderr, tests answer them from a script.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "storage/project.h"

namespace silvarone {

// Result values of the dialog buttons.
enum DialogButton : int {
  kButtonHelp = 0,
  kButtonOk = 1,
  kButtonCancel = 2,
  kButtonAbort = 3,
  kButtonRetry = 4,
  kButtonIgnore = 5,
  kButtonYes = 6,
  kButtonNo = 7,
  kButtonAll = 8,
  kButtonNoToAll = 9,
  kButtonYesToAll = 10,
};

// The caption of a button in the language given ("&" marks the accelerator).
// An unknown result value is a programming error: the text says so.
std::string ButtonCaption(int result, Language language);

enum class DialogKind { kWarning, kError, kInformation, kConfirmation, kCustom };

struct DialogRequest {
  int number = 0;  // of a numbered message or confirmation; 0 for others
  std::string title;
  std::string text;
  DialogKind kind = DialogKind::kConfirmation;
  std::vector<int> buttons;  // result values, in order
  int defaultButton = kButtonOk;
  Language language = kGerman;  // of the button captions
};

// The conversion text of -103 for a field number of the validation pass.
std::string ConversionText(int field, Language language);
// The text of a numbered message with its arguments.
std::string NumberedMessageText(int number, const std::string& argument1,
                                const std::string& argument2, Language language);
std::string ConfirmationText(int number, const std::string& name, Language language);
DialogRequest NumberedMessageRequest(int number, const std::string& argument1,
                                     const std::string& argument2, Language language);
DialogRequest ConfirmationRequest(int number, const std::string& name, Language language);

// What shows the dialogs: the Qt window, the terminal or a test.
class DialogPresenter {
 public:
  virtual ~DialogPresenter() = default;
  // The result value of the button pressed; kButtonCancel when closed.
  virtual int Show(const DialogRequest& request) = 0;
  virtual std::optional<std::string> ChooseFileToOpen(const FileDialogSetup& setup) = 0;
  virtual std::optional<std::string> ChooseFileToSave(const FileDialogSetup& setup) = 0;
};

// The messages and questions of the program over a presenter, in the
// language of the moment (read at every call).
class Dialogs : public ProjectDialogs {
 public:
  Dialogs(DialogPresenter& presenter, const Language& language)
      : presenter_(presenter), language_(language) {}
  Dialogs(const Dialogs&) = delete;
  Dialogs& operator=(const Dialogs&) = delete;

  void ShowNumberedMessage(int number, const std::string& argument1,
                           const std::string& argument2) override;
  void ShowProblem(const Problem& problem) override;
  // A message with its own title and kind (start-up errors, history, help).
  int ShowMessage(const std::string& title, const std::string& text, DialogKind kind,
                  std::vector<int> buttons);
  int AskConfirmation(int number, const std::string& name) override;
  // The file dialogs with the title of their purpose.
  std::optional<std::string> ChooseFileToOpen(const FileDialogSetup& setup) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogSetup& setup) override;

 private:
  DialogPresenter& presenter_;
  const Language& language_;
};

}  // namespace silvarone
