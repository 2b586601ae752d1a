#include "label.h"

#include "application.h"
#include "form.h"

namespace qs::forms {

void Label::setAutoSize(bool on) {
    autoSize_ = on;
    if (on)
        fitWidth();
}

void Label::captionChanged() {
    if (autoSize_)
        fitWidth();
    raise(Change, "Change");
}

void Label::fontChanged() {
    if (autoSize_)
        fitWidth();
}

void Label::fitWidth() {
    setWidth(form().app().observer().textWidth(*this, caption()));
}

} // namespace qs::forms
