#include "framework/QelForm.h"

#include "toolkit/StdCtrls.h"
#include "toolkit/SysUtils.h"

#include <algorithm>
#include <vector>

namespace {
// Lives for the whole process; a push button keeps Return for itself from the start.
std::vector<TControlClass>& ReturnExemptClasses() {
    static std::vector<TControlClass> classes{ControlClass<TButton>()};
    return classes;
}
// Made at start-up, before the first window, not at the first key.
[[maybe_unused]] const bool g_exemptListReady = (ReturnExemptClasses(), true);

int SystemDesktopWidth() {
    return GetSystemMetrics(SM_CXVIRTUALSCREEN);
}
int (*g_desktopWidth)() = SystemDesktopWidth;
} // namespace

void RegisterReturnExemptClasses(std::initializer_list<TControlClass> classes) {
    auto& list = ReturnExemptClasses();
    for (const TControlClass& c : classes)
        if (std::none_of(list.begin(), list.end(), [&](const TControlClass& k) { return k.Type == c.Type; }))
            list.push_back(c);
}

bool IsReturnExempt(const TControl* control) {
    if (!control) return false;
    const auto& list = ReturnExemptClasses();
    return std::any_of(list.begin(), list.end(),
                       [&](const TControlClass& k) { return k.IsInstance(control); });
}

void SetDesktopWidthQuery(int (*query)()) {
    g_desktopWidth = query ? query : SystemDesktopWidth;
}

TQelForm::TQelForm(TComponent* owner) : TForm(owner) {}

TQelForm::~TQelForm() {
    *alive_ = false;
}

// The message goes out once the derived constructor, the loaded step and OnCreate are done, so
// everything already queued for the thread runs before OnAfterCreate.
void TQelForm::FinishCreate() {
    TForm::FinishCreate();
    if (afterCreatePosted_ || Destroying()) return;
    afterCreatePosted_ = true;
    if (!PostMessage(WM_QELAFTERCREATE, 0, 0))
        throw Exception(Format(L"Das Fenster '%s' kann seine Nachricht nicht erhalten: %s", Name().c_str(),
                               SystemFehlerText(GetLastError()).c_str()));
}

void TQelForm::Loaded() {
    TForm::Loaded();
    if (mainFormSize_) TakeMainFormBounds();
}

// On a small desktop a dialog fills it; otherwise it lies exactly over the main window.
void TQelForm::TakeMainFormBounds() {
    TForm* main = Application()->MainForm();
    if (!main || main == this) return;
    if (g_desktopWidth() <= 800)
        SetWindowState(wsMaximized);
    else
        SetBounds(main->Left(), main->Top(), main->Width(), main->Height());
}

void TQelForm::Activate() {
    if (!firstActivated_) {
        firstActivated_ = true;
        if (OnFirstActivate) OnFirstActivate(this);
    }
    TForm::Activate();
}

// Return acts as Tab (Shift+Return as Shift+Tab) unless the focused control keeps it for
// itself or the window vetoes it.
void TQelForm::DialogKey(WORD& key, bool shift) {
    if (key == VK_RETURN && activReturn_) {
        TWinControl* focused = ActiveControl();
        if (!IsReturnExempt(focused)) {
            bool replaceReturn = true;
            if (OnTestReturn && focused) OnTestReturn(this, replaceReturn);
            if (replaceReturn) key = VK_TAB;
        }
    }
    TForm::DialogKey(key, shift);
}

void TQelForm::WndProc(TMessage& m) {
    if (m.Msg == WM_QELAFTERCREATE) {
        WMAfterCreate(m);
        return;
    }
    TForm::WndProc(m);
}

// What was pending when the loop reached us runs first: a window shown after its creation
// has appeared by then.
void TQelForm::WMAfterCreate(TMessage& m) {
    m.Result = 0;
    std::shared_ptr<bool> alive = alive_;
    Application()->ProcessMessages();
    if (!*alive || Destroying()) return;
    if (OnAfterCreate) OnAfterCreate(this);
}
