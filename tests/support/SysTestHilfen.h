#pragma once
// A file beside the test program and a borrowed drive letter, for the system tests.
#include "util/Basis.h"

#include <string>

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
    bool Da() const;                                     // whether the drive's root can be reached now
    bool Geliehen() const { return art_ != Art::keine; } // made by this object, not the machine's

private:
    bool Wine(const char* unixPfad);
    wchar_t buchstabe_;
    String ordner_;
    enum class Art { keine, dos, wine } art_ = Art::keine;
};
