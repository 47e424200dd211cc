#include "app/da_Main.h"
#include "framework/qelWizard.h"
#include "settings/kv7_Parameter.h"
#include "sys/Dateien.h"
#include "sys/Ordner.h"
#include "toolkit/ActnList.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/Dialogs.h"
#include "util/QEL_Str.h"
#include "util/kv7_str.h"
#include "Bildschirmfoto.h"
#include "DropDaten.h"
#include "Hauptfenster.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

TEST_F(Hauptfenster, FirstStartWithoutSettingsFile) {
    Starten();
    EXPECT_EQ(f->Caption(), DateiBasisname(ProgrammDatei()) + L" 1.0 auf " + ComputerName());
    EXPECT_EQ(f->ed_ZielDir->Text(), Ziel());
    for (auto* m : {f->me_Einzel, f->me_Dir, f->me_Ext, f->me_Blacklist})
        EXPECT_EQ(m->Lines().Count(), 0);
    EXPECT_EQ(f->me_Status->Lines().Count(), 0);
    EXPECT_FALSE(f->Geaendert());
    EXPECT_EQ(f->PAR->DateiName(), Basis() + L".ini");
    EXPECT_EQ(f->ClientWidth(), 545);
    EXPECT_EQ(f->ClientHeight(), 757);
    EXPECT_EQ(f->ActiveControl(), f->me_Dir);
    EXPECT_FALSE(f->ed_ZielDir->TabStop());
    EXPECT_EQ(f->ed_ZielDir->Left(), 8);
    EXPECT_EQ(f->ed_ZielDir->Width(), f->gb_Ziel->ClientWidth() - 16);
}

TEST_F(Hauptfenster, ShortcutToolbarHasEightButtonsInTwoRows) {
    Starten();
    ASSERT_EQ(f->tb_WichtigeDateien->ButtonCount(), 8);
    EXPECT_EQ(f->tb_WichtigeDateien->RowCount(), 2);
    const wchar_t* captions[] = {L"Eigene Dokumente",  L"Eigene Bilder",   L"Eigene Musik",
                                 L"Eigene Videos",     L"Anwendungsdaten", L"Virtual Store",
                                 L"Temporäre Dateien", L"Alle Laufwerke"};
    for (int i = 0; i < 8; ++i) {
        TToolButton* b = f->tb_WichtigeDateien->Buttons(i);
        EXPECT_EQ(b->Caption(), captions[i]);
        EXPECT_EQ(b->Width(), 99);
        EXPECT_EQ(b->Height(), 21);
    }
    EXPECT_EQ(f->gb_WichtigeVerzeichnisse->Height(), f->tb_WichtigeDateien->Height() + 20);
    EXPECT_EQ(f->ax_Standardwerte->Caption(), L"Standardwerte");
    EXPECT_EQ(f->ax_Standardwerte->Category(), L"Config");
}

TEST_F(Hauptfenster, ShortcutsOpenTheFileManagerAtTheirFolders) {
    Starten();
    std::vector<std::pair<String, String>> gestartet;
    f->Starten = [&](const String& datei, const String& parameter) {
        gestartet.emplace_back(datei, parameter);
        return true;
    };
    for (int i = 0; i < 8; ++i)
        f->tb_WichtigeDateien->Buttons(i)->Click();
    f->ax_Standardwerte->Execute();
    const String explorer = WindowsOrdner() + L"EXPLORER.EXE";
    std::vector<std::pair<String, String>> erwartet = {
        {explorer, DokumenteOrdner()}, {explorer, BilderOrdner()},          {explorer, MusikOrdner()},
        {explorer, VideosOrdner()},    {explorer, AppDatenOrdner()},        {explorer, VirtualStoreOrdner()},
        {explorer, TempOrdner()},      {explorer, L"/n, /e, /select, c:\\"}};
    EXPECT_EQ(gestartet, erwartet);
}

