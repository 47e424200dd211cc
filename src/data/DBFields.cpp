#include "data/DB.h"

#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <cerrno>
#include <cstdio>
#include <cwchar>

namespace {
// Columns declared wider than this (a TEXT column says 65536) still start at a readable width.
constexpr int kWidestDefault = 30;

int DefaultWidth(TFieldType type, int size, const String& name) {
    int width = 20;
    if (type == ftInteger) width = 10;
    if (type == ftFloat) width = 12;
    if (type == ftDate) width = 10;
    if (type == ftDateTime) width = 19;
    if (type == ftString && size > 0) width = std::min(size, kWidestDefault);
    return std::max(width, static_cast<int>(name.size()));
}

bool WholeNumber(const String& t, long long& value) {
    if (t.empty()) return false;
    wchar_t* end = nullptr;
    errno = 0;
    value = std::wcstoll(t.c_str(), &end, 10);
    return errno == 0 && end && *end == 0;
}

// The source's form: "." before the fraction, no grouping.
bool Number(const String& t, double& value) {
    if (t.empty() || t.find_first_not_of(L"0123456789+-.eE") != String::npos) return false;
    wchar_t* end = nullptr;
    errno = 0;
    value = std::wcstod(t.c_str(), &end);
    return errno == 0 && end && *end == 0;
}
// A number as the user types it, in the source's form. Grouping marks must stand between groups
// of three digits before the decimal separator ("1.000" is a thousand where "." groups); any other
// placing is refused rather than guessed, so "1.000" never becomes 1. A "." that is neither the
// user's decimal separator nor the grouping mark is read as the decimal point.
bool TypedNumber(const String& typed, String& number) {
    const String decimal = DezimalTrenner(), grouping = TausenderTrenner();
    String t = typed;
    String fraction;
    size_t d = t.find(decimal);
    if (d == String::npos && decimal != L"." && grouping != L".") d = t.find(L'.');
    if (d != String::npos) {
        fraction = t.substr(d + (t.compare(d, decimal.size(), decimal) == 0 ? decimal.size() : 1));
        t.resize(d);
    }
    if (!grouping.empty() && t.find(grouping) != String::npos) {
        size_t start = t.find_first_not_of(L"+-");
        String digits = start == String::npos ? String() : t.substr(start);
        String sign = t.substr(0, start == String::npos ? t.size() : start);
        String plain;
        size_t pos = 0;
        for (bool first = true;; first = false) {
            size_t mark = digits.find(grouping, pos);
            String group = digits.substr(pos, mark == String::npos ? String::npos : mark - pos);
            if (group.empty() || group.size() > 3 || (!first && group.size() != 3) ||
                group.find_first_not_of(L"0123456789") != String::npos)
                return false;
            plain += group;
            if (mark == String::npos) break;
            pos = mark + grouping.size();
        }
        t = sign + plain;
    }
    number = fraction.empty() && d == String::npos ? t : t + L"." + fraction;
    double value = 0;
    return Number(number, value) && fraction.find_first_not_of(L"0123456789eE+-") == String::npos;
}

bool Digits(const String& t, size_t from, size_t count, int& value) {
    if (from + count > t.size()) return false;
    value = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (t[i] < L'0' || t[i] > L'9') return false;
        value = value * 10 + (t[i] - L'0');
    }
    return true;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// "d.m.yyyy" with an optional " h:mm" or " h:mm:ss"; false for anything else or a day that does not
// exist. The result is the source's form.
bool TypedDate(const String& typed, bool withTime, String& stored) {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    String date = typed, time;
    size_t blank = typed.find(L' ');
    if (blank != String::npos) {
        date = typed.substr(0, blank);
        time = Trimmen(typed.substr(blank + 1));
        if (!withTime) return false;
    }
    const String d = FeldMitTrenner(date, L'.', 0), m = FeldMitTrenner(date, L'.', 1),
                 y = FeldMitTrenner(date, L'.', 2);
    if (!FeldMitTrenner(date, L'.', 3).empty() || d.empty() || d.size() > 2 || m.empty() || m.size() > 2 ||
        y.size() != 4 || !Digits(d, 0, d.size(), day) || !Digits(m, 0, m.size(), month) ||
        !Digits(y, 0, 4, year))
        return false;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || year < 1) return false;
    if (!time.empty()) {
        const String h = FeldMitTrenner(time, L':', 0), mi = FeldMitTrenner(time, L':', 1),
                     se = FeldMitTrenner(time, L':', 2);
        if (!FeldMitTrenner(time, L':', 3).empty() || h.empty() || h.size() > 2 || mi.size() != 2 ||
            !Digits(h, 0, h.size(), hour) || !Digits(mi, 0, 2, minute) ||
            (!se.empty() && (se.size() != 2 || !Digits(se, 0, 2, second))))
            return false;
        if (hour > 23 || minute > 59 || second > 59) return false;
    }
    wchar_t text[40];
    if (withTime)
        std::swprintf(text, 40, L"%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    else
        std::swprintf(text, 40, L"%04d-%02d-%02d", year, month, day);
    stored = text;
    return true;
}

// "yyyy-mm-dd[ hh:mm:ss[.fff]]" as "dd.mm.yyyy[ hh:mm[:ss]]": the time where there is one, seconds
// where they are not 0. A text of another form is shown as it is.
String ShownDate(const String& stored, bool withTime) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (stored.size() < 10 || stored[4] != L'-' || stored[7] != L'-' || !Digits(stored, 0, 4, year) ||
        !Digits(stored, 5, 2, month) || !Digits(stored, 8, 2, day))
        return stored;
    wchar_t text[40];
    std::swprintf(text, 40, L"%02d.%02d.%04d", day, month, year);
    String shown = text;
    if (withTime && stored.size() >= 16 && Digits(stored, 11, 2, hour) && Digits(stored, 14, 2, minute)) {
        if (stored.size() >= 19) Digits(stored, 17, 2, second);
        if (hour || minute || second) {
            std::swprintf(text, 40, second ? L" %02d:%02d:%02d" : L" %02d:%02d", hour, minute, second);
            shown += text;
        }
    }
    return shown;
}
} // namespace

