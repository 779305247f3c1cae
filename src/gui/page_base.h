// One page of the main window. A page builds its controls with the object
// names the model knows; the binder fills and connects them all. A page only
// adds what the binder cannot do by name (pictures, bars, visibility).
#pragma once

#include <QWidget>

#include "ui/window_model.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace silvarone::gui {

class PageBase : public QWidget {
 public:
  PageBase(WindowModel& model, const char* objectName);
  PageBase(const PageBase&) = delete;
  PageBase& operator=(const PageBase&) = delete;

  // Repaints what the binder does not: called after every action.
  virtual void Refresh() {}

 protected:
  // A label with a caption from the model (or a fixed text where the window
  // has no caption for it).
  QLabel* Label(const char* name, const char* fixedText = nullptr);
  QLineEdit* Field(const char* name, int width = 110);
  QComboBox* List(const char* name);
  // Label and field side by side in a row of the grid.
  QLineEdit* Row(QGridLayout* grid, int row, const char* label, const char* field,
                 const char* fixedText = nullptr);
  // Label and list side by side in a row of the grid.
  QComboBox* ListRow(QGridLayout* grid, int row, const char* label, const char* list);

  WindowModel& model_;
};

}  // namespace silvarone::gui
