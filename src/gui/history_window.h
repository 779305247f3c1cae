// The program history window THistoryForm: the history text of the
// language, read-only, scrolling both ways.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/gear.h"

namespace silvarone::gui {

class HistoryWindow : public QDialog {
  Q_OBJECT

 public:
  HistoryWindow(Language language, const std::vector<std::string>& lines,
                QWidget* parent = nullptr);
  HistoryWindow(const HistoryWindow&) = delete;
  HistoryWindow& operator=(const HistoryWindow&) = delete;
};

}  // namespace silvarone::gui
