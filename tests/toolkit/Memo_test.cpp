#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/SysUtils.h"
#include "WinInput.h"

#include <gtest/gtest.h>
#include <functional>

namespace {
struct MemoOnForm {
    MemoOnForm() {
        form = new TForm(nullptr);
        form->FinishCreate();
        memo = new TMemo(form);
        memo->SetParent(form);
        memo->OnChange = [this](TComponent*) { ++changes; };
    }
    ~MemoOnForm() { form->Free(); }
    TForm* form;
    TMemo* memo;
    int changes = 0;
};

String WindowText(HWND wnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(wnd, buffer, 256);
    return buffer;
}
} // namespace

// The same rules hold before the window exists and after.
TEST(TMemo, LinesCountAsShownWithoutTheEmptyLineAfterTheLastBreak) {
    for (bool withWindow : {false, true}) {
        MemoOnForm f;
        if (withWindow) f.form->HandleNeeded();
        TStrings& lines = f.memo->Lines();
        EXPECT_EQ(lines.Count(), 0);
        f.memo->SetText(L"\r\n");
        EXPECT_EQ(lines.Count(), 1);
        EXPECT_EQ(lines[0], L"");
        f.memo->SetText(L"a\r\n\r\n");
        EXPECT_EQ(lines.ToVector(), (std::vector<String>{L"a", L""}));
        f.memo->SetText(L"a");
        lines.Add(L"b"); // a last line without a break gets one in front
        EXPECT_EQ(f.memo->Text(), L"a\r\nb");
        f.memo->SetText(L"a\r\n");
        lines.Add(L"b"); // after a final break the new line ends with one
        EXPECT_EQ(f.memo->Text(), L"a\r\nb\r\n");
        lines.Insert(0, L"x");
        lines.Put(2, L"B");
        lines.Delete(1);
        EXPECT_EQ(f.memo->Text(), L"x\r\nB\r\n");
        EXPECT_THROW(lines.Get(2), Exception);
    }
}

TEST(TMemo, LinesAreALiveViewOfTheControlBothWays) {
    MemoOnForm f;
    f.memo->Lines().Add(L"vorher"); // kept until the window exists, then shown
    HWND wnd = f.memo->Handle();
    EXPECT_EQ(WindowText(wnd), L"vorher\r\n");
    f.memo->Lines().Add(L"C:\\Daten\\");
    EXPECT_EQ(WindowText(wnd), L"vorher\r\nC:\\Daten\\\r\n");
    SetWindowTextW(wnd, L"eins\r\nzwei"); // changed behind the wrapper's back
    EXPECT_EQ(f.memo->Lines().ToVector(), (std::vector<String>{L"eins", L"zwei"}));
    f.memo->Lines().SetText(L"a\nb\rc");
    EXPECT_EQ(WindowText(wnd), L"a\r\nb\r\nc");
}

TEST(TMemo, OnChangeFiresOnceForEveryChangeByProgramOrUser) {
    MemoOnForm f;
    f.form->Show();
    HWND wnd = f.memo->Handle();
    f.memo->SetText(L"abc");
    EXPECT_EQ(f.changes, 1);
    f.memo->SetText(L"abc"); // unchanged: nothing
    EXPECT_EQ(f.changes, 1);
    f.memo->Lines().Add(L"x");
    EXPECT_EQ(f.changes, 2);
    f.memo->Lines().Delete(0);
    EXPECT_EQ(f.changes, 3);
    f.memo->Lines().Clear();
    EXPECT_EQ(f.changes, 4);
    TypeChar(wnd, L'q');
    TypeChar(wnd, L'r');
    EXPECT_EQ(f.changes, 6);
    EXPECT_EQ(f.memo->Text(), L"qr");

    TEdit* edit = new TEdit(f.form); // a single-line edit reports a program change once too
    edit->SetParent(f.form);
    int editChanges = 0;
    edit->OnChange = [&](TComponent*) { ++editChanges; };
    edit->SetText(L"C:\\");
    EXPECT_EQ(editChanges, 1);
}

