#pragma once

#include <QIcon>

namespace passcat {

// The program's mountain pictogram, at every size it is drawn in.
QIcon ProgramIcon();

} // namespace passcat
