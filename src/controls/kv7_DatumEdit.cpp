#include "controls/kv7_DatumEdit.h"

#include "settings/Einstellungsarten.h"
#include "settings/Einstellungswerte.h"
#include "util/kv7_date.h"
#include "util/kv7_str.h"

namespace {
using Z = const TEinstellungsZugriff&;

// The picker's calendar reaches back to 1752 on one system and forward to the day before
// 31.12.9999 on the other; these days hold on both.
const TDateTime kErster = EncodeDate(1753, 1, 1);
const TDateTime kLetzter = EncodeDate(9998, 12, 31);

SYSTEMTIME Systemzeit(TDateTime d) {
    int jahr, monat, tag, stunde, minute, sekunde, milli;
    DecodeDate(d, jahr, monat, tag);
    DecodeTime(d, stunde, minute, sekunde, milli);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(jahr);
    st.wMonth = static_cast<WORD>(monat);
    st.wDay = static_cast<WORD>(tag);
    st.wHour = static_cast<WORD>(stunde);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(sekunde);
    st.wMilliseconds = static_cast<WORD>(milli);
    return st;
}

// An empty field is stored as an empty value and comes back empty; a missing key leaves the field
// as it is, a value that is no date as well.
void Laden(TkivDatumEdit& e, Z z) {
    const String wert = z.TextLesen(e.Name(), L"@#@");
    if (wert == L"@#@") return;
    TDateTime datum = e.Date();
    if (Trimmen(wert).empty())
        e.SetDate(DatumLeer);
    else if (WertZuDatum(wert, datum))
        e.SetDate(datum);
}

void Speichern(TkivDatumEdit& e, Z z) {
    if (e.Leer())
        z.TextSchreiben(e.Name(), L"");
    else
        z.DatumSchreiben(e.Name(), e.Date());
}
} // namespace

bool TkivDatumEdit::Darstellbar(TDateTime d) {
    return DateOf(d) != 0 && DateOf(d) >= kErster && DateOf(d) <= kLetzter;
}

TkivDatumEdit::TkivDatumEdit(TComponent* owner) : TWinControl(owner), zuletzt_(ProgramDate()) {
    static const bool registriert =
        (EinstellungsartRegistrieren<TkivDatumEdit>(TArtZeile::DateEdit, Laden, Speichern), true);
    (void)registriert;
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 100, 21);
}

void TkivDatumEdit::CreateParams(TCreateParams& p) {
    static const bool klassen = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)klassen;
    TWinControl::CreateParams(p);
    p.sysClass = DATETIMEPICK_CLASSW;
    p.style |= DTS_SHORTDATEFORMAT | DTS_SHOWNONE;
    p.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

// The picker takes no day the setter would refuse, so whatever the user enters can be stored and
// comes back.
void TkivDatumEdit::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(WindowHandle(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"dd.MM.yyyy"));
    SYSTEMTIME grenzen[2] = {Systemzeit(kErster), Systemzeit(kLetzter)};
    grenzen[1].wHour = 23;
    grenzen[1].wMinute = 59;
    grenzen[1].wSecond = 59;
    SendMessageW(WindowHandle(), DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(grenzen));
    Zeigen();
}

void TkivDatumEdit::DestroyWnd() {
    if (!Destroying()) date_ = Date();
    droppedDown_ = false;
    TWinControl::DestroyWnd();
}

TDateTime TkivDatumEdit::Date() const {
    if (!WindowHandle()) return date_;
    SYSTEMTIME st{};
    if (SendMessageW(WindowHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        return DatumLeer;
    TDateTime tag;
    if (!TryEncodeDate(st.wYear, st.wMonth, st.wDay, tag)) return DatumLeer;
    return DatumUndZeit(tag, EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds));
}

void TkivDatumEdit::SetDate(TDateTime date) {
    if (!Darstellbar(date)) date = DatumLeer;
    if (date == Date()) return;
    date_ = date;
    if (date != DatumLeer) zuletzt_ = date;
    Zeigen();
    if (OnChange) OnChange(this);
}

// The empty state still shows a date, greyed: the one the space bar brings back. One system
// wants a time even for the empty state.
void TkivDatumEdit::Zeigen() {
    if (!WindowHandle()) return;
    SYSTEMTIME st = Systemzeit(date_ == DatumLeer ? zuletzt_ : date_);
    SendMessageW(WindowHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    if (date_ == DatumLeer)
        SendMessageW(WindowHandle(), DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&st));
}

// The user changed the field: typed, stepped, picked from the calendar or used the check box. The
// one day inside the range that stands for no date (30.12.1899) is not taken: the field goes back.
void TkivDatumEdit::Uebernehmen(TDateTime date) {
    if (date != DatumLeer && !Darstellbar(date)) {
        Zeigen();
        return;
    }
    if (date == date_) return;
    date_ = date;
    if (date != DatumLeer) zuletzt_ = date;
    if (OnChange) OnChange(this);
}

LRESULT TkivDatumEdit::CNNotify(NMHDR* header) {
    switch (header->code) {
    case DTN_DATETIMECHANGE:
        Uebernehmen(Date());
        break;
    case DTN_DROPDOWN:
        droppedDown_ = true;
        break;
    case DTN_CLOSEUP:
        droppedDown_ = false;
        break;
    }
    return 0;
}

void TkivDatumEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_KEYDOWN:
        if (m.WParam == VK_DELETE) {
            SetDate(DatumLeer);
            return;
        }
        if (m.WParam == VK_SPACE) {
            if (Leer()) SetDate(zuletzt_);
            return;
        }
        break;
    case WM_CHAR:
        if (m.WParam == L' ') return;
        break;
    }
    TWinControl::WndProc(m);
}
