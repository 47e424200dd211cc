#pragma once
// The system calls behind the copy and the listing, gathered so that a test can stand in for a
// system that behaves otherwise than the one it runs on: a read that fails after the open, a
// file time the medium refuses, a folder that lists slowly, a search that honours a hint, a
// volume of another file system, a medium that cannot rename an open file.
#include <windows.h>

struct DateiAufrufe {
    decltype(&::ReadFile) lesen = ::ReadFile;
    decltype(&::SetFileTime) zeitSetzen = ::SetFileTime;
    decltype(&::FindFirstFileExW) sucheBeginnen = ::FindFirstFileExW;
    decltype(&::FindNextFileW) sucheWeiter = ::FindNextFileW;
    decltype(&::GetVolumeInformationW) volumeLesen = ::GetVolumeInformationW;
    decltype(&::FlushFileBuffers) spuelen = ::FlushFileBuffers;
    decltype(&::SetFileInformationByHandle) infoSetzen = ::SetFileInformationByHandle;
};

// The calls in use; the program never changes them.
DateiAufrufe& Aufrufe();
