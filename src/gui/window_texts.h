// Puts the model's texts on a secondary window: the title on the window,
// the others on the label, button or group of that object name.
#pragma once

#include <QWidget>

#include "ui/secondary_windows.h"

namespace silvarone::gui {

void ApplyTexts(QWidget* window, const WindowTexts& texts);

}  // namespace silvarone::gui
