#pragma once

#include "../../forms/control.h"

#include <QFont>
#include <string>

namespace qs::linuxos {

// A small sans-serif like a Windows dialog's: the font of every window.
QFont dialogFont();
// The control's own face and size over the dialog font, and its weight.
QFont controlFont(const forms::Control& control);
// The width in pixels of a caption as the control shows it in its font: access-key marks left
// out, the widest of its lines.
int textWidth(const forms::Control& control, const std::string& caption);

} // namespace qs::linuxos
