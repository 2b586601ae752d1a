#include "transcript_observer.h"

#include "../../src/forms/form.h"
#include "../../src/forms/menu_item.h"
#include "../../src/forms/timer.h"

namespace qs::sim {

void TranscriptObserver::formShown(forms::Form& form, bool modal) {
    transcript_.line("show " + form.name() + (modal ? " modal" : ""));
}

void TranscriptObserver::formHidden(forms::Form& form) {
    transcript_.line("hide " + form.name());
}

void TranscriptObserver::formMinimized(forms::Form& form) {
    transcript_.line("minimize " + form.name());
}

void TranscriptObserver::formUnloaded(forms::Form& form) {
    transcript_.line("unload " + form.name());
}

void TranscriptObserver::formChanged(forms::Form& form, forms::Property what) {
    if (what == forms::Property::TopMost)
        transcript_.line("topmost " + form.name() + (form.topMost() ? " on" : " off"));
}

void TranscriptObserver::timerToggled(forms::Timer& timer) {
    transcript_.line("timer " + timer.name() + (timer.enabled() ? " on" : " off"));
}

void TranscriptObserver::programEnded() {
    transcript_.line("end");
}

void TranscriptObserver::drawIcon(forms::Form& form, int iconId, int x, int y) {
    transcript_.line("draw-icon " + form.name() + " " + std::to_string(iconId) + " x=" + std::to_string(x) +
                     " y=" + std::to_string(y));
}

void TranscriptObserver::popupMenu(forms::Form&, forms::MenuItem& menu, forms::MenuItem* defaultItem) {
    transcript_.line("popup " + menu.displayName() + (defaultItem ? " default=" + defaultItem->displayName() : ""));
}

} // namespace qs::sim
