#include "settings/kv7_Parameter.h"
#include "sys/IniDokument.h"
#include "sys/Qel_ini.h"
#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"
#include "toolkit/StdCtrls.h"
#include "IniText.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {
using Zeilen = std::vector<String>;

struct Tam_Main : TForm {
    using TForm::TForm;
};
struct TfrListen : TFrame {
    using TFrame::TFrame;
};

// Memos keep their default size and word wrap: the long path of the example wraps on screen.
TMemo* Memo(TComponent* owner, TWinControl* parent, const wchar_t* name, Zeilen zeilen) {
    auto* m = new TMemo(owner);
    m->SetName(name);
    m->SetTag(99);
    m->SetParent(parent);
    for (const String& z : zeilen)
        m->Lines().Add(z);
    return m;
}

// The memo's lines as its text holds them; Lines would give the display lines of wrapped ones.
Zeilen Inhalt(const TMemo* m) {
    TStringList l;
    l.SetText(m->Text());
    return l.ToVector();
}

// The main window's store with its four lists, in the order the window owns them.
struct Hauptfenster {
    Tam_Main* form = Application()->CreateForm<Tam_Main>();
    TkivParameter* par = new TkivParameter(form);
    TMemo* ext;
    TMemo* dir;
    TMemo* einzel;
    TMemo* blacklist;
    Hauptfenster(const String& datei, Zeilen e = {}, Zeilen d = {}, Zeilen s = {}, Zeilen b = {}) {
        par->SetName(L"PAR");
        par->SetDateiName(datei);
        par->SetFormPosSizeSave(true);
        par->SetTagInclusive(99);
        ext = Memo(form, form, L"me_Ext", e);
        dir = Memo(form, form, L"me_Dir", d);
        einzel = Memo(form, form, L"me_Einzel", s);
        blacklist = Memo(form, form, L"me_Blacklist", b);
    }
    ~Hauptfenster() { form->Free(); }
};
} // namespace

TEST(Einstellungsdatei, MainWindowExampleByteForByte) {
    TestOrdner t;
    const String datei = t / L"Sicherung.ini";
    {
        Hauptfenster h(datei, {L".tmp", L".bak"}, {L"C:\\Users\\Benutzer\\Documents\\", L""},
                       {L"C:\\Users\\Benutzer\\Desktop\\Adressen.xls"}, {L"\\Cache\\"});
        h.form->SetBounds(412, 87, 561, 796);
        h.par->Speichern();
    }
    const Zeilen erwartet{L"[Tam_Main]",
                          L"__MAXIMIZED=0",
                          L"__ALIGNLEFT=0",
                          L"__ALIGNRIGHT=0",
                          L"__TOP=87",
                          L"__LEFT=412",
                          L"__WIDTH=561",
                          L"__HEIGHT=796",
                          L"me_Ext_0=.tmp",
                          L"me_Ext_1=.bak",
                          L"me_Dir_0=C:\\Users\\Benutzer\\Documents\\",
                          L"me_Dir_1=",
                          L"me_Einzel_0=C:\\Users\\Benutzer\\Desktop\\Adressen.xls",
                          L"me_Blacklist_0=\\Cache\\"};
    EXPECT_TRUE(HatUtf16Marke(datei));
    EXPECT_EQ(IniZeilen(datei), erwartet);
    String text;
    for (const String& z : erwartet)
        text += z + L"\r\n";
    EXPECT_EQ(Lesen(datei).size(), 2 + text.size() * sizeof(wchar_t));

    // Back into a window whose lists hold something else: the lists are replaced, the placement
    // applied; a second save gives the same file.
    Hauptfenster h(datei, {L"alt"}, {}, {L"x", L"y"}, {});
    h.par->Laden();
    EXPECT_EQ(Inhalt(h.ext), (Zeilen{L".tmp", L".bak"}));
    EXPECT_EQ(Inhalt(h.dir), (Zeilen{L"C:\\Users\\Benutzer\\Documents\\", L""}));
    EXPECT_EQ(Inhalt(h.einzel), (Zeilen{L"C:\\Users\\Benutzer\\Desktop\\Adressen.xls"}));
    EXPECT_EQ(Inhalt(h.blacklist), (Zeilen{L"\\Cache\\"}));
    EXPECT_EQ(h.form->BoundsRect().left, 412);
    EXPECT_EQ(h.form->BoundsRect().top, 87);
    EXPECT_EQ(h.form->Width(), 561);
    EXPECT_EQ(h.form->Height(), 796);
    const std::string vorher = Lesen(datei);
    h.par->Speichern();
    EXPECT_EQ(Lesen(datei), vorher);

    // Lines removed from a list do not linger in the file.
    h.dir->Lines().Clear();
    h.par->Speichern();
    EXPECT_EQ(IniZeilen(datei).size(), erwartet.size() - 2);
}

TEST(Einstellungsdatei, SectionIsTheClassOfAFormOrFrameOwner) {
    TestOrdner t;
    auto* form = Application()->CreateForm<Tam_Main>();
    auto* frame = new TfrListen(form);
    frame->SetParent(form);
    auto* par = new TkivParameter(frame);
    par->SetDateiName(t / L"a.ini");
    par->SetTagInclusive(99);
    par->SetFormPosSizeSave(true); // a frame has no placement of its own
    Memo(frame, frame, L"me_Liste", {L"eins"});
    Memo(form, frame, L"me_NichtDesFrames", {L"zwei"});
    EXPECT_EQ(par->SektionsName(), L"TfrListen");
    par->Speichern();
    EXPECT_EQ(IniZeilen(t / L"a.ini"), (Zeilen{L"[TfrListen]", L"me_Liste_0=eins"}));
    form->Free();
}

