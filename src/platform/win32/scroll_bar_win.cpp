#include "scroll_bar_win.h"

#include "../../forms/scroll_bar.h"

#include <algorithm>

namespace qs::win32 {

using forms::Property;

ScrollBarWin::ScrollBarWin(FormWindow& owner, forms::ScrollBar& bar) : ControlWin(owner, bar), bar_(bar) {
    create("SCROLLBAR", SBS_VERT | WS_TABSTOP);
}

void ScrollBarWin::sync(Property what) {
    ControlWin::sync(what);
    if (!hwnd_ || (what != Property::Range && what != Property::Value))
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = -std::max(bar_.min(), bar_.max());
    info.nMax = -std::min(bar_.min(), bar_.max());
    info.nPage = 0;
    info.nPos = -bar_.value();
    SetScrollInfo(hwnd_, SB_CTL, &info, TRUE);
}

void ScrollBarWin::scroll(int request) {
    if (!live() || !bar_.acceptsInput())
        return;
    const int step = std::max(bar_.smallChange(), 1);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(hwnd_, SB_CTL, &info);
    switch (request) {
    case SB_LINEUP:
    case SB_PAGEUP:
        bar_.setValue(bar_.value() + step);
        break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
        bar_.setValue(bar_.value() - step);
        break;
    case SB_TOP:
        bar_.setValue(std::max(bar_.min(), bar_.max()));
        break;
    case SB_BOTTOM:
        bar_.setValue(std::min(bar_.min(), bar_.max()));
        break;
    case SB_THUMBTRACK:
        // Dragging the box is Scroll as well as Change.
        bar_.setValue(-info.nTrackPos);
        if (live())
            bar_.raise(bar_.Scroll, "Scroll");
        break;
    default: // SB_THUMBPOSITION and SB_ENDSCROLL: the value is already there
        return;
    }
    if (live())
        sync(Property::Value);
}

} // namespace qs::win32
