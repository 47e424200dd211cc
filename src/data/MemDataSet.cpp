#include "data/MemDataSet.h"

#include "toolkit/SysUtils.h"

#include <algorithm>
#include <cwchar>

TMemDataSet::TMemDataSet(TComponent* owner) : TDataSet(owner) {}

TMemDataSet::~TMemDataSet() {
    Shutdown();
}

void TMemDataSet::AddFieldDef(const String& name, TFieldType type, int size) {
    if (Active())
        throw Exception(
            Format(L"Felder der Datenmenge '%s' können nur geschlossen festgelegt werden", Name().c_str()));
    defs_.push_back({name, type, size});
    for (TStored& s : store_)
        s.values.resize(defs_.size());
}

// An empty text in a number field is no value, as the user's empty entry is: a number read from
// it would fail.
void TMemDataSet::AppendRecord(std::initializer_list<String> values) {
    auto value = [this](size_t i, const String& v) {
        return v.empty() && i < defs_.size() && defs_[i].type != ftString ? TFieldValue{} : FieldValue(v);
    };
    size_t i = 0;
    if (Active()) {
        Append();
        for (const String& v : values) {
            if (static_cast<int>(i) < FieldCount()) Fields(static_cast<int>(i))->SetValue(value(i, v));
            ++i;
        }
        Post();
        return;
    }
    TRecord record;
    for (const String& v : values)
        record.push_back(value(i++, v));
    record.resize(defs_.size());
    store_.push_back({next_++, std::move(record)});
}

void TMemDataSet::InternalOpen() {
    for (const TDef& d : defs_)
        AddField(d.name, d.type, d.size);
    LoadRows();
}

void TMemDataSet::InternalRefresh() {
    LoadRows();
}

// Behind a master only the records whose link fields hold the master's values.
void TMemDataSet::LoadRows() {
    ReserveBookmarks(next_);
    std::vector<TMasterValue> master;
    if (!MasterValues(master)) return;
    for (const TStored& s : store_) {
        bool match = std::all_of(master.begin(), master.end(), [&](const TMasterValue& m) {
            const TFieldValue& v = s.values[static_cast<size_t>(m.field->Index())];
            return !v.null && !m.value.null && v.text == m.value.text;
        });
        if (match) AddRow(s.values, s.bookmark);
    }
}

std::vector<TMemDataSet::TStored>::iterator TMemDataSet::Find(TBookmark bookmark) {
    return std::find_if(store_.begin(), store_.end(),
                        [&](const TStored& s) { return s.bookmark == bookmark; });
}

void TMemDataSet::WriteInsert(TBookmark bookmark, TBookmark before, TRecord& values) {
    if (TField* number = autoInc_.empty() ? nullptr : FieldByName(autoInc_)) {
        const size_t i = static_cast<size_t>(number->Index());
        if (values[i].null) {
            long long highest = 0;
            for (const TStored& s : store_)
                if (!s.values[i].null) highest = std::max(highest, std::wcstoll(s.values[i].text.c_str(), nullptr, 10));
            values[i] = FieldValue(std::to_wstring(highest + 1));
        }
    }
    auto at = before ? Find(before) : store_.end();
    store_.insert(at, {bookmark, values});
    next_ = std::max(next_, bookmark + 1);
}

void TMemDataSet::WriteUpdate(TBookmark bookmark, const TRecord&, TRecord& values) {
    auto it = Find(bookmark);
    if (it != store_.end()) it->values = values;
}

void TMemDataSet::WriteDelete(TBookmark bookmark, const TRecord&) {
    auto it = Find(bookmark);
    if (it != store_.end()) store_.erase(it);
}
