#include "settings/Fensterposition.h"
#include "toolkit/Forms.h"
#include "util/QEL_Str.h"

namespace {
const String kMaximiert = L"__MAXIMIZED";
const String kLinks = L"__ALIGNLEFT";
const String kRechts = L"__ALIGNRIGHT";
const String kOben = L"__TOP";
const String kLinkerRand = L"__LEFT";
const String kBreite = L"__WIDTH";
const String kHoehe = L"__HEIGHT";

// The test switch fixes the main window; a window created before any main form exists is the
// one that becomes it.
bool Fest800x600(TForm* form, bool auchOhneHauptfenster) {
    if (!Test800x600()) return false;
    TForm* haupt = Application()->MainForm();
    return form == haupt || (auchOhneHauptfenster && haupt == nullptr);
}

// A placement saved beside a monitor this computer lacks would open the window where no one can
// reach it: it must lie on a monitor, with a piece of its caption bar inside a work area.
bool Erreichbar(const RECT& r) {
    if (!MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) return false;
    RECT titel{r.left, r.top, r.right, r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION)};
    HMONITOR monitor = MonitorFromRect(&titel, MONITOR_DEFAULTTONULL);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT sichtbar;
    return monitor && GetMonitorInfoW(monitor, &info) && IntersectRect(&sichtbar, &titel, &info.rcWork);
}
} // namespace

void FensterpositionSpeichern(TComponent* owner, const TEinstellungsZugriff& z) {
    TForm* form = dynamic_cast<TForm*>(owner);
    if (!form || Fest800x600(form, false)) return;
    // A minimized window is kept as what it returns to.
    const bool minimiert = form->WindowState() == wsMinimized;
    const bool maximiert = form->WindowState() == wsMaximized || (minimiert && form->RestoresMaximized());
    const bool links = form->Align() == alLeft;
    const bool rechts = form->Align() == alRight;
    z.JaNeinSchreiben(kMaximiert, maximiert);
    z.JaNeinSchreiben(kLinks, links);
    z.JaNeinSchreiben(kRechts, rechts);
    if (maximiert) return;
    const RECT r = minimiert ? form->NormalBoundsRect() : form->BoundsRect();
    if (links || rechts) {
        z.IntegerSchreiben(kBreite, r.right - r.left);
        return;
    }
    z.IntegerSchreiben(kOben, r.top);
    z.IntegerSchreiben(kLinkerRand, r.left);
    z.IntegerSchreiben(kBreite, r.right - r.left);
    z.IntegerSchreiben(kHoehe, r.bottom - r.top);
}

void FensterpositionLaden(TComponent* owner, const TEinstellungsZugriff& z) {
    TForm* form = dynamic_cast<TForm*>(owner);
    if (!form) return;
    if (Fest800x600(form, true)) {
        if (!form->Visible() && form->Position() != poDesktopCenter) form->SetPosition(poDesktopCenter);
        form->SetWindowState(wsNormal);
        form->SetHeight(600);
        form->SetWidth(800);
        return;
    }
    if (z.JaNeinLesen(kMaximiert, form->WindowState() == wsMaximized)) {
        if (form->FormStyle() == fsNormal || form->FormStyle() == fsMDIChild) {
            if (form->Position() == poDefault) form->SetPosition(poDesigned);
            form->SetPosition(poDefault);
        }
        form->SetWindowState(wsMaximized);
        return;
    }
    if (z.JaNeinLesen(kLinks, form->Align() == alLeft)) form->SetAlign(alLeft);
    if (z.JaNeinLesen(kRechts, form->Align() == alRight)) form->SetAlign(alRight);
    const int oben = z.IntegerLesen(kOben, form->Top());
    const int links = z.IntegerLesen(kLinkerRand, form->Left());
    const int breite = z.IntegerLesen(kBreite, form->Width());
    const int hoehe = z.IntegerLesen(kHoehe, form->Height());
    // An aligned window takes its place from the work area; only its width counts.
    const bool ausgerichtet = form->Align() == alLeft || form->Align() == alRight;
    if (!ausgerichtet && !Erreichbar(RECT{links, oben, links + breite, oben + hoehe})) return;
    form->SetTop(oben);
    form->SetLeft(links);
    form->SetWidth(breite);
    form->SetHeight(hoehe);
}
