// Changing records: edit, insert, post, cancel, delete; reading them again; the master's lead.
#include "data/DB.h"

#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <algorithm>

void TDataSet::Edit() {
    CheckActive();
    if (state_ == dsEdit || state_ == dsInsert) return;
    CheckModify();
    if (!HaveRow(current_)) {
        Insert();
        return;
    }
    buffer_ = rows_[current_].values;
    modified_ = false;
    SetState(dsEdit);
}

void TDataSet::Insert() {
    CheckActive();
    CheckBrowseMode();
    CheckModify();
    BeginInsert(HaveRow(current_) ? current_ : rows_.size());
}

void TDataSet::Append() {
    CheckActive();
    CheckBrowseMode();
    CheckModify();
    FetchAll();
    BeginInsert(rows_.size());
}

// The new record starts with the master's values in its link fields; what OnNewRecord fills in
// does not count as a change, so an untouched new record is dropped by CheckBrowseMode.
void TDataSet::BeginInsert(size_t position) {
    insertAt_ = position;
    buffer_.assign(fields_.size(), TFieldValue{});
    std::vector<TMasterValue> master;
    if (MasterValues(master))
        for (const TMasterValue& m : master)
            buffer_[static_cast<size_t>(m.field->Index())] = m.value;
    SetState(dsInsert);
    if (OnNewRecord) OnNewRecord(this);
    modified_ = false;
    DataEvent(TDataEvent::DataSetChanged);
}

// A write that fails leaves the record in edit state with everything the user typed.
void TDataSet::Post() {
    CheckActive();
    if (state_ != dsEdit && state_ != dsInsert) return;
    DataEvent(TDataEvent::UpdateRecord);
    if (BeforePost) BeforePost(this);
    WriteBack();
    modified_ = false;
    buffer_.clear();
    SetState(dsBrowse);
    DataEvent(TDataEvent::DataSetChanged);
    if (AfterPost) AfterPost(this);
}

void TDataSet::WriteBack() {
    TRecord values = buffer_;
    if (state_ == dsEdit) {
        WriteUpdate(rows_[current_].bookmark, rows_[current_].values, values);
        rows_[current_].values = std::move(values);
        return;
    }
    const TBookmark bookmark = nextBookmark_;
    WriteInsert(bookmark, insertAt_ < rows_.size() ? rows_[insertAt_].bookmark : 0, values);
    ++nextBookmark_;
    values.resize(fields_.size());
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(insertAt_), TRow{bookmark, std::move(values)});
    current_ = insertAt_;
    if (knownCount_ >= 0) ++knownCount_;
    bof_ = eof_ = false;
}

void TDataSet::Cancel() {
    if (state_ != dsEdit && state_ != dsInsert) return;
    buffer_.clear();
    modified_ = false;
    SetState(dsBrowse);
    DataEvent(TDataEvent::DataSetChanged);
    if (AfterCancel) AfterCancel(this);
}

void TDataSet::CheckBrowseMode() {
    if (state_ != dsEdit && state_ != dsInsert) return;
    DataEvent(TDataEvent::UpdateRecord);
    if (modified_)
        Post();
    else
        Cancel();
}

// The cursor goes to the following record, or to the one before when the last went (then Eof).
void TDataSet::Delete() {
    CheckActive();
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (!HaveRow(current_)) throw Exception(L"Die Datenmenge ist leer: Es gibt keinen Datensatz zum Löschen");
    CheckModify();
    Cancel();
    if (BeforeDelete) BeforeDelete(this);
    WriteDelete(rows_[current_].bookmark, rows_[current_].values);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(current_));
    if (knownCount_ > 0) --knownCount_;
    bof_ = eof_ = false;
    if (!HaveRow(current_)) {
        eof_ = true;
        if (current_ > 0) --current_;
    }
    if (rows_.empty()) bof_ = eof_ = true;
    DataEvent(TDataEvent::DataSetChanged);
    if (AfterDelete) AfterDelete(this);
}

void TDataSet::Refresh() {
    CheckActive();
    CheckBrowseMode();
    Reread(true);
}

void TDataSet::InternalRefresh() {}

bool TDataSet::SameRecord(TBookmark oldBookmark, const TRecord& old, TBookmark bookmark,
                          const TRecord& values) const {
    return oldBookmark == bookmark || old == values;
}

// Keeping the position looks for the record near where it was: re-reading is for a list the
// user is working in, and the record rarely moves far.
void TDataSet::Reread(bool keepPosition) {
    constexpr size_t kSearch = 1000;
    const size_t oldIndex = current_;
    const bool hadRow = current_ < rows_.size();
    const TBookmark oldBookmark = hadRow ? rows_[current_].bookmark : 0;
    const TRecord old = hadRow ? rows_[current_].values : TRecord{};
    const bool wasBof = bof_, wasEof = eof_;
    ClearRows();
    InternalRefresh();
    size_t found = 0;
    if (keepPosition && hadRow) {
        found = oldIndex;
        bool match = false;
        for (size_t i = 0; i <= oldIndex + kSearch && HaveRow(i); ++i)
            if (SameRecord(oldBookmark, old, rows_[i].bookmark, rows_[i].values)) {
                found = i;
                match = true;
                break;
            }
        if (!match && !HaveRow(found)) found = rows_.empty() ? 0 : rows_.size() - 1;
    }
    current_ = found;
    const bool empty = !HaveRow(0);
    bof_ = empty || !keepPosition || (wasBof && current_ == 0);
    eof_ = empty || (keepPosition && wasEof && !HaveRow(current_ + 1));
    DataEvent(TDataEvent::DataSetChanged);
}

void TDataSet::SetMasterSource(TDataSource* source) {
    if (source == masterSource_) return;
    if (source && source->DataSet() == this)
        throw Exception(
            Format(L"Die Datenmenge '%s' kann nicht ihre eigene Hauptdatenquelle sein", Name().c_str()));
    masterSource_ = source;
    masterLink_->SetDataSource(source);
    MasterChanged();
}

void TDataSet::SetMasterFields(const String& fields) {
    if (fields == masterFields_) return;
    masterFields_ = fields;
    MasterChanged();
}

void TDataSet::MasterChanged() {
    if (!Active() || shutDown_) return;
    CheckBrowseMode();
    Reread(false);
}

bool TDataSet::MasterValues(std::vector<TMasterValue>& values) const {
    values.clear();
    if (!masterSource_) return true;
    TDataSet* master = masterSource_->DataSet();
    if (!master || !master->Active() || masterSource_->State() == dsInactive) return false;
    if (master->State() != dsInsert && master->RecNo() == 0) return false;
    for (int i = 0;; ++i) {
        String pair = Trimmen(FeldMitTrenner(masterFields_, L';', i));
        if (pair.empty()) break;
        size_t eq = pair.find(L'=');
        String detailName = Trimmen(pair.substr(0, eq));
        String masterName = eq == String::npos ? detailName : Trimmen(pair.substr(eq + 1));
        values.push_back({FieldByName(detailName), master->FieldByName(masterName)->Value()});
    }
    return true;
}
