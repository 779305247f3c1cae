// The about window TInfoWindow: the program's name, version and date, and
// who made it, its licence and where its source and manual are.
#pragma once

#include <QDialog>

#include "ui/window_model.h"

namespace silvarone::gui {

class InfoWindow : public QDialog {
  Q_OBJECT

 public:
  explicit InfoWindow(const WindowModel& model, QWidget* parent = nullptr);
  InfoWindow(const InfoWindow&) = delete;
  InfoWindow& operator=(const InfoWindow&) = delete;

 protected:
  // The texts follow the language every time the window is shown.
  void showEvent(QShowEvent* event) override;

 private:
  const WindowModel& model_;
};

}  // namespace silvarone::gui
