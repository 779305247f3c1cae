// Dialogs answered from a script, recording everything shown.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "storage/project.h"

namespace silvarone::testing {

class ScriptedDialogs : public ProjectDialogs {
 public:
  void ShowNumberedMessage(int number, const std::string& argument1, const std::string&) override {
    messages.push_back(number);
    messageArguments.push_back(argument1);
  }
  void ShowPlainMessage(const std::string& text) override { plainMessages.push_back(text); }
  int AskConfirmation(int number, const std::string& name) override {
    questions.push_back(number);
    questionNames.push_back(name);
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected question " << number;
      return kAnswerCancel;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::string> ChooseFileToOpen(const FileDialogSetup& setup) override {
    return Choose(setup);
  }
  std::optional<std::string> ChooseFileToSave(const FileDialogSetup& setup) override {
    return Choose(setup);
  }

  std::deque<int> answers;                       // for the questions, in order
  std::deque<std::optional<std::string>> files;  // for the file dialogs, in order
  std::vector<int> messages;
  std::vector<std::string> messageArguments;
  std::vector<std::string> plainMessages;
  std::vector<int> questions;
  std::vector<std::string> questionNames;
  std::vector<FileDialogSetup> dialogs;

 private:
  std::optional<std::string> Choose(const FileDialogSetup& setup) {
    dialogs.push_back(setup);
    if (files.empty()) {
      ADD_FAILURE() << "unexpected file dialog " << setup.title;
      return std::nullopt;
    }
    auto file = files.front();
    files.pop_front();
    return file;
  }
};

}  // namespace silvarone::testing
