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
} // namespace

void FensterpositionSpeichern(TComponent* owner, const TEinstellungsZugriff& z) {
    TForm* form = dynamic_cast<TForm*>(owner);
    if (!form || Fest800x600(form, false)) return;
    const bool maximiert = form->WindowState() == wsMaximized;
    const bool links = form->Align() == alLeft;
    const bool rechts = form->Align() == alRight;
    z.JaNeinSchreiben(kMaximiert, maximiert);
    z.JaNeinSchreiben(kLinks, links);
    z.JaNeinSchreiben(kRechts, rechts);
    if (maximiert) return;
    if (links || rechts) {
        z.IntegerSchreiben(kBreite, form->Width());
        return;
    }
    z.IntegerSchreiben(kOben, form->Top());
    z.IntegerSchreiben(kLinkerRand, form->Left());
    z.IntegerSchreiben(kBreite, form->Width());
    z.IntegerSchreiben(kHoehe, form->Height());
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
    form->SetTop(z.IntegerLesen(kOben, form->Top()));
    form->SetLeft(z.IntegerLesen(kLinkerRand, form->Left()));
    form->SetWidth(z.IntegerLesen(kBreite, form->Width()));
    form->SetHeight(z.IntegerLesen(kHoehe, form->Height()));
}
