#include "settings/Listenregeln.h"
#include "settings/kv7_Parameter.h"
#include "sys/IniDokument.h"
#include "IniText.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {
// One section of a fresh settings file, as a walk hands it to a control kind.
struct Abschnitt {
    TestOrdner ordner;
    TComponent owner{nullptr};
    TkivParameter* parameter = new TkivParameter(&owner);
    TIniDokument dokument{ordner / L"test.ini"};
    TEinstellungsZugriff z{*parameter, dokument, L"S"};
    std::vector<String> Zeilen() {
        dokument.Speichern();
        return IniZeilen(dokument.Datei());
    }
};

// A keyed list as the keyed combo boxes keep it: a key is added once, letter case ignored.
class TSchluesselDouble : public IkivSchluesselListe {
public:
    bool speichern = true;
    TStringList keys, texte;
    String gewaehlt;

    void Eintraege(std::initializer_list<std::pair<String, String>> e) {
        for (const auto& [k, t] : e)
            AddKey(k, t);
    }
    bool kivPAR_Save_Keys() const override { return speichern; }
    const TStrings& KeyList() const override { return keys; }
    const TStrings& Items() const override { return texte; }
    void Clear() override {
        keys.Clear();
        texte.Clear();
        gewaehlt.clear();
    }
    void AddKey(const String& key, const String& text) override {
        if (keys.IndexOf(key) >= 0) return;
        keys.Add(key);
        texte.Add(text);
    }
    String AusgewaehlterSchluessel() const override { return gewaehlt; }
    void SetAusgewaehlterSchluessel(const String& wert) override {
        if (keys.IndexOf(wert) >= 0) gewaehlt = wert;
    }
};
} // namespace

TEST(ListenRegel, EveryLineSurvivesAndTheFirstMissingKeyEndsTheList) {
    Abschnitt a;
    TStringList zeilen{L"a", L"", L"c", L"@#@", L"nach"};
    ListeSpeichern(a.z, L"me_Dir", zeilen);
    EXPECT_EQ(a.Zeilen(), (std::vector<String>{L"[S]", L"me_Dir_0=a", L"me_Dir_1=", L"me_Dir_2=c",
                                               L"me_Dir_3=@#@", L"me_Dir_4=nach"}));
    TStringList gelesen{L"alt"};
    ListeLaden(a.z, L"ME_DIR", gelesen);
    EXPECT_EQ(gelesen.ToVector(), zeilen.ToVector());
    ListeLaden(a.z, L"me_Fehlt", gelesen);
    EXPECT_EQ(gelesen.Count(), 0);

    // A gap ends the list, as it always did.
    a.z.TextSchreiben(L"me_Luecke_0", L"eins");
    a.z.TextSchreiben(L"me_Luecke_2", L"drei");
    ListeLaden(a.z, L"me_Luecke", gelesen);
    EXPECT_EQ(gelesen.ToVector(), std::vector<String>{L"eins"});
}

TEST(ListenRegel, LineCountersHaveNoLeadingZerosAndLongValuesAreCut) {
    Abschnitt a;
    TStringList zeilen;
    for (int i = 0; i < 12; ++i)
        zeilen.Add(L"z" + std::to_wstring(i));
    zeilen.Put(11, String(3000, L'x'));
    ListeSpeichern(a.z, L"L", zeilen);
    std::vector<String> datei = a.Zeilen();
    ASSERT_EQ(datei.size(), 13u);
    EXPECT_EQ(datei[10], L"L_9=z9");
    EXPECT_EQ(datei[11], L"L_10=z10");
    EXPECT_EQ(datei[12].substr(0, 6), L"L_11=x");
    TStringList gelesen;
    ListeLaden(a.z, L"L", gelesen);
    ASSERT_EQ(gelesen.Count(), 12);
    EXPECT_EQ(gelesen[11], String(2047, L'x'));
}

