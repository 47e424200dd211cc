#include "settings/Gitterlayout.h"
#include "settings/Listenregeln.h"
#include "settings/kv7_Parameter.h"
#include "sys/IniDokument.h"

String GitterlayoutDatei(const String& iniDatei, const String& praefix, const String& gridName) {
    size_t trenner = iniDatei.find_last_of(L"\\:");
    String ordner = trenner == String::npos ? String() : iniDatei.substr(0, trenner + 1);
    String name = trenner == String::npos ? iniDatei : iniDatei.substr(trenner + 1);
    size_t punkt = name.rfind(L'.');
    if (punkt != String::npos) name.resize(punkt);
    return ordner + name + L"_" + praefix + L"_" + (gridName.empty() ? String(L"grid") : gridName) + L".dat";
}

void GitterlayoutSpeichern(const TEinstellungsZugriff& z, const IkivGitter& gitter, const String& praefix) {
    TkivParameter& parameter = z.Parameter();
    const String name = gitter.GridName();
    const int spalten = gitter.ColumnCount();
    if (spalten > 1) gitter.SpaltenSpeichern(GitterlayoutDatei(parameter.WegDateiName(), praefix, name));
    // Only a window's class names the section; a store of another owner gets no keys.
    if (!IstFormOderFrame(parameter.Owner())) return;
    const String sektion = parameter.Owner()->ClassName();
    for (int i = 0; i < spalten; ++i) {
        const String zaehler = EintragsZaehler(i);
        z.Dokument().Schreiben(sektion, praefix + L"_" + name + L"_Width_" + zaehler,
                               std::to_wstring(gitter.ColumnWidth(i)));
        z.Dokument().Schreiben(sektion, praefix + L"_" + name + L"_Visible_" + zaehler,
                               gitter.ColumnVisible(i) ? L"Ja" : L"Nein");
    }
}
