// Qt's own dialogs and buttons (file chooser, print dialog, print preview,
// the standard buttons of a button box) in the program's language. The
// language follows the program's setting, not the system's locale: German
// loads Qt's German translation (Debian package qt6-translations-l10n),
// English is Qt's own.
#pragma once

#include <QTranslator>
#include <optional>

#include "core/gear.h"

namespace silvarone::gui {

class QtTranslations {
 public:
  QtTranslations() = default;
  ~QtTranslations();
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;

  // Puts Qt's texts into `language` unless they already are.
  void Follow(Language language);

 private:
  std::optional<Language> language_;
  QTranslator translator_;
  bool installed_ = false;
};

}  // namespace silvarone::gui
