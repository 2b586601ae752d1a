#pragma once

#include <string>
#include <vector>

namespace qs::forms {
class Form;
}

namespace qs::platform {

// What the file-open dialog returned.
struct FileDialogResult {
    int count = 0;                  // names returned; 0 when cancelled
    std::vector<std::string> files; // the names, without their folder
    std::string path;               // the folder: with a trailing separator for one name, without for
                                    // several; empty when cancelled
    bool cancelled = true;
};

// The file-open dialog of the file pickers. One description lives for the run: the dialog opens
// with the name confirmed last (by any picker) and the filter entry chosen last.
class FileDialog {
public:
    virtual ~FileDialog() = default;

    // Shows the dialog modally over owner (nullptr for none), centred over it when centreOverOwner,
    // else on the screen. filter holds pairs of display text and pattern, each part followed by a
    // zero character except the last. A failing dialog counts as cancelled. More than 200 names
    // throw std::length_error.
    virtual FileDialogResult showOpen(const forms::Form* owner, const std::string& filter, const std::string& title,
                                      bool centreOverOwner) = 0;
};

} // namespace qs::platform
