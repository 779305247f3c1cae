#include "gui/window_texts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "gui/widgets.h"

namespace silvarone::gui {

void ApplyTexts(QWidget* window, const WindowTexts& texts) {
  for (const auto& [object, text] : texts) {
    const QString caption = ToQString(text);
    if (window->objectName() == ToQString(object)) {
      window->setWindowTitle(caption);
    } else if (auto* label = window->findChild<QLabel*>(ToQString(object))) {
      label->setText(caption);
    } else if (auto* button = window->findChild<QAbstractButton*>(ToQString(object))) {
      button->setText(caption);
    } else if (auto* group = window->findChild<QGroupBox*>(ToQString(object))) {
      group->setTitle(caption);
    }
  }
}

}  // namespace silvarone::gui
