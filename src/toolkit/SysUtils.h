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

// Plain text on the clipboard; false when the clipboard could not be had.
bool InZwischenablage(const String& text);
