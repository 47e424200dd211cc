#pragma once
// Scratch folders, files beside the test program and a borrowed drive letter for the system tests.
#include "util/Basis.h"

// A fresh folder below the temporary path, removed with everything in it at the end.
class TestOrdner {
public:
    TestOrdner();
    ~TestOrdner();
    TestOrdner(const TestOrdner&) = delete;
    TestOrdner& operator=(const TestOrdner&) = delete;
    const String& Pfad() const { return pfad_; } // with trailing backslash

private:
    String pfad_;
};

void OrdnerLoeschen(const String& ordner); // recursively; missing is fine
bool DateiDa(const String& datei);
bool OrdnerDa(const String& ordner);
void DateiSchreiben(const String& datei, const std::string& inhalt);
std::string DateiLesen(const String& datei);

// A file that exists while the object lives (a marker beside the executable, say).
class TestDatei {
public:
    explicit TestDatei(String datei, const std::string& inhalt = "");
    ~TestDatei();
    TestDatei(const TestDatei&) = delete;
    TestDatei& operator=(const TestDatei&) = delete;

private:
    String datei_;
};

// Makes a drive letter stand for a folder while the object lives. Windows does it with
// DefineDosDeviceW; Wine ignores such definitions for file access and needs its mount manager.
class TestLaufwerk {
public:
    TestLaufwerk(wchar_t buchstabe, const String& ordner);
    ~TestLaufwerk();
    TestLaufwerk(const TestLaufwerk&) = delete;
    TestLaufwerk& operator=(const TestLaufwerk&) = delete;
    bool Da() const; // whether the drive's root can be reached now

private:
    bool Wine(const char* unixPfad);
    wchar_t buchstabe_;
    String ordner_;
    enum class Art { keine, dos, wine } art_ = Art::keine;
};
