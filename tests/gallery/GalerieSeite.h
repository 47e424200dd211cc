#pragma once
// The gallery opened on one of its pages. The files the gallery keeps beside the test program
// (its settings, and what a page adds) are removed before and after.
#include "framework/qelWizard.h"
#include "gallery/gl_Main.h"
#include "sys/Ordner.h"
#include "toolkit/StdCtrls.h"
#include "WinInput.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

class GalerieSeite : public ::testing::Test {
protected:
    explicit GalerieSeite(const wchar_t* seite, std::initializer_list<const wchar_t*> dateien = {L".ini"})
        : seite_(seite), dateien_(dateien) {}
    void SetUp() override { Aufraeumen(); }
    void TearDown() override {
        if (f) f->Free();
        f = nullptr;
        Aufraeumen();
    }
    void Oeffnen() {
        f = Application()->CreateForm<Tgl_Main>();
        f->Show();
        Application()->ProcessMessages();
        for (int i = 0; i < f->wz->PageCount(); ++i)
            if (f->wz->Pages(i)->Name() == seite_) f->wz->SetActivePageIndex(i);
        Pump();
        Geoeffnet();
    }
    // Where a page's test picks the controls it works with.
    virtual void Geoeffnet() {}
    // As the user closes the gallery: its button, then the window goes (and saves).
    void Schliessen() {
        f->wz->ButtonClick(wbkCancel);
        Application()->ProcessMessages();
        f->Free();
        f = nullptr;
    }
    void SchliessenUndOeffnen() {
        Schliessen();
        Oeffnen();
    }
    template <class T> T* K(const wchar_t* name) { return dynamic_cast<T*>(f->FindComponent(name)); }
    String Text(const wchar_t* label) { return K<TLabel>(label)->Caption(); }

    Tgl_Main* f = nullptr;

private:
    void Aufraeumen() {
        for (const wchar_t* endung : dateien_)
            DeleteFileW(ProgrammDateiMitEndung(endung).c_str());
    }
    const wchar_t* seite_;
    std::vector<const wchar_t*> dateien_;
};
