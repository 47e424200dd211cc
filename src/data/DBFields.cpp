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
    if (type_ != ftFloat) return value.text;
    String s = value.text;
    size_t dot = s.find(L'.');
    if (dot != String::npos) s.replace(dot, 1, DezimalTrenner());
    return s;
}

// Numbers come as the user types them (either separator); an empty number is no value.
void TField::SetText(const String& text) {
    if (type_ != ftInteger && type_ != ftFloat) {
        SetValue(FieldValue(text));
        return;
    }
    String t = Trimmen(text);
    if (t.empty()) {
        Clear();
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
    const String separator = DezimalTrenner();
    size_t p = t.find(separator);
    if (p != String::npos) t.replace(p, separator.size(), L".");
    double value = 0;
    if (!Number(t, value))
        throw Exception(Format(L"'%s' ist keine gültige Zahl (Feld '%s')", Trimmen(text).c_str(),
                               DisplayLabel().c_str()));
    SetValue(FieldValue(t));
}
