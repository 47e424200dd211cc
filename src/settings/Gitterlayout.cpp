#include "settings/Gitterlayout.h"
#include "settings/Listenregeln.h"
#include "settings/kv7_Parameter.h"
#include "sys/Qel_ini.h"
#include "util/kv7_str.h"

#include <memory>

String GitterlayoutDatei(const String& iniDatei, const String& praefix, const String& gridName) {
    size_t trenner = iniDatei.find_last_of(L"\\:");
    String ordner = trenner == String::npos ? String() : iniDatei.substr(0, trenner + 1);
    String name = trenner == String::npos ? iniDatei : iniDatei.substr(trenner + 1);
    size_t punkt = name.rfind(L'.');
    if (punkt != String::npos) name.resize(punkt);
    return ordner + name + L"_" + praefix + L"_" + (gridName.empty() ? String(L"grid") : gridName) + L".dat";
}

namespace {
// Each of these writes takes its own file object, as another store's walk may be using the file.
void EinzelnSchreiben(TkivParameter& parameter, const String& sektion, const String& schluessel,
                      const String& wert) {
    if (sektion.empty() || schluessel.empty()) return;
    if (Trimmen(parameter.DateiName()).empty()) {
        StandardIniDatei().WriteString(sektion, schluessel, wert);
        return;
    }
    TqelIniFile ini(parameter.DateiName());
    ini.WriteString(sektion, schluessel, wert);
}
} // namespace

void GitterlayoutSpeichern(TkivParameter& parameter, const IkivGitter& gitter, const String& praefix) {
    const String name = gitter.GridName();
    const int spalten = gitter.ColumnCount();
    if (spalten > 1) gitter.SpaltenSpeichern(GitterlayoutDatei(parameter.WegDateiName(), praefix, name));
    const String sektion = IstFormOderFrame(parameter.Owner()) ? parameter.Owner()->ClassName() : String();
    for (int i = 0; i < spalten; ++i) {
        const String zaehler = EintragsZaehler(i);
        EinzelnSchreiben(parameter, sektion, praefix + L"_" + name + L"_Width_" + zaehler,
                         std::to_wstring(gitter.ColumnWidth(i)));
        EinzelnSchreiben(parameter, sektion, praefix + L"_" + name + L"_Visible_" + zaehler,
                         gitter.ColumnVisible(i) ? L"Ja" : L"Nein");
    }
}
