// The project page and the project operations of the menu and its buttons.
#include <sstream>

#include "ui/window_model.h"

namespace silvarone {

void WindowModel::NewProject() {
  const Action action(*this);
  if (!projects_) return;
  projects_->New();
  ShowProjectPage();
}

void WindowModel::LoadProject() {
  const Action action(*this);
  if (!projects_) return;
  projects_->Load();
  ShowProjectPage();
  ApplyCaptions();
}

void WindowModel::SaveProject() {
  const Action action(*this);
  if (projects_) projects_->Save();
}

void WindowModel::SaveProjectAs() {
  const Action action(*this);
  if (projects_) projects_->SaveAs();
}

void WindowModel::EraseProject() {
  const Action action(*this);
  if (!projects_) return;
  projects_->Erase();
  ShowProjectPage();  // erasing the open project clears the page
}

void WindowModel::DoorClose() {
  const Action action(*this);
  if (projects_) projects_->BeforeExit();
}

void WindowModel::ShowProjectPage() {
  const ProjectData& data = projectData_;
  F("ProjectName").text = data.name;
  F("ProjectLeader").text = data.leader;
  F("Drawing_1").text = data.drawing1;
  F("Drawing_2").text = data.drawing2;
  F("ProjectDatePicker").text = DateText(data.date);
  std::string comment;
  for (std::size_t i = 0; i < data.comment.size(); ++i) {
    if (i > 0) comment += '\n';
    comment += data.comment[i];
  }
  F("ProjectComment").text = comment;
}

bool WindowModel::EditProjectPage(std::string_view name, const std::string& text) {
  ProjectData& data = projectData_;
  if (name == "ProjectName") {
    data.name = text;
  } else if (name == "ProjectLeader") {
    data.leader = text;
  } else if (name == "Drawing_1") {
    data.drawing1 = text;
  } else if (name == "Drawing_2") {
    data.drawing2 = text;
  } else if (name == "ProjectDatePicker") {
    // A date that does not read keeps the one shown.
    data.date = ParseProjectDate(text, data.date);
    F(name).text = DateText(data.date);
    return true;
  } else if (name == "ProjectComment") {
    data.comment.clear();
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      data.comment.push_back(line);
    }
  } else {
    return false;
  }
  F(name).text = text;
  return true;
}

}  // namespace silvarone
