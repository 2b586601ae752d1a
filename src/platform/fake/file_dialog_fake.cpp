#include "file_dialog_fake.h"

#include "../../forms/form.h"

namespace qs::fake {

namespace {

std::string showZeros(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\0' ? std::string("\\0") : std::string(1, c);
    return out;
}

} // namespace

platform::FileDialogResult FakeFileDialog::showOpen(const forms::Form* owner, const std::string& filter,
                                                    const std::string& title, bool centreOverOwner) {
    std::optional<std::string> pick;
    if (!picks_.empty()) {
        pick = picks_.front();
        picks_.pop_front();
    }
    transcript_.line("file-dialog " + quote(title) + " " + quote(showZeros(filter)) +
                     " owner=" + (owner ? owner->name() : "none") + " center=" + (centreOverOwner ? "1" : "0") +
                     " name=" + quote(lastConfirmed_) + " -> " + (pick ? quote(*pick) : "cancel"));
    platform::FileDialogResult result;
    if (!pick)
        return result;
    // One name: the folder keeps its trailing separator, as the real dialog gives it.
    const size_t cut = pick->rfind('\\') + 1; // 0 when there is no folder
    result.path = pick->substr(0, cut);
    result.files = {pick->substr(cut)};
    result.count = 1;
    result.cancelled = false;
    lastConfirmed_ = *pick;
    return result;
}

} // namespace qs::fake
