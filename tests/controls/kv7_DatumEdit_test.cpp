#include "controls/kv7_DatumEdit.h"
#include "settings/kv7_Parameter.h"
#include "toolkit/Forms.h"
#include "util/kv7_date.h"
#include "IniText.h"
#include "Programmdatum.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
TDateTime D(int j, int m, int t) {
    return EncodeDate(j, m, t);
}
const TDateTime kHeute = D(2024, 3, 20);

struct DatumForm : TForm {
    explicit DatumForm(TComponent* owner) : TForm(owner) {
        SetName(L"DatumForm");
        edit = new TkivDatumEdit(this);
        edit->SetName(L"de_Datum");
        edit->SetTag(1);
        edit->SetParent(this);
        edit->SetBounds(10, 10, 120, 22);
        edit->OnChange = [this](TComponent*) { aenderungen.push_back(edit->Date()); };
    }
    TkivDatumEdit* edit;
    std::vector<TDateTime> aenderungen;
};

class DatumEdit : public ::testing::Test {
protected:
    void SetUp() override {
        if (!StartMitProgrammdatum(kHeute)) GTEST_SKIP() << "the program date was fixed before";
        f = Application()->CreateForm<DatumForm>();
        f->Show();
        f->edit->SetFocus();
        Pump();
    }
    void TearDown() override {
        if (f) f->Free();
    }
    // The click goes where the user's would: to the window at that point, which on one system
    // is a check box window of the picker's own.
    void Klick(HWND wnd, int x, int y) {
        POINT pt{x, y};
        HWND ziel = ChildWindowFromPointEx(wnd, pt, CWP_SKIPINVISIBLE);
        if (ziel && ziel != wnd)
            MapWindowPoints(wnd, ziel, &pt, 1);
        else
            ziel = wnd;
        PostMessageW(ziel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PostMessageW(ziel, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Pump();
    }
    DatumForm* f = nullptr;
};

// The point of the open calendar where it shows the day, found by asking the calendar.
bool TagImKalender(HWND kalender, TDateTime tag, POINT& punkt) {
    RECT r;
    GetClientRect(kalender, &r);
    int j, m, t;
    DecodeDate(tag, j, m, t);
    for (int y = 0; y < r.bottom; y += 3)
        for (int x = 0; x < r.right; x += 3) {
            MCHITTESTINFO hit{};
            hit.cbSize = MCHITTESTINFO_V1_SIZE;
            hit.pt = {x, y};
            if (SendMessageW(kalender, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == MCHT_CALENDARDATE &&
                hit.st.wYear == j && hit.st.wMonth == m && hit.st.wDay == t) {
                punkt = {x, y};
                return true;
            }
        }
    return false;
}
} // namespace

// 0 and the null date empty the field, and so does a day the picker cannot show; every other
// value reads back as written, time of day included, before and after the window exists.
// OnChange follows every change and nothing else.
TEST_F(DatumEdit, WrittenDatesReadBackAndEmptyValuesEmptyIt) {
    struct Fall {
        TDateTime geschrieben, gelesen;
    };
    const TDateTime mittag = D(2024, 3, 15) + 0.5;
    const Fall faelle[] = {
        {mittag, mittag},
        {mittag, mittag}, // unchanged: no event
        {0, DatumLeer},   // 30.12.1899 counts as no date
        {D(1850, 6, 1), D(1850, 6, 1)},
        {DatumLeer, DatumLeer},
        {D(1700, 1, 1), DatumLeer}, // before the picker's calendar
        {D(9999, 12, 31), DatumLeer},
        {D(1753, 1, 1), D(1753, 1, 1)},
        {D(9998, 12, 31), D(9998, 12, 31)},
    };
    auto* ohneFenster = new TkivDatumEdit(f);
    for (const Fall& fall : faelle) {
        f->edit->SetDate(fall.geschrieben);
        ohneFenster->SetDate(fall.geschrieben);
        EXPECT_EQ(f->edit->Date(), fall.gelesen) << fall.geschrieben;
        EXPECT_EQ(ohneFenster->Date(), fall.gelesen) << fall.geschrieben;
    }
    EXPECT_EQ(f->aenderungen, (std::vector<TDateTime>{mittag, DatumLeer, D(1850, 6, 1), DatumLeer,
                                                      D(1753, 1, 1), D(9998, 12, 31)}));
    ohneFenster->SetDate(mittag);
    ohneFenster->SetParent(f); // the window shows what was written before it existed
    EXPECT_TRUE(ohneFenster->HandleAllocated());
    EXPECT_EQ(ohneFenster->Date(), mittag);
    wchar_t text[32] = {};
    GetWindowTextW(ohneFenster->Handle(), text, 32);
    EXPECT_STREQ(text, L"15.03.2024");
}

// What the user does on the real picker: a click on the day's digits selects it for typing and
// the arrow keys, Entf empties the field and the space bar fills it again, the check box in front
// of the date empties and fills it too. Each change is one OnChange.
TEST_F(DatumEdit, TheUserTypesStepsEmptiesAndFillsTheField) {
    HWND wnd = f->edit->Handle();
    RECT r;
    GetClientRect(wnd, &r);
    const int mitte = r.bottom / 2;
    // Where the day's digits are depends on the font and the check box: the first place right of
    // the check box where typing two digits sets the day.
    int tagX = 0;
    for (int x = 14; x < r.right / 2 && !tagX; x += 2) {
        f->edit->SetDate(D(2024, 3, 15));
        Klick(wnd, x, mitte);
        PressKey('0');
        PressKey('7');
        if (f->edit->Date() == D(2024, 3, 7)) tagX = x;
    }
    ASSERT_NE(tagX, 0) << "typing into the day did not work anywhere";
    // The field takes from the user no day it could not keep: not 30.12.1899, which stands for no
    // date, and no year after 9998.
    f->edit->SetDate(D(1899, 12, 15));
    Klick(wnd, tagX, mitte);
    PressKey('3');
    PressKey('0');
    EXPECT_EQ(f->edit->Date(), D(1899, 12, 15));
    int jahrX = 0;
    for (int x = tagX + 10; x < r.right - 20 && !jahrX; x += 3) {
        f->edit->SetDate(D(2024, 3, 15));
        Klick(wnd, x, mitte);
        PressKey(VK_UP);
        if (f->edit->Date() == D(2025, 3, 15)) jahrX = x;
    }
    ASSERT_NE(jahrX, 0) << "the year was found nowhere";
    f->edit->SetDate(D(9998, 3, 15));
    Klick(wnd, jahrX, mitte);
    PressKey(VK_UP);
    EXPECT_TRUE(TkivDatumEdit::Darstellbar(f->edit->Date())) << f->edit->Date();
    f->edit->SetDate(D(2024, 3, 7));
    f->aenderungen.clear();

    Klick(wnd, tagX, mitte);
    PressKey(VK_UP);
    EXPECT_EQ(f->edit->Date(), D(2024, 3, 8));
    PressKey(VK_DELETE);
    EXPECT_TRUE(f->edit->Leer());
    EXPECT_EQ(f->edit->Date(), DatumLeer);
    PressKey(VK_SPACE);
    EXPECT_EQ(f->edit->Date(), D(2024, 3, 8));

    Klick(wnd, 8, mitte); // the check box
    EXPECT_EQ(f->edit->Date(), DatumLeer);
    Klick(wnd, 8, mitte);
    EXPECT_EQ(f->edit->Date(), D(2024, 3, 8));
    EXPECT_EQ(f->aenderungen,
              (std::vector<TDateTime>{D(2024, 3, 8), DatumLeer, D(2024, 3, 8), DatumLeer, D(2024, 3, 8)}));
}

// The button at the right edge drops the month calendar down; a click on a day takes it and
// closes the calendar.
TEST_F(DatumEdit, TheDropDownCalendarSetsTheDay) {
    f->edit->SetDate(D(2024, 3, 15));
    f->aenderungen.clear();
    HWND wnd = f->edit->Handle();
    RECT r;
    GetClientRect(wnd, &r);
    Klick(wnd, r.right - 6, r.bottom / 2);
    ASSERT_TRUE(f->edit->DroppedDown());
    HWND kalender = reinterpret_cast<HWND>(SendMessageW(wnd, DTM_GETMONTHCAL, 0, 0));
    ASSERT_TRUE(kalender && IsWindowVisible(kalender));
    POINT tag;
    ASSERT_TRUE(TagImKalender(kalender, D(2024, 3, 21), tag));
    Klick(kalender, tag.x, tag.y);
    EXPECT_FALSE(f->edit->DroppedDown());
    EXPECT_EQ(f->edit->Date(), D(2024, 3, 21));
    EXPECT_EQ(f->aenderungen, std::vector<TDateTime>{D(2024, 3, 21)});
}

// The settings store keeps the day (not the time) and an empty field as an empty value, which
// comes back empty; a missing key leaves the field as it is.
TEST_F(DatumEdit, TheSettingsStoreKeepsTheDayAndTheEmptyField) {
    TestOrdner ordner;
    const String datei = ordner / L"datum.ini";
    auto laden = [&](TDateTime vorher) {
        auto* g = Application()->CreateForm<DatumForm>();
        g->edit->SetDate(vorher);
        auto* par = new TkivParameter(g);
        par->SetDateiName(datei);
        par->SetTagInclusive(1);
        par->Laden();
        TDateTime gelesen = g->edit->Date();
        g->Free();
        return gelesen;
    };
    auto* par = new TkivParameter(f);
    par->SetDateiName(datei);
    par->SetTagInclusive(1);

    f->edit->SetDate(D(2024, 3, 15) + 0.75);
    par->Speichern();
    EXPECT_EQ(IniZeilen(datei), (std::vector<String>{L"[DatumForm]", L"de_Datum=15.03.2024"}));
    EXPECT_EQ(laden(D(2000, 1, 1)), D(2024, 3, 15));

    f->edit->SetDate(DatumLeer);
    par->Speichern();
    EXPECT_EQ(IniZeilen(datei), (std::vector<String>{L"[DatumForm]", L"de_Datum="}));
    EXPECT_EQ(laden(D(2000, 1, 1)), DatumLeer);

    Schreiben(datei, "[DatumForm]\r\nde_Datum=kein Datum\r\n");
    EXPECT_EQ(laden(D(2000, 1, 1)), D(2000, 1, 1));
    Schreiben(datei, "[DatumForm]\r\n");
    EXPECT_EQ(laden(D(2000, 1, 1)), D(2000, 1, 1));
}
