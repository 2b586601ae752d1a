#pragma once

#include <QIcon>
#include <string>

namespace qs::linuxos {

// The program's icons, from the pictures built into the program at 16 to 256 pixels: "main" (the
// window and an active tray) and "disabled" (the same, greyed). Any other name gives an empty icon.
QIcon programIcon(const std::string& name);
// The style's message box icons by the numbers of Windows' stock icons (32513 stop, 32514
// question, 32515 exclamation, 32516 information); an empty icon for any other.
QIcon stockIcon(int iconId);

} // namespace qs::linuxos
