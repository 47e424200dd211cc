#include "DialogFahrer.h"

#include <commdlg.h>
#include <dlgs.h>

namespace {
DialogFahrer* g_fahrer = nullptr;

String Text(HWND wnd) {
    int n = GetWindowTextLengthW(wnd);
    String s(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(wnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

// Newer dialogs have a combo box for the name (cmb13), older ones an edit (edt1).
HWND NamensFeld(HWND dialog) {
    HWND feld = GetDlgItem(dialog, cmb13);
    return feld ? feld : GetDlgItem(dialog, edt1);
}
} // namespace

DialogFahrer::DialogFahrer(std::vector<Schritt> schritte) : schritte_(std::move(schritte)) {
    g_fahrer = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

DialogFahrer::~DialogFahrer() {
    UnhookWindowsHookEx(hook_);
    g_fahrer = nullptr;
}

LRESULT CALLBACK DialogFahrer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_fahrer && !g_fahrer->dialog_) {
        HWND wnd = reinterpret_cast<HWND>(wParam);
        wchar_t klasse[16] = {};
        GetClassNameW(wnd, klasse, 16);
        if (lstrcmpW(klasse, L"#32770") == 0) {
            g_fahrer->dialog_ = wnd;
            SetTimer(nullptr, 0, 300, Takt);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// One step per tick, so that a navigation has finished before the next step looks.
void CALLBACK DialogFahrer::Takt(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    DialogFahrer* f = g_fahrer;
    if (!f || !IsWindow(f->dialog_)) return;
    if (f->gelaufen_ < f->schritte_.size()) {
        f->schritte_[f->gelaufen_++](f->dialog_);
    } else {
        f->notbremse_ = true;
        DialogKnopf(f->dialog_, IDCANCEL);
        return;
    }
    if (IsWindow(f->dialog_)) SetTimer(nullptr, 0, 200, Takt);
}

String DialogName(HWND dialog) {
    return Text(NamensFeld(dialog));
}

void DialogNameSetzen(HWND dialog, const String& name) {
    SetWindowTextW(NamensFeld(dialog), name.c_str());
}

String DialogOrdner(HWND dialog) {
    wchar_t pfad[MAX_PATH] = {};
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(pfad));
    return pfad;
}

String DialogTitel(HWND dialog) {
    return Text(dialog);
}

String DialogFilter(HWND dialog) {
    return Text(GetDlgItem(dialog, cmb1));
}

void DialogKnopf(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
