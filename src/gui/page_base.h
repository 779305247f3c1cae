// One page of the main window. A page builds its controls with the object
// names the model knows; the binder fills and connects them all. A page only
// adds what the binder cannot do by name (pictures, bars, visibility).
#pragma once

#include <QWidget>
#include <initializer_list>

#include "ui/window_model.h"

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace silvarone::gui {

class RadioGroup;

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
  // A group box of the page (its title comes from the model).
  QGroupBox* Group(const char* name);
  QPushButton* Button(const char* name);

  // What stands beside a radio item: a field to type in or a list to choose from.
  struct Beside {
    enum Kind { kField, kList } kind;
    const char* name;
  };
  // A radio group with one item per entry and its field or list beside it,
  // made in the order given (which is the order of the Tab key).
  RadioGroup* RadioWithFields(const char* name, std::initializer_list<Beside> items);

  WindowModel& model_;
};

}  // namespace silvarone::gui
