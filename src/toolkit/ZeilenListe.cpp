#include "toolkit/ZeilenListe.h"

#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "util/Zeilenpuffer.h"

#include <algorithm>

class TZeilenListe::TZeilen : public TStrings {
public:
    explicit TZeilen(TZeilenListe* liste) : liste_(liste) {}

    int Count() const override { return puffer.Anzahl(); }

    String Get(int index) const override {
        PruefeIndex(index, false);
        return puffer.Zeile(index);
    }

    void Insert(int index, const String& s) override {
        PruefeIndex(index, true);
        if (index == Count()) {
            AddAt(s);
            return;
        }
        std::vector<String> alle = ToVector();
        alle.insert(alle.begin() + index, s);
        Neu(alle);
    }

    void Put(int index, const String& s) override {
        PruefeIndex(index, false);
        std::vector<String> alle = ToVector();
        alle[static_cast<size_t>(index)] = s;
        Neu(alle);
    }

    void Delete(int index) override {
        PruefeIndex(index, false);
        std::vector<String> alle = ToVector();
        alle.erase(alle.begin() + index);
        Neu(alle);
    }

    void Clear() override { Neu({}); }

    TZeilenpuffer puffer;

protected:
    // Between BeginUpdate and EndUpdate the window hears of the new lines once, at the end.
    int AddAt(const String& s) override {
        puffer.Anhaengen(s);
        if (UpdateCount() == 0) liste_->Zeigen(false);
        return Count() - 1;
    }

    void SetUpdateState(bool updating) override {
        if (!updating) liste_->Zeigen(false);
    }

private:
    void PruefeIndex(int index, bool endeErlaubt) const {
        if (index < 0 || index > Count() - (endeErlaubt ? 0 : 1))
            throw Exception(Format(L"Listenindex überschreitet das Maximum (%d)", index));
    }

    void Neu(const std::vector<String>& alle) {
        puffer.Leeren();
        for (const String& s : alle)
            puffer.Anhaengen(s);
        liste_->Zeigen(true);
    }

    TZeilenListe* liste_;
};

TZeilenListe::TZeilenListe(TComponent* owner) : TWinControl(owner), zeilen_(std::make_unique<TZeilen>(this)) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
}

TZeilenListe::~TZeilenListe() = default;

TStrings& TZeilenListe::Lines() {
    return *zeilen_;
}

size_t TZeilenListe::Bytes() const {
    return zeilen_->puffer.Bytes();
}

void TZeilenListe::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"LISTBOX";
    p.style |= LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL;
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void TZeilenListe::CreateWnd() {
    TWinControl::CreateWnd();
    ZeilenHoeheSetzen();
    Zeigen(true);
}

void TZeilenListe::FontChanged() {
    TWinControl::FontChanged();
    if (!HandleAllocated()) return;
    ZeilenHoeheSetzen();
    Zeigen(true);
}

void TZeilenListe::ZeilenHoeheSetzen() {
    HDC dc = GetDC(WindowHandle());
    HGDIOBJ alt = SelectObject(dc, Font().Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, alt);
    ReleaseDC(WindowHandle(), dc);
    SendMessageW(WindowHandle(), LB_SETITEMHEIGHT, 0, std::max<LONG>(tm.tmHeight, 1));
}

// The width the horizontal scroll bar must reach: the longest of the lines in characters is
// measured, which spares measuring every line of a long run.
int TZeilenListe::Breite(int von, int bis) {
    int laengste = -1, laenge = laengste_;
    for (int i = von; i < bis; ++i) {
        int n = zeilen_->puffer.Laenge(i);
        if (n > laenge) laenge = n, laengste = i;
    }
    if (laengste < 0) return breite_;
    laengste_ = laenge;
    String zeile = zeilen_->puffer.Zeile(laengste);
    HDC dc = GetDC(WindowHandle());
    HGDIOBJ alt = SelectObject(dc, Font().Handle());
    SIZE groesse{};
    GetTextExtentPoint32W(dc, zeile.c_str(), static_cast<int>(zeile.size()), &groesse);
    SelectObject(dc, alt);
    ReleaseDC(WindowHandle(), dc);
    return breite_ = std::max(breite_, static_cast<int>(groesse.cx) + 4);
}

