// A presenter that records every dialog and answers from a script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/messages.h"

namespace silvarone::testing {

class ScriptedPresenter : public DialogPresenter {
 public:
  int Show(const DialogRequest& request) override {
    shown.push_back(request);
    if (answers.empty()) return request.defaultButton;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::string> ChooseFileToOpen(const FileDialogSetup&) override {
    return NextFile();
  }
  std::optional<std::string> ChooseFileToSave(const FileDialogSetup&) override {
    return NextFile();
  }
  // The texts shown since the last call.
  std::vector<std::string> TakeTexts() {
    std::vector<std::string> texts;
    for (const DialogRequest& request : shown) texts.push_back(request.text);
    shown.clear();
    return texts;
  }

  std::vector<DialogRequest> shown;
  std::deque<int> answers;
  std::deque<std::optional<std::string>> files;

 private:
  std::optional<std::string> NextFile() {
    if (files.empty()) return std::nullopt;
    auto file = files.front();
    files.pop_front();
    return file;
  }
};

}  // namespace silvarone::testing
