// The project page: the project's name, leader, drawing numbers, date and
// comment, shown from the project data and typed into them.
#pragma once

#include <string>
#include <string_view>

#include "storage/project.h"
#include "ui/window_fields.h"

namespace silvarone {

class ProjectPage {
 public:
  ProjectPage(WindowFields& fields, ProjectData& data) : fields_(fields), data_(data) {}

  // The page from the project data.
  void Show();
  // A typed change of a field of the page into the project data; false for
  // a field of another page.
  bool Edit(std::string_view name, const std::string& text);

 private:
  WindowFields& fields_;
  ProjectData& data_;
};

}  // namespace silvarone
