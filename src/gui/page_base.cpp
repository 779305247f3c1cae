#include "gui/page_base.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "gui/widgets.h"

namespace silvarone::gui {

PageBase::PageBase(WindowModel& model, const char* objectName) : model_(model) {
  setObjectName(objectName);
}

QLabel* PageBase::Label(const char* name, const char* fixedText) {
  auto* label = new QLabel(this);
  label->setObjectName(name);
  if (fixedText != nullptr) label->setText(QString::fromUtf8(fixedText));
  return label;
}

QLineEdit* PageBase::Field(const char* name, int width) {
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setMinimumWidth(width);
  field->setMaximumWidth(width + 90);
  return field;
}

QComboBox* PageBase::List(const char* name) {
  auto* list = new QComboBox(this);
  list->setObjectName(name);
  list->setMinimumWidth(110);
  list->setMaximumWidth(200);
  return list;
}

QComboBox* PageBase::ListRow(QGridLayout* grid, int row, const char* label, const char* list) {
  QLabel* caption = Label(label);
  QComboBox* box = List(list);
  caption->setBuddy(box);
  grid->addWidget(caption, row, 0);
  grid->addWidget(box, row, 1);
  return box;
}

QLineEdit* PageBase::Row(QGridLayout* grid, int row, const char* label, const char* field,
                         const char* fixedText) {
  QLabel* caption = Label(label, fixedText);
  QLineEdit* edit = Field(field);
  caption->setBuddy(edit);
  grid->addWidget(caption, row, 0);
  grid->addWidget(edit, row, 1);
  return edit;
}

QGroupBox* PageBase::Group(const char* name) {
  auto* box = new QGroupBox(this);
  box->setObjectName(name);
  return box;
}

QPushButton* PageBase::Button(const char* name) {
  auto* button = new QPushButton(this);
  button->setObjectName(name);
  return button;
}

RadioGroup* PageBase::RadioWithFields(const char* name, std::initializer_list<Beside> items) {
  auto* group = new RadioGroup(name);
  group->SetItems(std::vector<std::string>(items.size()));
  int row = 0;
  for (const Beside& item : items) {
    group->PutBeside(row++, item.kind == Beside::kField ? static_cast<QWidget*>(Field(item.name))
                                                        : List(item.name));
  }
  return group;
}

}  // namespace silvarone::gui
