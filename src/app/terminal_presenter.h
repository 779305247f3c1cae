// The dialogs of the command line: messages on standard error (a message
// without a number once per run), the project file given on the command line
// as the file to open, no file to save.
#pragma once

#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/messages.h"

namespace silvarone {

class TerminalPresenter : public DialogPresenter {
 public:
  explicit TerminalPresenter(std::ostream& err) : err_(err) {}
  int Show(const DialogRequest& request) override {
    std::string text = request.text;
    for (char& c : text) {
      if (c == '\r') c = ' ';
    }
    while (text.find("  ") != std::string::npos && text.find("  ") == text.size() - 2)
      text.pop_back();
    // A message without a number (a file that cannot be read or written)
    // is told once per run, however often the run meets it.
    if (request.number == 0 && !told_.insert(text).second) return request.defaultButton;
    err_ << (request.number != 0 ? std::to_string(request.number) + ": " : std::string()) << text
         << '\n';
    if (request.number != 0) messages.push_back({request.number, text});
    return request.defaultButton;
  }
  std::optional<std::string> ChooseFileToOpen(const FileDialogSetup&) override { return file; }
  std::optional<std::string> ChooseFileToSave(const FileDialogSetup&) override {
    return std::nullopt;
  }

  std::optional<std::string> file;
  std::vector<std::pair<int, std::string>> messages;

 private:
  std::ostream& err_;
  std::set<std::string> told_;
};

}  // namespace silvarone