TEST(SchluesselRegel, KeyedComboExampleWritesTheSelectionThenTheEntries) {
    Abschnitt a;
    TSchluesselDouble cb;
    cb.Eintraege({{L"1", L"Bar"}, {L"2", L"Karte"}});
    cb.SetAusgewaehlterSchluessel(L"2");
    SchluesselListeSpeichern(a.z, L"cb_Art", cb);
    EXPECT_EQ(a.Zeilen(), (std::vector<String>{L"[S]", L"cb_Art=2", L"cb_Art_Keys_00=1;Bar;",
                                               L"cb_Art_Keys_01=2;Karte;"}));
    TSchluesselDouble neu;
    neu.Eintraege({{L"9", L"Alt"}});
    SchluesselListeLaden(a.z, L"cb_art", neu);
    EXPECT_EQ(neu.keys.ToVector(), (std::vector<String>{L"1", L"2"}));
    EXPECT_EQ(neu.texte.ToVector(), (std::vector<String>{L"Bar", L"Karte"}));
    EXPECT_EQ(neu.gewaehlt, L"2");
}

TEST(SchluesselRegel, SemicolonsBecomeBlanksAndPartsAreTrimmed) {
    Abschnitt a;
    TSchluesselDouble cb;
    cb.Eintraege({{L" 7;x ", L" Last;schrift "}});
    SchluesselListeSpeichern(a.z, L"cb", cb);
    EXPECT_EQ(a.z.TextLesen(L"cb_Keys_00", L""), L"7 x;Last schrift;");

    // Values written by hand: the key is taken unchanged up to the first ";", the text trimmed
    // up to the second one.
    a.z.TextSchreiben(L"cb_Keys_00", L"k1;  Erster  ;Rest");
    a.z.TextSchreiben(L"cb_Keys_01", L"nurKey");
    a.z.TextSchreiben(L"cb_Keys_02", L"k3; ohne Ende");
    a.z.TextSchreiben(L"cb_Keys_03", L"K1;doppelt;");
    TSchluesselDouble neu;
    SchluesselListeLaden(a.z, L"cb", neu);
    EXPECT_EQ(neu.keys.ToVector(), (std::vector<String>{L"k1", L"nurKey", L"k3"}));
    EXPECT_EQ(neu.texte.ToVector(), (std::vector<String>{L"Erster", L"", L"ohne Ende"}));
}

TEST(SchluesselRegel, EntryCountersHaveTwoDigitsAtLeast) {
    Abschnitt a;
    TSchluesselDouble cb;
    for (int i = 0; i < 101; ++i)
        cb.AddKey(std::to_wstring(i), L"t");
    SchluesselListeSpeichern(a.z, L"cb", cb);
    std::vector<String> datei = a.Zeilen();
    ASSERT_EQ(datei.size(), 103u);
    EXPECT_EQ(datei[2], L"cb_Keys_00=0;t;");
    EXPECT_EQ(datei[13], L"cb_Keys_11=11;t;");
    EXPECT_EQ(datei[101], L"cb_Keys_99=99;t;");
    EXPECT_EQ(datei[102], L"cb_Keys_100=100;t;");
    TSchluesselDouble neu;
    SchluesselListeLaden(a.z, L"cb", neu);
    EXPECT_EQ(neu.keys.Count(), 101);
}

TEST(SchluesselRegel, WithoutStoredEntriesTheListEndsEmptyAndWithoutTheFlagOnlyTheKeyCounts) {
    Abschnitt a;
    a.z.TextSchreiben(L"cb", L"2");
    TSchluesselDouble cb;
    cb.Eintraege({{L"1", L"Bar"}, {L"2", L"Karte"}});
    cb.SetAusgewaehlterSchluessel(L"1");
    SchluesselListeLaden(a.z, L"cb", cb);
    EXPECT_EQ(cb.keys.Count(), 0);
    EXPECT_EQ(cb.gewaehlt, L"");

    TSchluesselDouble ohne;
    ohne.speichern = false;
    ohne.Eintraege({{L"1", L"Bar"}, {L"2", L"Karte"}});
    SchluesselListeLaden(a.z, L"cb", ohne);
    EXPECT_EQ(ohne.keys.Count(), 2);
    EXPECT_EQ(ohne.gewaehlt, L"2");
    SchluesselListeSpeichern(a.z, L"ohne", ohne);
    EXPECT_EQ(a.Zeilen().back(), L"ohne=2");
}
