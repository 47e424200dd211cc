// The form's answer to keys its focused control leaves alone.
#include "toolkit/ActnList.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace {
// The enabled, visible push button of the form marked by want (Default or Cancel).
TButton* MarkedButton(const TForm* form, bool (TButton::*want)() const) {
    std::vector<TWinControl*> list;
    form->GetTabOrderList(list);
    for (TWinControl* c : list)
        if (auto* b = dynamic_cast<TButton*>(c); b && (b->*want)() && b->CanFocus()) return b;
    return nullptr;
}

// Actions anywhere in the ownership tree below owner, frames and panels included.
TAction* ActionWithShortCut(const TComponent* owner, TShortCut shortCut) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* c = owner->Components(i);
        if (!c) continue;
        if (auto* a = dynamic_cast<TAction*>(c); a && a->ShortCut() == shortCut && a->Enabled()) return a;
        if (TAction* inner = ActionWithShortCut(c, shortCut)) return inner;
    }
    return nullptr;
}
} // namespace

void TForm::DialogKey(WORD& key, bool shift) {
    switch (key) {
    case VK_TAB:
        if (GetKeyState(VK_CONTROL) < 0) return;
        SelectNext(activeControl_, !shift, true);
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (activeControl_ && activeControl_->Parent())
            activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
        break;
    case VK_RETURN: {
        auto* button = dynamic_cast<TButton*>(activeControl_);
        if (!button || !button->Enabled()) button = MarkedButton(this, &TButton::Default);
        if (button) button->Click();
        break;
    }
    case VK_ESCAPE:
        if (TButton* button = MarkedButton(this, &TButton::Cancel)) button->Click();
        break;
    default:
        return;
    }
    key = 0;
}

bool TForm::DialogChar(wchar_t ch) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    for (TWinControl* c : list)
        if (c->Showing() && c->Enabled() && c->AcceleratorHit(ch)) return true;
    return false;
}

bool TForm::IsShortCut(TShortCut shortCut) {
    if (shortCut == scNone) return false;
    TAction* action = ActionWithShortCut(this, shortCut);
    return action && action->Execute();
}
