#pragma once

// Numbers of the program's icon resources, for icons_win.rc and icons_win.cpp: plain macros, as
// the resource compiler reads this file too. Main has the lowest number because Explorer shows
// the first icon group as the program's own.
#define QS_ICON_MAIN 1
#define QS_ICON_DISABLED 2