void TZeilenListe::Zeigen(bool alleNeu) {
    HWND wnd = WindowHandle();
    if (!wnd) return;
    const int n = zeilen_->Count();
    if (alleNeu) gezeigt_ = laengste_ = breite_ = 0;
    if (n == gezeigt_ && !alleNeu) return;
    if (alleNeu) SendMessageW(wnd, LB_SETSEL, FALSE, -1);
    SendMessageW(wnd, LB_SETCOUNT, static_cast<WPARAM>(n), 0);
    SendMessageW(wnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Breite(gezeigt_, n)), 0);
    gezeigt_ = n;
    if (n > 0) SendMessageW(wnd, LB_SETTOPINDEX, static_cast<WPARAM>(n - 1), 0);
    InvalidateRect(wnd, nullptr, TRUE);
}

void TZeilenListe::CNDrawItem(DRAWITEMSTRUCT& d) {
    const bool gewaehlt = d.itemState & ODS_SELECTED;
    if (d.itemID != static_cast<UINT>(-1) && static_cast<int>(d.itemID) < zeilen_->Count()) {
        const int index = static_cast<int>(d.itemID);
        zeichnen_.resize(static_cast<size_t>(zeilen_->puffer.Laenge(index)) + 1);
        int n = zeilen_->puffer.ZeileLesen(index, zeichnen_.data(), static_cast<int>(zeichnen_.size()));
        HGDIOBJ alt = SelectObject(d.hDC, Font().Handle());
        SetTextColor(d.hDC, gewaehlt ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(Font().Color()));
        SetBkColor(d.hDC, gewaehlt ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(Color()));
        ExtTextOutW(d.hDC, d.rcItem.left + 2, d.rcItem.top, ETO_OPAQUE | ETO_CLIPPED, &d.rcItem,
                    zeichnen_.data(), static_cast<UINT>(n), nullptr);
        SelectObject(d.hDC, alt);
    }
    if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

String TZeilenListe::AuswahlText() const {
    HWND wnd = WindowHandle();
    if (!wnd) return String();
    LRESULT anzahl = SendMessageW(wnd, LB_GETSELCOUNT, 0, 0);
    if (anzahl <= 0) return String();
    std::vector<int> gewaehlt(static_cast<size_t>(anzahl));
    anzahl = SendMessageW(wnd, LB_GETSELITEMS, static_cast<WPARAM>(anzahl), reinterpret_cast<LPARAM>(gewaehlt.data()));
    String text;
    for (int i = 0; i < anzahl; ++i)
        if (gewaehlt[static_cast<size_t>(i)] < zeilen_->Count())
            text += zeilen_->puffer.Zeile(gewaehlt[static_cast<size_t>(i)]) + L"\r\n";
    return text;
}

bool TZeilenListe::Taste(WPARAM taste) {
    if (!(GetKeyState(VK_CONTROL) & 0x8000)) return false;
    if (taste == 'C') {
        String text = AuswahlText();
        if (!text.empty()) InZwischenablage(text);
        return true;
    }
    if (taste == 'A' && zeilen_->Count() > 0) {
        SendMessageW(WindowHandle(), LB_SELITEMRANGEEX, 0, zeilen_->Count() - 1);
        return true;
    }
    return false;
}

void TZeilenListe::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_KEYDOWN:
        if (Taste(m.WParam)) {
            m.Result = 0;
            return;
        }
        break;
    case WM_CHAR: // the control characters of Ctrl+C and Ctrl+A would start a search for a line
        if (m.WParam < L' ') {
            m.Result = 0;
            return;
        }
        break;
    case WM_VSCROLL:
        // The message carries 16 bits of the thumb's position; a list of more lines than that
        // reads the full position from the scroll bar.
        if (LOWORD(m.WParam) == SB_THUMBTRACK || LOWORD(m.WParam) == SB_THUMBPOSITION) {
            SCROLLINFO si{sizeof si, SIF_TRACKPOS};
            GetScrollInfo(WindowHandle(), SB_VERT, &si);
            SendMessageW(WindowHandle(), LB_SETTOPINDEX, static_cast<WPARAM>(si.nTrackPos), 0);
            m.Result = 0;
            return;
        }
        break;
    }
    TWinControl::WndProc(m);
}
