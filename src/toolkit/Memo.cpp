#include "toolkit/StdCtrls.h"

#include "toolkit/SysUtils.h"

namespace {
// Messages after which the edit's text is certainly what it was; every other one may change it.
bool LeavesTextAlone(UINT msg) {
    switch (msg) {
    case EM_GETLINECOUNT:
    case EM_LINEINDEX:
    case EM_LINELENGTH:
    case EM_GETLINE:
    case EM_GETSEL:
    case EM_SETSEL:
    case EM_LINEFROMCHAR:
    case EM_GETFIRSTVISIBLELINE:
    case EM_SCROLLCARET:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETDLGCODE:
    case WM_GETFONT:
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_SETREDRAW:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_MOUSEACTIVATE:
    case WM_TIMER:
    case WM_MOVE:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case WM_SHOWWINDOW:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
        return true;
    default:
        return false;
    }
}
} // namespace

// Reads and writes the memo's window; before the window exists, the text kept for it, by the
// same line rules as the EDIT control (lines broken at CR LF).
class TMemo::TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TMemo* memo) : memo_(memo) {}

    int Count() const override {
        Flush();
        if (cached_ && memo_->WindowHandle())
            return static_cast<int>(cache_.size()) - (cache_.back().empty() ? 1 : 0);
        int count = RawLineCount();
        if (LineLength(LineStart(count - 1)) == 0) --count;
        return count;
    }

    String Get(int index) const override {
        CheckIndex(index, false);
        if (Cached()) return cache_[static_cast<size_t>(index)];
        int start = LineStart(index);
        int length = LineLength(start);
        HWND wnd = memo_->WindowHandle();
        if (!wnd) return memo_->text_.substr(static_cast<size_t>(start), static_cast<size_t>(length));
        if (length <= 0) return String();
        // EM_GETLINE takes the buffer size in its first character and adds no terminator.
        String line(static_cast<size_t>(length), L'\0');
        line[0] = static_cast<wchar_t>(length);
        LRESULT copied = SendMessageW(wnd, EM_GETLINE, index, reinterpret_cast<LPARAM>(line.data()));
        line.resize(static_cast<size_t>(copied));
        return line;
    }

    void Put(int index, const String& s) override {
        CheckIndex(index, false);
        int start = LineStart(index);
        Replace(start, start + LineLength(start), s);
    }

    void Insert(int index, const String& s) override {
        CheckIndex(index, true);
        if (index == Count()) {
            Append({s});
            return;
        }
        int start = LineStart(index);
        Replace(start, start, s + L"\r\n");
    }

    void Delete(int index) override {
        CheckIndex(index, false);
        int start = LineStart(index);
        int end = LineStart(index + 1);
        if (end < 0) end = start + LineLength(start);
        Replace(start, end, L"");
    }

    void Clear() override {
        pending_.clear();
        memo_->SetText(L"");
    }

    void SetText(const String& text) override {
        String normal;
        normal.reserve(text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            wchar_t c = text[i];
            if (c == L'\r' || c == L'\n') {
                normal += L"\r\n";
                if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            } else {
                normal += c;
            }
        }
        pending_.clear();
        memo_->SetText(normal);
    }

    // The window's text changed, or may have: the lines are read from it again when next asked.
    void Invalidate() {
        if (!cached_) return;
        cached_ = false;
        std::vector<String>().swap(cache_);
    }

    // Lines added between BeginUpdate and EndUpdate reach the window together, as one change.
    void Flush() const {
        if (pending_.empty()) return;
        std::vector<String> lines;
        lines.swap(pending_);
        const_cast<TMemoStrings*>(this)->Append(lines);
    }

protected:
    int AddAt(const String& s) override {
        if (UpdateCount() > 0 && memo_->WindowHandle()) {
            if (pending_.empty()) pendingBase_ = Count();
            pending_.push_back(s);
            return pendingBase_ + static_cast<int>(pending_.size()) - 1;
        }
        Flush();
        Append({s});
        return Count() - 1;
    }

    void SetUpdateState(bool updating) override {
        if (!updating) Flush();
        if (HWND wnd = memo_->WindowHandle()) {
            SendMessageW(wnd, WM_SETREDRAW, !updating, 0);
            if (!updating) InvalidateRect(wnd, nullptr, TRUE);
        }
    }

