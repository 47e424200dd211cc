// Children of a windowed control: the list, the align pass and the keyboard order.
#include "toolkit/Controls.h"

#include "toolkit/Forms.h"

#include <algorithm>

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    if (auto* w = dynamic_cast<TWinControl*>(control)) tabList_.push_back(w);
    if (control->Align() != alNone) Realign();
    ControlsChanged();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    auto t = std::find(tabList_.begin(), tabList_.end(), control);
    if (t != tabList_.end()) tabList_.erase(t);
    control->parent_ = nullptr;
    if (Destroying()) return;
    if (control->Align() != alNone) Realign();
    ControlsChanged();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

// The frame of the window this control makes, from its creation styles.
void TWinControl::FrameSize(int& dx, int& dy) const {
    TCreateParams p;
    const_cast<TWinControl*>(this)->CreateParams(p);
    RECT r{0, 0, 100, 100};
    AdjustWindowRectEx(&r, p.style & ~WS_VISIBLE, FALSE, p.exStyle);
    dx = (r.right - r.left) - 100;
    dy = (r.bottom - r.top) - 100;
}

int TWinControl::ClientWidth() const {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r.right;
    }
    int dx, dy;
    FrameSize(dx, dy);
    return std::max(0, Width() - dx);
}

int TWinControl::ClientHeight() const {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r.bottom;
    }
    int dx, dy;
    FrameSize(dx, dy);
    return std::max(0, Height() - dy);
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() {
    if (aligning_ || Destroying()) return;
    if (alignDisabled_ > 0 || Loading()) {
        alignPending_ = true;
        return;
    }
    alignPending_ = false;
    aligning_ = true;
    try {
        RECT r = ClientRect();
        AdjustClientRect(r);
        AlignControls(r);
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

namespace {
// Order within one alignment: by position towards the edge the controls stack from; controls
// aligned since the last pass come after the placed ones; ties keep the order of the list.
int SortKey(const TControl* c) {
    switch (c->Align()) {
    case alTop:
        return c->Top();
    case alBottom:
        return -(c->Top() + c->Height());
    case alLeft:
        return c->Left();
    case alRight:
        return -(c->Left() + c->Width());
    default:
        return 0;
    }
}
} // namespace

void TWinControl::AlignControls(RECT r) {
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible()) list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [](const TControl* a, const TControl* b) {
            if (a->alignPlaced_ != b->alignPlaced_) return a->alignPlaced_;
            return SortKey(a) < SortKey(b);
        });
        for (TControl* c : list) {
            int w = std::max(0, static_cast<int>(r.right - r.left));
            int h = std::max(0, static_cast<int>(r.bottom - r.top));
            switch (align) {
            case alTop:
                c->SetBounds(r.left, r.top, w, c->Height());
                r.top += c->Height();
                break;
            case alBottom:
                c->SetBounds(r.left, r.bottom - c->Height(), w, c->Height());
                r.bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(r.left, r.top, c->Width(), h);
                r.left += c->Width();
                break;
            case alRight:
                c->SetBounds(r.right - c->Width(), r.top, c->Width(), h);
                r.right -= c->Width();
                break;
            default:
                c->SetBounds(r.left, r.top, w, h);
                break;
            }
            c->alignPlaced_ = true;
        }
    }
}

int TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!Parent()) return;
    auto& list = Parent()->tabList_;
    int current = TabOrder();
    if (current < 0) return;
    order = std::clamp(order, 0, static_cast<int>(list.size()) - 1);
    if (order == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + order, this);
}

void TWinControl::SetTabStop(bool tabStop) {
    if (tabStop == tabStop_) return;
    tabStop_ = tabStop;
    SetStyleBit(WS_TABSTOP, tabStop_);
}

// Visible and enabled up to the form; the form itself need not be showing yet.
bool TWinControl::CanFocus() const {
    TForm* form = ParentForm();
    if (!form) return Showing() && Enabled();
    for (const TControl* c = this; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (TForm* form = ParentForm(); form && form != this)
        form->FocusControl(this);
    else if (HWND wnd = Handle(); IsWindowVisible(wnd))
        ::SetFocus(wnd);
}

bool TWinControl::Focused() const {
    return handle_ && GetFocus() == handle_;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                          bool checkParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    int n = static_cast<int>(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    int start = found != list.end() ? static_cast<int>(found - list.begin()) : (goForward ? n - 1 : 0);
    int i = start;
    do {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

void TWinControl::BringToFront() {
    if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::ShowControl(TControl*) {
    if (Parent()) Parent()->ShowControl(this);
}