TFieldValue FieldValue(const String& text) {
    return TFieldValue{text, false};
}

TField::TField(TDataSet* dataSet, int index, String name, TFieldType type, int size)
    : dataSet_(dataSet), index_(index), name_(std::move(name)), type_(type), size_(size),
      displayWidth_(DefaultWidth(type, size, name_)) {}

void TField::SetDisplayLabel(const String& label) {
    if (label == label_) return;
    label_ = label;
    if (dataSet_->Active()) dataSet_->DataEvent(TDataEvent::LayoutChanged);
}

void TField::SetDisplayWidth(int width) {
    if (width == displayWidth_) return;
    displayWidth_ = width;
    if (dataSet_->Active()) dataSet_->DataEvent(TDataEvent::LayoutChanged);
}

void TField::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (dataSet_->Active()) dataSet_->DataEvent(TDataEvent::LayoutChanged);
}

const TFieldValue& TField::Value() const {
    return dataSet_->CurrentValue(index_);
}

void TField::SetValue(const TFieldValue& value) {
    dataSet_->SetCurrentValue(this, value);
}

long long TField::AsInteger() const {
    if (IsNull()) return 0;
    const String t = Trimmen(AsString());
    long long value = 0;
    if (WholeNumber(t, value)) return value;
    double d = 0;
    if (Number(t, d) && d >= -9.2e18 && d <= 9.2e18 && d == static_cast<double>(static_cast<long long>(d)))
        return static_cast<long long>(d);
    throw Exception(Format(L"'%s' ist keine gültige Ganzzahl (Feld '%s')", t.c_str(), name_.c_str()));
}

void TField::SetAsInteger(long long value) {
    SetValue(FieldValue(std::to_wstring(value)));
}

double TField::AsFloat() const {
    if (IsNull()) return 0;
    const String t = Trimmen(AsString());
    double value = 0;
    if (Number(t, value)) return value;
    throw Exception(Format(L"'%s' ist keine gültige Zahl (Feld '%s')", t.c_str(), name_.c_str()));
}

void TField::SetAsFloat(double value) {
    wchar_t text[40];
    std::swprintf(text, 40, L"%.15g", value);
    String s = text;
    for (wchar_t& c : s)
        if (c == L',') c = L'.';
    SetValue(FieldValue(s));
}

String TField::DisplayText(const TFieldValue& value) const {
    if (value.null) return String();
    if (type_ == ftBlob)
        return Format(L"(Binärdaten, %s Bytes)", ZahlMitTausendern(static_cast<long long>(value.text.size() / 2)).c_str());
    if (type_ == ftDate || type_ == ftDateTime) return ShownDate(value.text, type_ == ftDateTime);
    if (type_ != ftFloat) return value.text;
    String s = value.text;
    size_t dot = s.find(L'.');
    if (dot != String::npos) s.replace(dot, 1, DezimalTrenner());
    return s;
}

// Numbers and dates come as the user types them; an emptied field is no value (NULL) unless the
// column takes none, where an emptied text stays an empty text.
void TField::SetText(const String& text) {
    if (type_ == ftBlob)
        throw Exception(Format(L"Das Feld '%s' enthält Binärdaten und kann hier nicht geändert werden",
                               DisplayLabel().c_str()));
    String t = Trimmen(text);
    if (type_ != ftInteger && type_ != ftFloat && type_ != ftDate && type_ != ftDateTime) {
        if (text.empty() && !required_)
            Clear();
        else
            SetValue(FieldValue(text));
        return;
    }
    if (t.empty()) {
        Clear();
        return;
    }
    if (type_ == ftDate || type_ == ftDateTime) {
        String stored;
        if (!TypedDate(t, type_ == ftDateTime, stored))
            throw Exception(Format(type_ == ftDate ? L"'%s' ist kein gültiges Datum (Feld '%s'): erwartet wird TT.MM.JJJJ"
                                                   : L"'%s' ist kein gültiges Datum (Feld '%s'): erwartet wird "
                                                     L"TT.MM.JJJJ oder TT.MM.JJJJ hh:mm",
                                   t.c_str(), DisplayLabel().c_str()));
        SetValue(FieldValue(stored));
        return;
    }
    if (type_ == ftInteger) {
        long long value = 0;
        if (!WholeNumber(t, value))
            throw Exception(
                Format(L"'%s' ist keine gültige Ganzzahl (Feld '%s')", t.c_str(), DisplayLabel().c_str()));
        SetValue(FieldValue(std::to_wstring(value)));
        return;
    }
    String number;
    if (!TypedNumber(t, number))
        throw Exception(Format(L"'%s' ist keine gültige Zahl (Feld '%s')", t.c_str(), DisplayLabel().c_str()));
    SetValue(FieldValue(number));
}
