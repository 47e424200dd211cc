#include "controls/kv7_SchluesselArten.h"

#include "controls/kv7_DirectoryKeyComboBox.h"
#include "controls/kv7_FileKeyComboBox.h"
#include "settings/Einstellungsarten.h"
#include "settings/Listenregeln.h"

#include <functional>

namespace {

// The entry rule's view of a keyed box or of a panel around one; what counts as the selection
// differs: Key, Directory or FileName.
template <class T> class TSchluesselZugriff : public IkivSchluesselListe {
public:
    using Lesen = String (*)(const T&);
    using Schreiben = void (*)(T&, const String&);
    TSchluesselZugriff(T& box, Lesen lesen, Schreiben schreiben)
        : box_(box), lesen_(lesen), schreiben_(schreiben) {}

    bool kivPAR_Save_Keys() const override { return box_.kivPAR_Save_Keys(); }
    const TStrings& KeyList() const override { return box_.KeyList(); }
    const TStrings& Items() const override { return std::as_const(box_).Items(); }
    void Clear() override { box_.Clear(); }
    void AddKey(const String& key, const String& text) override { box_.AddKey(key, text); }
    String AusgewaehlterSchluessel() const override { return lesen_(box_); }
    void SetAusgewaehlterSchluessel(const String& wert) override { schreiben_(box_, wert); }

private:
    T& box_;
    Lesen lesen_;
    Schreiben schreiben_;
};

template <class T>
void Registrieren(TArtZeile zeile, typename TSchluesselZugriff<T>::Lesen lesen,
                  typename TSchluesselZugriff<T>::Schreiben schreiben) {
    EinstellungsartRegistrieren<T>(
        zeile,
        [=](T& box, const TEinstellungsZugriff& z) {
            TSchluesselZugriff<T> liste(box, lesen, schreiben);
            SchluesselListeLaden(z, box.Name(), liste);
        },
        [=](T& box, const TEinstellungsZugriff& z) {
            TSchluesselZugriff<T> liste(box, lesen, schreiben);
            SchluesselListeSpeichern(z, box.Name(), liste);
        });
}

} // namespace

void SchluesselArtenRegistrieren() {
    static const bool registriert = [] {
        Registrieren<TkivKeyComboBox>(
            TArtZeile::KeyComboBox, [](const TkivKeyComboBox& b) { return b.Key(); },
            [](TkivKeyComboBox& b, const String& w) { b.SetKey(w); });
        Registrieren<TkivDirectoryKeyComboBox>(
            TArtZeile::DirectoryKeyComboBox, [](const TkivDirectoryKeyComboBox& b) { return b.Directory(); },
            [](TkivDirectoryKeyComboBox& b, const String& w) { b.SetDirectory(w); });
        Registrieren<TkivFileKeyComboBox>(
            TArtZeile::FileKeyComboBox, [](const TkivFileKeyComboBox& b) { return b.FileName(); },
            [](TkivFileKeyComboBox& b, const String& w) { b.SetFileName(w); });
        return true;
    }();
    (void)registriert;
}
