#include "toolkit/Application.h"

#include "toolkit/Dialogs.h"
#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"

#include <windows.h>

namespace {
String& Title() {
    static String title = [] {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        String name = path;
        size_t slash = name.find_last_of(L"\\/");
        if (slash != String::npos) name.erase(0, slash + 1);
        size_t dot = name.rfind(L'.');
        if (dot != String::npos) name.erase(dot);
        return name;
    }();
    return title;
}
}  // namespace

const String& ApplicationTitle() { return Title(); }
void SetApplicationTitle(const String& title) { Title() = title; }

void ShowException(const std::exception& error) {
    MessageBoxArgs box;
    if (auto* e = dynamic_cast<const Exception*>(&error)) {
        box.text = e->Message();
    } else {
        std::string what = error.what();
        box.text.assign(what.begin(), what.end());
    }
    if (!box.text.empty() && box.text.back() != L'.') box.text += L'.';
    box.caption = ApplicationTitle();
    box.icon = MB_ICONERROR;
    ShowMessageBox(box);
}

void HandleException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(Exception(L"Unbekannter Fehler"));
    }
}

// Showing the box may itself fail (no memory left); then the callback goes on without it.
void HandleCallbackException(std::exception_ptr error) noexcept {
    try {
        HandleException(error);
    } catch (...) {
    }
}

namespace {
HWND g_mainWindow = nullptr;
}

// The application's processing, with the keyboard rules of our forms.
void ProcessMessages() { Application()->ProcessMessages(); }

HWND ApplicationMainWindow() { return g_mainWindow; }

void SetApplicationMainWindow(HWND wnd) {
    g_mainWindow = wnd;
    SetMessageBoxOwner(wnd);
}
