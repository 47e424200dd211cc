#pragma once
// While alive, the copy's and the listing's system calls pass through the test first (see
// sys/DateiAufrufe.h): a search entry can be changed, slowed down or dropped, a read can be made
// to fail or to wait, the copy's time can be refused, a volume can report another file system, the rename of
// an open file can fail. One at a time; the real calls come back at the end.
#include <windows.h>

#include <functional>
#include <string>

class DateiHaken {
public:
    DateiHaken();
    ~DateiHaken();
    DateiHaken(const DateiHaken&) = delete;
    DateiHaken& operator=(const DateiHaken&) = delete;

    // Every entry a search yields, before the caller sees it; false drops it.
    std::function<bool(WIN32_FIND_DATAW& eintrag)> eintrag;
    // A search that fails as a folder without rights or a share that drops does: given the search's
    // pattern and 0 for its start or n for its n-th following entry, the error to fail with, or 0.
    std::function<DWORD(const std::wstring& muster, int eintrag)> suchfehler;
    // Act as a system that honours the hint to list folders only.
    bool nurOrdnerBeachten = false;
    // Before each read of a copy (numbered from 1); false makes it fail as a damaged medium
    // does (ERROR_CRC).
    std::function<bool(int nummer)> lesen;
    // Whether setting the copy's time succeeds.
    bool zeitSetzenGelingt = true;
    // The file system a volume reports, given its root ("C:\\"); empty: the real one.
    std::function<std::wstring(const std::wstring& wurzel)> dateisystem;
    // Before a copy is flushed to its medium.
    std::function<void()> spuelen;
    // Whether an open file can be renamed through its handle (a system or medium that cannot
    // fails it as not supported).
    bool offenUmbenennen = true;
};