private:
    // Each line read through the window costs several messages, and a list scanned line by line
    // for every file of a backup would ask thousands: while the text stays as it is, its lines
    // are kept here. Wrapped lines are the window's to count, so a wrapping memo always asks.
    bool Cached() const {
        HWND wnd = memo_->WindowHandle();
        if (!wnd || memo_->wordWrap_) return false;
        if (cached_) return true;
        String text(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
        cache_.clear();
        size_t start = 0;
        for (size_t p = text.find(L"\r\n"); p != String::npos; p = text.find(L"\r\n", start)) {
            cache_.push_back(text.substr(start, p - start));
            start = p + 2;
        }
        cache_.push_back(text.substr(start));
        cached_ = true;
        return true;
    }

    void CheckIndex(int index, bool allowEnd) const {
        if (index < 0 || index > Count() - (allowEnd ? 0 : 1))
            throw Exception(Format(L"Listenindex überschreitet das Maximum (%d)", index));
    }

    // After a final line break the new lines are terminated like the others; a last line
    // without one gets the break in front.
    void Append(const std::vector<String>& lines) {
        bool endsWithBreak = LineLength(LineStart(RawLineCount() - 1)) == 0;
        String block;
        for (const String& line : lines) {
            if (!endsWithBreak) block += L"\r\n";
            block += line;
            if (endsWithBreak) block += L"\r\n";
        }
        int end = TextLength();
        Replace(end, end, block);
    }

    // Lines including the empty one after a final break; an empty text has one.
    int RawLineCount() const {
        if (HWND wnd = memo_->WindowHandle())
            return static_cast<int>(SendMessageW(wnd, EM_GETLINECOUNT, 0, 0));
        const String& t = memo_->text_;
        int n = 1;
        for (size_t p = t.find(L"\r\n"); p != String::npos; p = t.find(L"\r\n", p + 2))
            ++n;
        return n;
    }

    // Character position where line starts, -1 past the last.
    int LineStart(int line) const {
        if (HWND wnd = memo_->WindowHandle())
            return static_cast<int>(SendMessageW(wnd, EM_LINEINDEX, line, 0));
        if (line < 0) return -1;
        const String& t = memo_->text_;
        size_t p = 0;
        for (int i = 0; i < line; ++i) {
            p = t.find(L"\r\n", p);
            if (p == String::npos) return -1;
            p += 2;
        }
        return static_cast<int>(p);
    }

    int LineLength(int start) const {
        if (start < 0) return 0;
        if (HWND wnd = memo_->WindowHandle())
            return static_cast<int>(SendMessageW(wnd, EM_LINELENGTH, start, 0));
        const String& t = memo_->text_;
        size_t end = t.find(L"\r\n", static_cast<size_t>(start));
        return static_cast<int>((end == String::npos ? t.size() : end) - static_cast<size_t>(start));
    }

    int TextLength() const {
        if (HWND wnd = memo_->WindowHandle()) return GetWindowTextLengthW(wnd);
        return static_cast<int>(memo_->text_.size());
    }

    // In the window the edit reports the change itself (EN_CHANGE), as for the user's typing.
    void Replace(int start, int end, const String& s) {
        HWND wnd = memo_->WindowHandle();
        if (!wnd) {
            String t = memo_->text_;
            t.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), s);
            memo_->SetText(t);
            return;
        }
        SendMessageW(wnd, EM_SETSEL, static_cast<WPARAM>(start), end);
        SendMessageW(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(s.c_str()));
    }

    TMemo* memo_;
    mutable std::vector<String> pending_;
    int pendingBase_ = 0;
    mutable std::vector<String> cache_; // the window's lines, the empty one after a final break too
    mutable bool cached_ = false;
};

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this)) {
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

TStrings& TMemo::Lines() {
    return *lines_;
}

String TMemo::GetText() const {
    lines_->Flush();
    return TCustomEdit::GetText();
}

void TMemo::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (wordWrap_) p.style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (wantReturns_) p.style |= ES_WANTRETURN;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.style |= WS_VSCROLL;
    if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_) p.style |= WS_HSCROLL;
}

// A window made anew starts from what it was given, whatever was read from the last one.
void TMemo::CreateWnd() {
    lines_->Invalidate();
    TCustomEdit::CreateWnd();
}

// Tab moves on unless the memo wants tabs; Return and Escape reach the form unless it wants returns.
void TMemo::WndProc(TMessage& m) {
    // Before and after: a notification sent while the text changes may already have read it.
    const bool changes = !LeavesTextAlone(m.Msg);
    if (changes) lines_->Invalidate();
    TCustomEdit::WndProc(m);
    if (changes) lines_->Invalidate();
    if (m.Msg != WM_GETDLGCODE) return;
    if (wantTabs_)
        m.Result |= DLGC_WANTTAB;
    else
        m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!wantReturns_) m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

void TMemo::SetScrollBars(TScrollStyle scrollBars) {
    if (scrollBars == scrollBars_) return;
    scrollBars_ = scrollBars;
    RecreateWnd();
}

void TMemo::SetWordWrap(bool wordWrap) {
    if (wordWrap == wordWrap_) return;
    wordWrap_ = wordWrap;
    RecreateWnd();
}

void TMemo::SetWantReturns(bool wantReturns) {
    if (wantReturns == wantReturns_) return;
    wantReturns_ = wantReturns;
    SetStyleBit(ES_WANTRETURN, wantReturns_);
}

void TMemo::SetWantTabs(bool wantTabs) {
    wantTabs_ = wantTabs;
}
