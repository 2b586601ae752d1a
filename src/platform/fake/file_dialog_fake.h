#pragma once

#include "../file_dialog.h"
#include "transcript.h"

#include <deque>
#include <optional>

namespace qs::fake {

// Answers each file dialog with the next queued pick; with none queued the user cancels.
class FakeFileDialog : public platform::FileDialog {
public:
    explicit FakeFileDialog(Transcript& t) : transcript_(t) {}

    // The full path the user confirms in the next dialog.
    void queuePick(const std::string& path) { picks_.emplace_back(path); }
    void queueCancel() { picks_.emplace_back(std::nullopt); }

    platform::FileDialogResult showOpen(const forms::Form* owner, const std::string& filter, const std::string& title,
                                        bool centreOverOwner) override;

private:
    Transcript& transcript_;
    std::deque<std::optional<std::string>> picks_;
    // What the name box shows next time: the name confirmed last, by any picker.
    std::string lastConfirmed_;
};

} // namespace qs::fake
