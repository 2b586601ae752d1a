#pragma once

#include <QIcon>
#include <string>

namespace qs::linuxos {

// The program's icons, drawn at run time: "main" (the window and an active tray) and "disabled"
// (the same, greyed). Any other name gives an empty icon.
QIcon programIcon(const std::string& name);

} // namespace qs::linuxos
