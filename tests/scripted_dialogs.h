// The one dialog double of the tests: answers questions and file dialogs
// from a script and records every message. A question or file dialog it was
// not given an answer for fails the test; so does a window dialog that the
// test never took (TakeTexts) before the end.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "storage/project.h"
#include "ui/messages.h"

namespace silvarone::testing {

class ScriptedDialogs : public ProjectDialogs, public DialogPresenter {
 public:
  ScriptedDialogs() = default;
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;
  ~ScriptedDialogs() override {
    for (const DialogRequest& request : shown) {
      ADD_FAILURE() << "dialog never checked: " << request.number << " " << request.text;
    }
  }

  // --- As the storage layer asks -------------------------------------------
  void ShowNumberedMessage(int number, const std::string& argument1, const std::string&) override {
    messages.push_back(number);
    messageArguments.push_back(argument1);
  }
  void ShowProblem(const Problem& problem) override { problems.push_back(problem); }
  int AskConfirmation(int number, const std::string& name) override {
    questions.push_back(number);
    questionNames.push_back(name);
    return Answer("question " + std::to_string(number), kAnswerCancel);
  }

  // --- As the window model shows them --------------------------------------
  int Show(const DialogRequest& request) override {
    shown.push_back(request);
    // A dialog with one button asks nothing; more than one is a question.
    if (request.buttons.size() <= 1) return request.defaultButton;
    return Answer("question " + request.text, kButtonCancel);
  }
  // The texts of the window dialogs shown since the last call.
  std::vector<std::string> TakeTexts() {
    std::vector<std::string> texts;
    for (const DialogRequest& request : shown)
      texts.push_back(request.text);
    shown.clear();
    return texts;
  }

  // --- File dialogs (both) -------------------------------------------------
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
  std::vector<Problem> problems;
  std::vector<int> questions;
  std::vector<std::string> questionNames;
  std::vector<FileDialogSetup> dialogs;
  std::vector<DialogRequest> shown;

 private:
  int Answer(const std::string& what, int closed) {
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected " << what;
      return closed;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
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
