#pragma once

#include "../../src/forms/observer.h"
#include "../../src/platform/fake/transcript.h"

#include <functional>

namespace qs::sim {

// Writes the window changes of the forms model to the transcript.
class TranscriptObserver : public forms::Observer {
public:
    explicit TranscriptObserver(fake::Transcript& t) : transcript_(t) {}

    // Told when a form loads, before its Load handler runs.
    std::function<void(forms::Form&)> loaded;

    void formLoaded(forms::Form& form) override {
        if (loaded)
            loaded(form);
    }
    void formShown(forms::Form& form, bool modal) override;
    void formHidden(forms::Form& form) override;
    void formMinimized(forms::Form& form) override;
    void formUnloaded(forms::Form& form) override;
    void formChanged(forms::Form& form, forms::Property what) override;
    void timerToggled(forms::Timer& timer) override;
    void programEnded() override;
    void drawIcon(forms::Form& form, int iconId, int x, int y) override;
    void popupMenu(forms::Form& form, forms::MenuItem& menu, forms::MenuItem* defaultItem) override;

private:
    fake::Transcript& transcript_;
};

} // namespace qs::sim