// Lines once read are kept while the text stays; every way the text can change shows at once.
TEST(TMemo, LinesReadBeforeFollowEveryLaterChange) {
    using Zeilen = std::vector<String>;
    struct Fall {
        const char* wie;
        std::function<void(TMemo*, HWND)> aendern;
        Zeilen danach;
    };
    const Fall faelle[] = {
        {"typed at the end",
         [](TMemo*, HWND w) {
             SendMessageW(w, EM_SETSEL, 100, 100);
             TypeChar(w, L'x');
         },
         {L"eins", L"zweix"}},
        {"Return typed",
         [](TMemo*, HWND w) {
             SendMessageW(w, EM_SETSEL, 100, 100);
             TypeChar(w, L'\r');
             TypeChar(w, L'y');
         },
         {L"eins", L"zwei", L"y"}},
        {"window text set behind the wrapper",
         [](TMemo*, HWND w) { SetWindowTextW(w, L"a\r\n\r\nc"); },
         {L"a", L"", L"c"}},
        {"selection replaced",
         [](TMemo*, HWND w) {
             SendMessageW(w, EM_SETSEL, 0, 4);
             SendMessageW(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"1\r\n2"));
         },
         {L"1", L"2", L"zwei"}},
        {"line put", [](TMemo* m, HWND) { m->Lines().Put(1, L"Zwei"); }, {L"eins", L"Zwei"}},
        {"undone",
         [](TMemo*, HWND w) {
             SendMessageW(w, EM_SETSEL, 0, 4);
             SendMessageW(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"drei"));
             SendMessageW(w, EM_UNDO, 0, 0);
         },
         {L"eins", L"zwei"}},
        {"window made anew", [](TMemo* m, HWND) { m->SetScrollBars(ssBoth); }, {L"eins", L"zwei"}},
        {"changed while the window was gone",
         [](TMemo* m, HWND) {
             TWinControl* parent = m->Parent();
             m->SetParent(nullptr);
             m->SetText(L"ohne\r\nFenster\r\n");
             m->SetParent(parent);
         },
         {L"ohne", L"Fenster"}},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.wie);
        MemoOnForm f;
        f.memo->SetWordWrap(false);
        f.form->Show();
        f.memo->SetText(L"eins\r\nzwei");
        EXPECT_EQ(f.memo->Lines().ToVector(), (Zeilen{L"eins", L"zwei"}));
        fall.aendern(f.memo, f.memo->Handle());
        EXPECT_EQ(f.memo->Lines().ToVector(), fall.danach);
        EXPECT_EQ(f.memo->Lines().Count(), static_cast<int>(fall.danach.size()));
    }
}

// Wine's EDIT walks its line list on every append, so 100 000 single appends would take minutes
// there; the bracketed ones reach the window together. Single appends follow beyond the old limit.
TEST(TMemo, TakesAHundredThousandAppendedLinesBeyondTheDefaultLimit) {
    MemoOnForm f;
    f.memo->SetScrollBars(ssVertical);
    f.memo->SetWordWrap(false);
    f.form->HandleNeeded();
    TStrings& lines = f.memo->Lines();
    lines.BeginUpdate();
    for (int i = 0; i < 100000; ++i)
        EXPECT_EQ(lines.Add(L"C:\\Daten\\Datei" + std::to_wstring(i) + L".txt"), i);
    lines.EndUpdate();
    EXPECT_EQ(f.changes, 1);
    EXPECT_GT(GetWindowTextLengthW(f.memo->Handle()), 2000000);
    for (int i = 0; i < 20; ++i)
        lines.Add(L"noch " + std::to_wstring(i));
    EXPECT_EQ(f.changes, 21);
    EXPECT_EQ(lines.Count(), 100020);
    EXPECT_EQ(lines[99999], L"C:\\Daten\\Datei99999.txt");
    EXPECT_EQ(lines[100019], L"noch 19");
}

TEST(TCustomEdit, ReadOnlyBorderlessEditAnswersItsColourRequestInButtonFace) {
    TForm* form = new TForm(nullptr);
    form->FinishCreate();
    auto* box = new TGroupBox(form);
    box->SetParent(form);
    auto* edit = new TEdit(form);
    edit->SetParent(box);
    edit->SetReadOnly(true);
    edit->SetBorderStyle(bsNone);
    edit->SetColor(clBtnFace);
    edit->SetTabStop(false);
    form->HandleNeeded();
    EXPECT_FALSE(GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_READONLY);
    // The group box is the edit's parent and hands the request on to the edit's wrapper.
    HDC dc = GetDC(edit->Handle());
    LRESULT brush = SendMessageW(box->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(edit->Handle()));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(COLOR_BTNFACE));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(edit->Handle(), dc);
    form->Free();
}
