#include "gui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace silvarone::gui {

QtTranslations::~QtTranslations() {
  if (installed_) QCoreApplication::removeTranslator(&translator_);
}

void QtTranslations::Follow(Language language) {
  if (language_ == language) return;
  language_ = language;
  if (installed_) {
    QCoreApplication::removeTranslator(&translator_);
    installed_ = false;
  }
  if (language != kGerman) return;
  // qtbase holds the texts of Qt's widgets and print dialogs; without the
  // package Qt stays English.
  if (translator_.load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    installed_ = QCoreApplication::installTranslator(&translator_);
  }
}

}  // namespace silvarone::gui
