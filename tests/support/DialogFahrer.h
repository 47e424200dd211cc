#pragma once
// Drives the next open-file dialog a test opens: each step runs once the dialog is up and the
// previous step has settled, and may read its fields, type a name or press a button.
#include "util/Basis.h"

#include <functional>
#include <vector>
#include <windows.h>

class DialogFahrer {
public:
    using Schritt = std::function<void(HWND dialog)>;
    explicit DialogFahrer(std::vector<Schritt> schritte);
    ~DialogFahrer();
    DialogFahrer(const DialogFahrer&) = delete;
    DialogFahrer& operator=(const DialogFahrer&) = delete;
    // How many steps ran; when the dialog outlives them it is cancelled and this counts one more.
    size_t Gelaufen() const { return gelaufen_; }
    bool Abgebrochen() const { return notbremse_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Takt(HWND, UINT, UINT_PTR id, DWORD);
    HHOOK hook_ = nullptr;
    HWND dialog_ = nullptr;
    std::vector<Schritt> schritte_;
    size_t gelaufen_ = 0;
    bool notbremse_ = false;
};

// The fields of the system's open-file dialog.
String DialogName(HWND dialog); // the file name field
void DialogNameSetzen(HWND dialog, const String& name);
String DialogOrdner(HWND dialog); // the folder it shows, without trailing backslash
String DialogTitel(HWND dialog);
String DialogFilter(HWND dialog);      // the file type shown
void DialogKnopf(HWND dialog, int id); // IDOK or IDCANCEL
