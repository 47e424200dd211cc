#include "sys/Meldungen.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "BoxReader.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
// Remembers whether a box asked for the beep, then lets the real box appear.
struct BeepSpy {
    bool beeped = false;
    MessageBoxCapture old;
    BeepSpy() {
        old = SetMessageBoxCapture([this](const MessageBoxArgs& a) {
            beeped = a.beep;
            MessageBoxCapture self = SetMessageBoxCapture(nullptr);
            int r = ShowMessageBox(a);
            SetMessageBoxCapture(std::move(self));
            return r;
        });
    }
    ~BeepSpy() { SetMessageBoxCapture(std::move(old)); }
};
} // namespace

TEST(FehlerMeldung, BeepsThenShowsErrorBoxWithDefaultOk) {
    BeepSpy spy;
    BoxReader reader;
    FehlerMeldung(L"abc");
    EXPECT_TRUE(spy.beeped);
    ASSERT_EQ(reader.Boxes().size(), 1u);
    const SeenBox& b = reader.Boxes()[0];
    EXPECT_EQ(b.caption, L"Fehler");
    EXPECT_EQ(b.text, L"abc");
    EXPECT_EQ(b.icon, SystemIcon(IDI_ERROR));
    EXPECT_EQ(b.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(b.defaultButton, IDOK);
}

TEST(InfoMeldung, NoBeepInformationBoxWithoutDefaultMark) {
    BeepSpy spy;
    BoxReader reader;
    InfoMeldungFormat(L"Bei der Ausführung von \r%s\rist folgender Fehler aufgetreten :\r%s", L"x.exe",
                      L"Datei nicht gefunden.");
    EXPECT_FALSE(spy.beeped);
    ASSERT_EQ(reader.Boxes().size(), 1u);
    const SeenBox& b = reader.Boxes()[0];
    EXPECT_EQ(b.caption, L"Informationen");
    EXPECT_EQ(b.text,
              L"Bei der Ausführung von \rx.exe\rist folgender Fehler aufgetreten :\rDatei nicht gefunden.");
    EXPECT_EQ(b.icon, SystemIcon(IDI_INFORMATION));
    EXPECT_EQ(b.defaultButton, 0);
}

TEST(MeldungsDialog, WarningAndConfirmationKindsAndTheirResults) {
    BoxReader reader(IDNO);
    EXPECT_EQ(MeldungsDialog(L"Weiter?", TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNo, IDYES), IDNO);
    EXPECT_EQ(MeldungsDialog(L"Achtung", TMsgDlgType::mtWarning, TMsgDlgButtons::mbOK, IDOK), IDOK);
    ASSERT_EQ(reader.Boxes().size(), 2u);
    EXPECT_EQ(reader.Boxes()[0].caption, L"Bestätigen");
    EXPECT_EQ(reader.Boxes()[0].icon, SystemIcon(IDI_QUESTION));
    EXPECT_EQ(reader.Boxes()[0].defaultButton, IDYES);
    EXPECT_EQ(reader.Boxes()[1].caption, L"Warnung");
    EXPECT_EQ(reader.Boxes()[1].icon, SystemIcon(IDI_WARNING));
}

TEST(MeldungsDialog, CentredOnTheMainWindowOrPlacedAtLeft) {
    HWND main = CreateWindowExW(0, L"STATIC", L"Haupt", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 150, 700, 500,
                                nullptr, nullptr, nullptr, nullptr);
    SetApplicationMainWindow(main);
    BoxReader reader;
    MeldungsDialog(L"Mitte", TMsgDlgType::mtInformation, TMsgDlgButtons::mbOK, IDOK);
    MeldungsDialog(L"Links", TMsgDlgType::mtInformation, TMsgDlgButtons::mbOK, IDOK, L"", -1, 10);
    SetApplicationMainWindow(nullptr);
    DestroyWindow(main);
    ASSERT_EQ(reader.Boxes().size(), 2u);
    const RECT& r = reader.Boxes()[0].rect;
    EXPECT_NEAR((r.left + r.right) / 2, 100 + 350, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, 150 + 250, 1);
    EXPECT_EQ(reader.Boxes()[1].rect.left, 10);
}

TEST(InternerFehler, ClipboardBoxAndSilentStop) {
    BoxReader reader;
    bool weiter = false;
    EXPECT_THROW(
        {
            InternerFehler(L"kiv_sys", L"DateienRekursivToItems SL nicht zugewiesen.");
            weiter = true;
        },
        EAbort);
    EXPECT_FALSE(weiter);
    const String text =
        L"Interner Fehler im Modul [kiv_sys]\r\rDateienRekursivToItems SL nicht zugewiesen.\r\r"
        L"Benachrichtigen Sie bitte Ihren Systemadministrator.";
    EXPECT_EQ(InternerFehlerText(L"kiv_sys", L"DateienRekursivToItems SL nicht zugewiesen."), text);
    EXPECT_EQ(ZwischenablageText(), text);
    ASSERT_EQ(reader.Boxes().size(), 1u);
    EXPECT_EQ(reader.Boxes()[0].caption, L"Fehler");
    EXPECT_EQ(reader.Boxes()[0].text,
              text + L"\r\rDie Fehlernachricht wurde ins Clipboard (Zwischenablage) kopiert.");
}

TEST(Meldungen, DateDialogTextsAreFixed) {
    std::vector<String> texts;
    auto old = SetMessageBoxCapture([&](const MessageBoxArgs& a) {
        texts.push_back(a.caption + L"|" + a.text);
        return IDOK;
    });
    MeldungWertFehlt();
    MeldungMonatserster();
    MeldungMonatsletzter();
    MeldungZeitraumUngueltig();
    SetMessageBoxCapture(std::move(old));
    EXPECT_EQ(texts,
              (std::vector<String>{L"Informationen|Es muss ein Wert eingegeben werden.",
                                   L"Informationen|Das Datum wurde auf den Monatsersten gesetzt.",
                                   L"Informationen|Das Datum wurde auf den Monatsletzten gesetzt.",
                                   L"Informationen|Es muss ein gültiger Zeitraum eingegeben werden."}));
}
