#include "gui/window_texts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include "gui/widgets.h"

namespace silvarone::gui {

void ApplyTexts(QWidget* window, const WindowTexts& texts) {
  for (const auto& [object, text] : texts) {
    const QString caption = Q(text);
    if (window->objectName() == Q(object)) {
      window->setWindowTitle(caption);
    } else if (auto* label = window->findChild<QLabel*>(Q(object))) {
      label->setText(caption);
    } else if (auto* button = window->findChild<QAbstractButton*>(Q(object))) {
      button->setText(caption);
    } else if (auto* group = window->findChild<QGroupBox*>(Q(object))) {
      group->setTitle(caption);
    }
  }
}

}  // namespace silvarone::gui
