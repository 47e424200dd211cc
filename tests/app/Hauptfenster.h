#pragma once
// The main window in tests, made as the program makes it, beside the test program instead of
// Sicherung.exe: its settings file, log and target folder are removed before and after each test.
#include "app/da_Main.h"
#include "framework/qelWizard.h"
#include "sys/Ordner.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Forms.h"
#include "util/QEL_Str.h"
#include "util/kv7_str.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <vector>

inline String Basis() {
    return ProgrammVerzeichnis() + DateiBasisname(ProgrammDatei());
}
inline String Ziel() {
    return ProgrammVerzeichnis() + L"Datensicherung_" + ComputerName() + L"\\";
}

class Hauptfenster : public ::testing::Test {
protected:
    void SetUp() override {
        Aufraeumen();
        alt_ = SetMessageBoxCapture([this](const MessageBoxArgs& a) {
            boxen.push_back(a);
            return IDOK;
        });
    }
    void TearDown() override {
        if (f) f->Free();
        SetMessageBoxCapture(std::move(alt_));
        ParameterZuruecksetzen();
        Aufraeumen();
    }
    static void Aufraeumen() {
        DeleteFileW((Basis() + L".ini").c_str());
        DeleteFileW((Basis() + L".log").c_str());
        OrdnerLoeschen(Ziel());
    }
    void Starten() {
        f = Application()->CreateForm<Tam_Main>();
        f->Show();
        Application()->ProcessMessages();
    }
    void Weiter() { f->wz->ButtonClick(wbkNext); }
    void Zurueck() { f->wz->ButtonClick(wbkBack); }
    String Kopie(const String& quelle) const { return Ziel() + OhneLaufwerk(quelle); }

    Tam_Main* f = nullptr;
    std::vector<MessageBoxArgs> boxen;
    TestOrdner t;

private:
    MessageBoxCapture alt_;
};
