#pragma once
// Windows made while the object lives are the common controls 6 that the programs' manifest asks
// for (test programs have no manifest of their own and get the older controls).
#include <windows.h>

class Steuerelemente6 {
public:
    Steuerelemente6();
    ~Steuerelemente6();
    Steuerelemente6(const Steuerelemente6&) = delete;
    Steuerelemente6& operator=(const Steuerelemente6&) = delete;
    bool Aktiv() const { return cookie_ != 0; }

private:
    HANDLE kontext_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};
