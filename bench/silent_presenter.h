// A presenter for benchmarks: every dialog answers its default button, no
// file is chosen.
#pragma once

#include <optional>
#include <string>

#include "storage/project.h"
#include "ui/messages.h"

namespace silvarone {

class Silent : public DialogPresenter {
 public:
  int Show(const DialogRequest& request) override { return request.defaultButton; }
  std::optional<std::string> ChooseFileToOpen(const FileDialogSetup&) override { return {}; }
  std::optional<std::string> ChooseFileToSave(const FileDialogSetup&) override { return {}; }
};

}  // namespace silvarone
