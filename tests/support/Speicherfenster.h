#pragma once
// A window whose settings store keeps the components with Tag 1 in the given file, in the section
// named after the window's class ("TfoSpeicher", or that of a test's own window derived from it).
#include "settings/kv7_Parameter.h"
#include "toolkit/Forms.h"

struct TfoSpeicher : TForm {
    TfoSpeicher(TComponent* owner, const String& datei) : TForm(owner) {
        par->SetDateiName(datei);
        par->SetTagInclusive(1);
    }
    // A control of the window, taken by the store.
    template <class T> T* Neu(const String& name) {
        auto* c = new T(this);
        c->SetName(name);
        c->SetTag(1);
        c->SetParent(this);
        return c;
    }
    TkivParameter* par = new TkivParameter(this);
};