TEST_F(Hauptfenster, EditsAndDropsSetTheChangedFlag) {
    Starten();
    f->me_Blacklist->Lines().Add(L"\\Cache\\");
    EXPECT_TRUE(f->Geaendert());
    f->SetGeaendert(false);
    Schreiben(t / L"Daten\\a.txt", "a");
    Schreiben(t / L"Daten\\Makefile", "m");
    Schreiben(t / L"Daten\\Brief.DOCX", "b");
    OrdnerAnlegen(t / L"Bilder");
    SendMessageW(f->me_Dir->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropDaten({t / L"Daten\\a.txt", t / L"Bilder"})), 0);
    EXPECT_TRUE(f->Geaendert());
    EXPECT_EQ(f->me_Dir->Lines().ToVector(), (std::vector<String>{t / L"Daten\\", t / L"Bilder"}));
    SendMessageW(
        f->me_Einzel->Handle(), WM_DROPFILES,
        reinterpret_cast<WPARAM>(DropDaten({t / L"Bilder", t / L"Daten\\a.txt", t / L"Daten\\a.txt"})), 0);
    EXPECT_EQ(f->me_Einzel->Lines().ToVector(),
              (std::vector<String>{t / L"Daten\\a.txt", t / L"Daten\\a.txt"}));
    SendMessageW(f->me_Ext->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropDaten({t / L"Daten\\Brief.DOCX", t / L"Daten\\Makefile"})), 0);
    EXPECT_EQ(f->me_Ext->Lines().ToVector(), (std::vector<String>{L".DOCX", L""}));
    SendMessageW(f->me_Blacklist->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropDaten({t / L"Daten\\a.txt"})), 0);
    EXPECT_EQ(f->me_Blacklist->Lines().Count(), 1); // not a drop target: unchanged
    EXPECT_EQ(f->me_Blacklist->DropModus(), 0);
    EXPECT_FALSE(GetWindowLongW(f->me_Status->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(Hauptfenster, LeavingPageOneNeedsAFolderOrSingleFile) {
    Starten();
    f->me_Ext->Lines().Add(L".tmp");
    Weiter();
    EXPECT_EQ(f->wz->ActivePageIndex(), 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, L"Bitte tragen Sie mindestens\r- ein Verzeichnis oder\r- eine Einzeldatei\rein, "
                             L"die gesichert weden sollen.");
    EXPECT_EQ(boxen[0].caption, L"Informationen");
    EXPECT_TRUE(VerzeichnisExistiert(Ziel())); // the target folder was created on the way
    f->me_Dir->Lines().SetText(L"\r\n");       // one empty line counts as a line
    Weiter();
    EXPECT_EQ(f->wz->ActivePageIndex(), 1);
}

TEST_F(Hauptfenster, TargetFolderThatCannotBeCreatedOrWrittenKeepsPageOne) {
    String medium = Medium("SICHERUNG_NURLESEN");
    if (medium.empty()) GTEST_SKIP() << "needs the read-only medium the test command mounts as root";
    Starten();
    f->me_Dir->Lines().Add(t.Pfad());
    f->ed_ZielDir->SetText(medium + L"Datensicherung_VM\\");
    Weiter();
    f->ed_ZielDir->SetText(medium + L"Ordner\\");
    Weiter();
    EXPECT_EQ(f->wz->ActivePageIndex(), 0);
    ASSERT_EQ(boxen.size(), 2u);
    EXPECT_EQ(boxen[0].text,
              L"Das Verzeichnis\r" + medium + L"Datensicherung_VM\\\rkonnte nicht erstellt werden.");
    EXPECT_EQ(boxen[1].text, L"Sie haben keine Schreibrechte für das Verzeichnis\r" + medium + L"Ordner\\");
}

TEST_F(Hauptfenster, RunEndToEndThenAgainThenBack) {
    Schreiben(t / L"Daten\\a.txt", "a");
    Schreiben(t / L"Daten\\Unter\\b.txt", "b");
    Starten();
    f->me_Dir->Lines().Add(t / L"Daten");
    Weiter();
    ASSERT_EQ(f->wz->ActivePageIndex(), 1);
    EXPECT_EQ(f->wz->BtnCancel()->Caption(), L"Abbrechen");
    Weiter(); // "Sichern"
    std::vector<String> status = f->me_Status->Lines().ToVector();
    ASSERT_EQ(status.size(), 6u);
    EXPECT_EQ(status[0], Kopie(Basis() + L".ini")); // changed settings: saved and backed up first
    EXPECT_EQ(status[1], Kopie(t / L"Daten\\Unter\\b.txt"));
    EXPECT_EQ(status[2], Kopie(t / L"Daten\\a.txt"));
    EXPECT_EQ(status[3], String(80, L'-'));
    EXPECT_EQ(status[4], L"3 Dateien wurden gesichert.");
    EXPECT_EQ(status[5], String(80, L'='));
    EXPECT_EQ(f->wz->BtnCancel()->Caption(), L"Beenden");
    EXPECT_FALSE(f->Geaendert());
    EXPECT_EQ(Lesen(Kopie(t / L"Daten\\a.txt")), "a");

    Weiter(); // a second run copies nothing and does not touch the unchanged settings
    status = f->me_Status->Lines().ToVector();
    ASSERT_EQ(status.size(), 9u);
    EXPECT_EQ(status[7], L"0 Dateien wurden gesichert.");
    std::string log = Lesen(Basis() + L".log");
    EXPECT_NE(log.find(" | 3 Dateien wurden gesichert.\r\n"), std::string::npos);
    EXPECT_TRUE(log.ends_with(" | 0 Dateien wurden gesichert.\r\n"));

    Zurueck();
    EXPECT_EQ(f->wz->ActivePageIndex(), 0);
    EXPECT_EQ(f->wz->BtnCancel()->Caption(), L"Abbrechen");
}

TEST_F(Hauptfenster, SettingsSavedOnClosingAndRestoredAtTheNextStart) {
    Starten();
    f->me_Einzel->Lines().Add(L"C:\\Users\\Łukasz\\Dokumente\\Brief.docx");
    f->me_Ext->Lines().SetText(L".tmp\r\n.bak\r\n");
    f->Close();
    Application()->ProcessMessages();
    f->Free();
    f = nullptr;
    ASSERT_TRUE(DateiExistiert(Basis() + L".ini", false));
    Starten();
    EXPECT_EQ(f->me_Einzel->Lines().ToVector(),
              std::vector<String>{L"C:\\Users\\Łukasz\\Dokumente\\Brief.docx"});
    EXPECT_EQ(f->me_Ext->Lines().ToVector(), (std::vector<String>{L".tmp", L".bak"}));
    EXPECT_FALSE(f->Geaendert());
    EXPECT_EQ(f->me_Status->Lines().Count(), 0);
}

TEST_F(Hauptfenster, RunWithUnchangedSettingsDoesNotSaveThem) {
    Starten();
    f->me_Einzel->Lines().Add(t / L"fehlt.txt");
    f->PAR->Speichern();
    EXPECT_FALSE(f->Geaendert());
    DeleteFileW((Basis() + L".ini").c_str());
    Weiter();
    Weiter();
    EXPECT_FALSE(DateiExistiert(Basis() + L".ini", false));
    EXPECT_EQ(f->me_Status->Lines().Get(1), L"0 Dateien wurden gesichert.");
}

TEST_F(Hauptfenster, CancelDuringARunStopsAfterTheFileThenCloses) {
    for (int i = 0; i < 400; ++i)
        Schreiben(t / (L"Daten\\d" + std::to_wstring(i) + L".txt"), "x");
    Starten();
    f->me_Dir->Lines().Add(t / L"Daten");
    Weiter();
    ASSERT_EQ(f->wz->ActivePageIndex(), 1);
    bool geschlossen = false;
    f->OnClose = [&](TComponent*, TCloseAction&) { geschlossen = true; };
    PostMessageW(f->Handle(), WM_CLOSE, 0, 0); // reaches the window while the run goes on
    Weiter();
    EXPECT_FALSE(f->LaeuftSicherung());
    std::vector<String> status = f->me_Status->Lines().ToVector();
    ASSERT_GE(status.size(), 3u);
    EXPECT_EQ(status.back(), String(80, L'='));
    EXPECT_LT(status.size(), 400u + 3u); // stopped before the end
    EXPECT_EQ(status[status.size() - 4], L"Die Sicherung wurde abgebrochen.");
    EXPECT_TRUE(Lesen(Basis() + L".log").ends_with(" gesichert. (abgebrochen)\r\n"));
    EXPECT_FALSE(geschlossen);
    Application()->ProcessMessages(); // the close that waited for the run
    EXPECT_TRUE(geschlossen);
}

TEST_F(Hauptfenster, TestSwitch800x600KeepsPlacementOutOfTheFile) {
    ParameterSetzen({L"/8x6"});
    Starten();
    EXPECT_EQ(f->Width(), 800);
    EXPECT_EQ(f->Height(), 600);
    f->PAR->Speichern();
    std::string ini = Lesen(Basis() + L".ini");
    EXPECT_EQ(ini.find("__"), std::string::npos);
}

// Pictures of both pages for a person to look at; written only when SICHERUNG_BILDER names a folder.
TEST_F(Hauptfenster, Bildschirmfotos) {
    String ordner = Medium("SICHERUNG_BILDER");
    Schreiben(t / L"Daten\\Brief.docx", "b");
    Schreiben(t / L"Daten\\Tabelle.xlsx", "t");
    Starten();
    f->me_Einzel->Lines().SetText(L"C:\\Users\\Benutzer\\Desktop\\Adressen.xls\r\n" +
                                  (t / L"Daten\\Brief.docx"));
    f->me_Dir->Lines().SetText(t / L"Daten\r\nC:\\Users\\Benutzer\\Documents\\");
    f->me_Ext->Lines().SetText(L".tmp\r\n.bak");
    f->me_Blacklist->Lines().SetText(L"\\Cache\\");
    Application()->ProcessMessages();
    if (!ordner.empty()) {
        EXPECT_TRUE(FensterFoto(f->Handle(), ordner + L"seite1.bmp"));
    }
    Weiter();
    Weiter();
    Application()->ProcessMessages();
    EXPECT_EQ(f->wz->BtnCancel()->Caption(), L"Beenden");
    if (!ordner.empty()) {
        EXPECT_TRUE(FensterFoto(f->Handle(), ordner + L"seite2.bmp"));
    }
}
