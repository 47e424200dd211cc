#pragma once
// Real files for tests: a fresh folder per test, removed with everything in it afterwards.
#include "util/Basis.h"

#include <windows.h>
#include <string>
#include <vector>

class TestOrdner {
public:
    TestOrdner();
    ~TestOrdner();
    TestOrdner(const TestOrdner&) = delete;
    TestOrdner& operator=(const TestOrdner&) = delete;
    // The folder with a trailing backslash.
    const String& Pfad() const { return pfad_; }
    String operator/(const String& relativ) const { return pfad_ + relativ; }

private:
    String pfad_;
};

// Creates the file (and its missing folders) with the given bytes.
void Schreiben(const String& pfad, const std::string& inhalt);
std::string Lesen(const String& pfad);
bool Existiert(const String& pfad);
// The names of the files and folders in a folder, sorted.
std::vector<String> Dateinamen(const String& ordner);
// A large file that costs no time to make: its content reads as zeros up to `ende`, its last bytes.
void GrosseDatei(const String& pfad, long long laenge, const std::string& ende = "");
void OrdnerAnlegen(const String& pfad);
void OrdnerLoeschen(const String& pfad);
// Sets the last-write time from a local date and time (milliseconds allowed).
void ZeitSetzen(const String& pfad, int jahr, int monat, int tag, int stunde, int minute, int sekunde,
                int milli = 0);
void AttributeSetzen(const String& pfad, DWORD attribute);
// The Windows path of a medium the test command prepared (env variable), empty when absent.
String Medium(const char* variable);
// A text in the ANSI code page, as an old settings file holds it.
std::string NachUtf8Ansi(const String& text);
