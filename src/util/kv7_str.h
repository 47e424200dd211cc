#pragma once
// Small text, path and number helpers shared by every module. Positions count from 1;
// a blank is U+0020 only.
#include "util/Basis.h"

String RechtsTrimmen(const String& s);
String LinksTrimmen(const String& s);
String Trimmen(const String& s);
String MitBackslash(const String& s);
String RechtsAuffuellen(const String& s, wchar_t c, int laenge);
String ZeichenWiederholen(wchar_t c, int anzahl);
String MitNullen(const String& s, int breite);
String ZweiStellen(long long zahl);
String VierStellen(long long zahl);
int Minimum(int a, int b);
String OhneEndzeichen(const String& s, wchar_t c);
wchar_t ErstesZeichen(const String& s);
wchar_t LetztesZeichen(const String& s);
int ZeichenAnzahl(const String& s, wchar_t c);
int SemikolonAnzahl(const String& s);
String JaNeinText(bool wert);

String DateiBasisname(const String& pfad);
String DateiPfad(const String& pfad);
String DateiErweiterung(const String& pfad);
String OhneLaufwerk(const String& pfad);
// "/" written as "\".
String MitBackslashes(const String& pfad);
// Two paths name the same file or folder: letter case aside, "/" counting as "\", a final
// backslash counting as none.
bool GleicherPfad(const String& a, const String& b);

bool TextGleich(const String& a, const String& b);
bool TextUngleich(const String& a, const String& b);
String AllesErsetzen(const String& s, const String& alt, const String& neu);

long double TextZuZahl(const String& s);
String AnzahlText(long long anzahl, const String& einzahl, const String& mehrzahl);

String FeldMitTrenner(const String& s, wchar_t trenner, int nummer);
String Feld(const String& s, int nummer);
String ListenEintrag(const String& s, wchar_t trenner);
String SemikolonEintrag(const String& s);
String ZahlfeldSetzen(const String& s, int position, int breite, long long wert);
String ZahlfeldErhoehen(const String& s, int position, int breite);

// The user's regional settings.
String GrossBuchstaben(const String& s);
String DezimalTrenner();
String TausenderTrenner();
String ZahlMitTausendern(long long zahl);
