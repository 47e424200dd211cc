#pragma once
#include "util/Basis.h"
#include <stdexcept>

// Errors that travel to the message loop carry their German text.
class Exception : public std::exception {
public:
    explicit Exception(String message);
    const String& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    String message_;
    std::string utf8_;
};

// The silent stop: the application's error handler swallows it.
class EAbort : public Exception {
public:
    EAbort() : Exception(L"Operation aborted") {}
};

[[noreturn]] void Abort();

// Win32 error text for a GetLastError code, without the trailing line break.
String SystemFehlerText(unsigned long code);

// Formats with printf rules ("%s" takes a wide string, "%d" an int).
String Format(const wchar_t* format, ...);

std::string NachUtf8(const String& s);

// A function of a system library, bound at its first call: the shell and the common dialogs are
// reached this way, so that a window that opens no dialog starts without loading them and what
// they pull in (the printer spooler among them). The library comes from the system folder only,
// never from beside the program. Raises Exception when the library or the function is missing.
void* SystemfunktionAdresse(const wchar_t* bibliothek, const char* name);
template <typename F>
F* Systemfunktion(const wchar_t* bibliothek, const char* name) {
    return reinterpret_cast<F*>(SystemfunktionAdresse(bibliothek, name));
}

// Plain text on the clipboard; false when the clipboard could not be had.
bool InZwischenablage(const String& text);