TEST(Einstellungsdatei, PathsOutsideTheAnsiCodePageSurviveSaveAndLoad) {
    TestOrdner t;
    const String datei = t / L"Sicherung.ini";
    const String pfad = L"C:\\Users\\\u0141ukasz\\\u6587\u66F8\\";
    {
        Hauptfenster h(datei, {}, {pfad, L"C:\\Stra\u00DFe\\"});
        h.par->Speichern();
    }
    Hauptfenster h(datei);
    h.par->Laden();
    EXPECT_EQ(Inhalt(h.dir), (Zeilen{pfad, L"C:\\Stra\u00DFe\\"}));
}

TEST(Einstellungsdatei, AnOldAnsiFileIsReadAndConvertedOnlyWhenAValueNeedsIt) {
    TestOrdner t;
    const String datei = t / L"Sicherung.ini";
    Schreiben(datei, "[Andere]\r\nName=M\xFCller\r\n[Tam_Main]\r\nme_Dir_0=C:\\Gr\xFC\xDF"
                     "e\\\r\n");
    Hauptfenster h(datei);
    h.par->Laden();
    EXPECT_EQ(Inhalt(h.dir), Zeilen{L"C:\\Gr\u00FC\u00DFe\\"});

    h.par->Speichern();
    EXPECT_FALSE(HatUtf16Marke(datei));
    EXPECT_EQ(IniZeilen(datei)[1], L"Name=M\u00FCller");

    h.dir->Lines().Add(L"C:\\\u0141ukasz\\");
    h.par->Speichern();
    EXPECT_TRUE(HatUtf16Marke(datei));
    const Zeilen z = IniZeilen(datei);
    EXPECT_EQ(Zeilen(z.begin(), z.begin() + 2), (Zeilen{L"[Andere]", L"Name=M\u00FCller"}));
    EXPECT_EQ(Zeilen(z.end() - 2, z.end()),
              (Zeilen{L"me_Dir_0=C:\\Gr\u00FC\u00DFe\\", L"me_Dir_1=C:\\\u0141ukasz\\"}));
}

namespace {
// Fills the medium with a file, then gives back `frei` bytes of it.
void Fuellen(const String& datei, LONG frei) {
    HANDLE h =
        CreateFileW(datei.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const std::string block(65536, 'f');
    DWORD n = 0;
    for (const DWORD stueck : {65536u, 4096u, 1u})
        while (WriteFile(h, block.data(), stueck, &n, nullptr) && n == stueck) {
        }
    SetFilePointer(h, -frei, nullptr, FILE_CURRENT);
    SetEndOfFile(h);
    CloseHandle(h);
}

} // namespace

TEST(Einstellungsdatei, ASaveTheFullMediumRefusesLeavesTheFileAsItWas) {
    const String medium = Medium("SICHERUNG_VOLL");
    if (medium.empty()) GTEST_SKIP() << "needs the small medium the test command mounts as root";
    const String datei = medium + L"Sicherung.ini";
    {
        Hauptfenster h(datei, {L".tmp"}, {L"C:\\Daten\\", L"C:\\Fotos\\"}, {}, {L"\\Cache\\"});
        h.par->Speichern();
        const std::string vorher = Lesen(datei);
        // Room for a copy of the file, not for the lines that come.
        Fuellen(medium + L"fuellung.bin", 4096);
        String mehr;
        for (int i = 0; i < 150; ++i)
            mehr += L"C:\\Users\\Benutzer\\Documents\\Projekt " + std::to_wstring(i) + L"\\\r\n";
        h.dir->SetText(mehr);
        try {
            h.par->Speichern();
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), L"In " + datei + L" kann nicht geschrieben werden");
        }
        EXPECT_EQ(Lesen(datei), vorher);
        EXPECT_EQ(Dateinamen(medium), (Zeilen{L"Sicherung.ini", L"fuellung.bin"}));
    }
    DeleteFileW((medium + L"fuellung.bin").c_str());
    DeleteFileW(datei.c_str());
}

TEST(Einstellungsdatei, ALoadWhileAnotherProgramSavesSeesOneWholeVersion) {
    TestOrdner t;
    const String datei = t / L"Sicherung.ini";
    const Zeilen kurz{L"a0", L"a1", L"a2"};
    const Zeilen lang{L"b0", L"b1", L"b2", L"b3", L"b4", L"b5", L"b6", L"b7"};
    {
        Hauptfenster h(datei, {}, kurz);
        h.par->Speichern();
    }
    // The other program: a scheduled run saving its lists over and over.
    std::atomic<bool> fertig{false};
    std::atomic<int> gespeichert{0}, fehler{0};
    std::thread anderes([&] {
        for (int i = 0; !fertig; ++i) {
            try {
                TIniDokument dokument(datei);
                dokument.Vorbereiten();
                dokument.SektionLoeschen(L"Tam_Main");
                const Zeilen& zeilen = i % 2 ? kurz : lang;
                for (size_t j = 0; j < zeilen.size(); ++j)
                    dokument.Schreiben(L"Tam_Main", L"me_Dir_" + std::to_wstring(j), zeilen[j]);
                dokument.Speichern();
                ++gespeichert;
            } catch (const Exception&) {
                ++fehler;
            }
        }
    });
    // Loads with pauses, as windows start: the saves must get through between them.
    Hauptfenster h(datei);
    for (int i = 0; i < 40; ++i) {
        h.par->Laden();
        const Zeilen gelesen = Inhalt(h.dir);
        EXPECT_TRUE(gelesen == kurz || gelesen == lang) << "load " << i << ": " << gelesen.size() << " lines";
        Sleep(40);
    }
    fertig = true;
    anderes.join();
    EXPECT_GT(gespeichert, 2);
    EXPECT_EQ(fehler, 0);
}
