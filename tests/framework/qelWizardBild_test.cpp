// What the screen shows of a two-page wizard. With SICHERUNG_BILDER set to a folder, each page
// is also written there as a bitmap file, to look at.
#include "framework/QelForm.h"
#include "framework/qelWizard.h"
#include "Bildschirmfoto.h"
#include "WinInput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {
void Schreiben(const Bild& b, const char* name) {
    const char* folder = std::getenv("SICHERUNG_BILDER");
    if (!folder) return;
    BITMAPINFOHEADER info{sizeof info, b.width, -b.height, 1, 32, BI_RGB};
    DWORD size = static_cast<DWORD>(b.pixels.size() * sizeof(DWORD));
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof info) + size, 0, 0,
                          static_cast<DWORD>(sizeof file + sizeof info)};
    std::ofstream out(std::string(folder) + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(b.pixels.data()), size);
}

struct Beispiel : TQelForm {
    explicit Beispiel(TComponent* owner) : TQelForm(owner) {
        SetCaption(L"Sicherung");
        SetBounds(60, 60, 640, 420);
        wizard = new TqelWizard(this);
        wizard->SetParent(this);
        for (const wchar_t* text : {L"Ordner und Dateien", L"Ergebnis"}) {
            auto* page = new TqelWizardPage(this);
            page->SetParent(wizard);
            auto* label = new TLabel(this);
            label->SetParent(page);
            label->SetBounds(20, 20, 0, 13);
            label->SetCaption(text);
            auto* memo = new TMemo(this);
            memo->SetParent(page);
            memo->SetBounds(20, 45, 400, 120);
        }
        wizard->BtnNext()->SetLast_Caption(L"Sichern");
        wizard->BtnNext()->SetLast_TAction(true);
    }
    TqelWizard* wizard;
};

} // namespace

TEST(TqelWizardBild, TheBarIsDrawnWhereTheTableSays) {
    auto* form = Application()->CreateForm<Beispiel>();
    form->Show();
    TqelWizard* w = form->wizard;
    for (int page = 0; page < 2; ++page) {
        Zeichnen(form->Handle());
        Bild b = Aufnehmen(form->Handle());
        Schreiben(b, page == 0 ? "wizard-seite1.bmp" : "wizard-seite2.bmp");
        ASSERT_EQ(b.width, w->Width());
        int H = w->Height(), W = w->Width();
        // The separator: a shadow line over a highlight line, 3 px in from both sides.
        EXPECT_EQ(b.At(W / 2, H - 36), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(b.At(W / 2, H - 35), GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_NE(b.At(2, H - 36), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(b.At(3, H - 36), GetSysColor(COLOR_BTNSHADOW));
        // Between Next and Cancel there is bar background, inside a button there is not.
        EXPECT_EQ(b.At(W - 100, H - 15), GetSysColor(COLOR_BTNFACE));
        EXPECT_NE(b.At(W - 95, H - 15), GetSysColor(COLOR_BTNFACE)); // Cancel's left frame
        w->ButtonClick(wbkNext);
    }
    form->Free();
}
