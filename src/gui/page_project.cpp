#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <tuple>

#include "gui/pages.h"
#include "gui/widgets.h"

namespace silvarone::gui {

ProjectPage::ProjectPage(WindowModel& model) : PageBase(model, "TabSheet5") {
  QGroupBox* box = Group("GroupBox4");
  auto* grid = new QGridLayout(box);
  // Names and drawing numbers are longer than numbers.
  for (const auto& [row, label, field] : {std::tuple{0, "Project_Lbl", "ProjectName"},
                                          std::tuple{1, "ProjectLeader_Lbl", "ProjectLeader"},
                                          std::tuple{2, "Label_Drawing_1", "Drawing_1"},
                                          std::tuple{3, "Label_Drawing_2", "Drawing_2"}}) {
    QLineEdit* edit = Row(grid, row, label, field);
    edit->setMinimumWidth(360);
    edit->setMaximumWidth(600);
  }
  auto* dateLabel = Label("Date_Lbl");
  auto* date = new QDateEdit(this);
  date->setObjectName("ProjectDatePicker");
  date->setDisplayFormat("dd.MM.yyyy");
  date->setCalendarPopup(true);
  dateLabel->setBuddy(date);
  grid->addWidget(dateLabel, 4, 0);
  grid->addWidget(date, 4, 1, Qt::AlignLeft);
  auto* commentLabel = Label("Comment_Lbl");
  auto* comment = new QPlainTextEdit(this);
  comment->setObjectName("ProjectComment");
  commentLabel->setBuddy(comment);
  grid->addWidget(commentLabel, 5, 0, Qt::AlignTop);
  grid->addWidget(comment, 5, 1);
  auto* buttons = new QHBoxLayout;
  for (const char* name : {"ProjectNew_Btn", "ProjectSave_Btn"})
    buttons->addWidget(Button(name));
  buttons->addStretch(1);
  grid->addLayout(buttons, 6, 1);
  grid->setColumnStretch(1, 1);

  auto* page = new QVBoxLayout(this);
  page->addWidget(box, 1);
}

}  // namespace silvarone::gui
