// The project page, and the project operations of the menu and its buttons.
#include "ui/project_page.h"

#include <array>
#include <sstream>

#include "ui/controls.h"
#include "ui/window_model.h"

namespace silvarone {
namespace {

// The fields of the page that hold a text of the project data as typed.
constexpr std::array<std::pair<std::string_view, std::string ProjectData::*>, 4> kTextFields = {{
    {ctl::ProjectName, &ProjectData::name},
    {ctl::ProjectLeader, &ProjectData::leader},
    {ctl::Drawing_1, &ProjectData::drawing1},
    {ctl::Drawing_2, &ProjectData::drawing2},
}};

}  // namespace

void ProjectPage::Show() {
  for (const auto& [name, member] : kTextFields)
    fields_.FieldOf(name).text = data_.*member;
  fields_.FieldOf(ctl::ProjectDatePicker).text = DateText(data_.date);
  std::string comment;
  for (std::size_t i = 0; i < data_.comment.size(); ++i) {
    if (i > 0) comment += '\n';
    comment += data_.comment[i];
  }
  fields_.FieldOf(ctl::ProjectComment).text = comment;
}

bool ProjectPage::Edit(std::string_view name, const std::string& text) {
  for (const auto& [field, member] : kTextFields) {
    if (name != field) continue;
    data_.*member = text;
    fields_.FieldOf(name).text = text;
    return true;
  }
  if (name == ctl::ProjectDatePicker) {
    // A date that does not read keeps the one shown.
    data_.date = ParseProjectDate(text, data_.date);
    fields_.FieldOf(name).text = DateText(data_.date);
    return true;
  }
  if (name == ctl::ProjectComment) {
    data_.comment.clear();
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      data_.comment.push_back(line);
    }
    fields_.FieldOf(name).text = text;
    return true;
  }
  return false;
}

void WindowModel::NewProject() {
  const Action action(*this);
  if (!projects_) return;
  projects_->New();
  projectPage_.Show();
}

void WindowModel::LoadProject() {
  const Action action(*this);
  if (!projects_) return;
  projects_->Load();
  projectPage_.Show();
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
  projectPage_.Show();  // erasing the open project clears the page
}

void WindowModel::DoorClose() {
  const Action action(*this);
  if (projects_) projects_->BeforeExit();
}

}  // namespace silvarone
