#include "data/DB.h"

#include "toolkit/SysUtils.h"

#include <windows.h>
#include <algorithm>
#include <limits>

// Follows the master's current record; any change there reads the detail's records anew.
class TDataSet::TMasterLink : public TDataLink {
public:
    explicit TMasterLink(TDataSet* detail) : detail_(detail) {}

protected:
    void ActiveChanged() override { detail_->MasterChanged(); }
    void DataSetChanged() override { detail_->MasterChanged(); }
    void DataSetScrolled(int) override { detail_->MasterChanged(); }
    void DataSourceChanged() override { detail_->masterSource_ = DataSource(); }

private:
    TDataSet* detail_;
};

TDataSet::TDataSet(TComponent* owner) : TComponent(owner), masterLink_(std::make_unique<TMasterLink>(this)) {}

TDataSet::~TDataSet() {
    Shutdown();
}

void TDataSet::BeforeDestruction() {
    Shutdown();
    TComponent::BeforeDestruction();
}

// Without events to the data set itself: what is being torn down is not worked on.
void TDataSet::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    state_ = dsInactive;
    std::vector<TDataSource*> sources = sources_;
    for (TDataSource* s : sources)
        s->DataSetGone();
    sources_.clear();
    masterLink_->SetDataSource(nullptr);
    rows_.clear();
    buffer_.clear();
}

void TDataSet::CheckActive() const {
    if (!Active()) throw Exception(Format(L"Die Datenmenge '%s' ist nicht geöffnet", Name().c_str()));
}

void TDataSet::CheckModify() const {
    if (!CanModify()) throw Exception(ReadOnlyReason());
}

String TDataSet::ReadOnlyReason() const {
    return L"Die Datensätze können nur gelesen werden: Die Datenmenge ist schreibgeschützt";
}

void TDataSet::SetActive(bool active) {
    if (active == Active() || shutDown_) return;
    if (!active) {
        // What was typed is posted first; a post that fails leaves the data set open in its edit.
        CheckBrowseMode();
        if (BeforeClose) BeforeClose(this);
        buffer_.clear();
        modified_ = false;
        InternalClose();
        ClearRows();
        SetState(dsInactive);
        ClearFields();
        return;
    }
    try {
        ClearFields();
        ClearRows();
        InternalOpen();
        current_ = 0;
        bof_ = true;
        eof_ = !HaveRow(0);
    } catch (...) {
        InternalClose();
        ClearRows();
        ClearFields();
        throw;
    }
    SetState(dsBrowse);
    DataEvent(TDataEvent::DataSetChanged);
    if (AfterOpen) AfterOpen(this);
}

TField* TDataSet::AddField(const String& name, TFieldType type, int size) {
    fields_.push_back(std::make_unique<TField>(this, FieldCount(), name, type, size));
    return fields_.back().get();
}

void TDataSet::ClearFields() {
    fields_.clear();
}

void TDataSet::AddRow(TRecord values, TBookmark bookmark) {
    values.resize(fields_.size());
    if (bookmark == 0) bookmark = nextBookmark_++;
    nextBookmark_ = std::max(nextBookmark_, bookmark + 1);
    rows_.push_back(TRow{bookmark, std::move(values)});
}

void TDataSet::ClearRows() {
    rows_.clear();
    fetchedAll_ = false;
    knownCount_ = -1;
    current_ = 0;
}

bool TDataSet::HaveRow(size_t index) {
    while (rows_.size() <= index && !fetchedAll_)
        if (!FetchRows(index + 1)) fetchedAll_ = true;
    if (fetchedAll_) knownCount_ = static_cast<int>(rows_.size());
    return index < rows_.size();
}

void TDataSet::FetchAll() {
    HaveRow(std::numeric_limits<size_t>::max() - 1);
}

int TDataSet::CountRows() {
    FetchAll();
    return static_cast<int>(rows_.size());
}

int TDataSet::RecordCount() {
    if (!Active()) return 0;
    if (!fetchedAll_ && knownCount_ < 0) knownCount_ = CountRows();
    return std::max(knownCount_, static_cast<int>(rows_.size()));
}

bool TDataSet::IsEmpty() {
    return !Active() || (state_ != dsInsert && !HaveRow(0));
}

int TDataSet::RecNo() const {
    if (state_ == dsInactive || state_ == dsInsert || current_ >= rows_.size()) return 0;
    return static_cast<int>(current_) + 1;
}

void TDataSet::SetRecNo(int recNo) {
    CheckActive();
    CheckBrowseMode();
    MoveBy(std::max(recNo, 1) - 1 - static_cast<int>(current_));
}

TBookmark TDataSet::Bookmark() const {
    if (state_ == dsInactive || state_ == dsInsert || current_ >= rows_.size()) return 0;
    return rows_[current_].bookmark;
}

bool TDataSet::BookmarkValid(TBookmark bookmark) const {
    return bookmark != 0 &&
           std::any_of(rows_.begin(), rows_.end(), [&](const TRow& r) { return r.bookmark == bookmark; });
}

bool TDataSet::GotoBookmark(TBookmark bookmark) {
    CheckActive();
    CheckBrowseMode();
    auto it = std::find_if(rows_.begin(), rows_.end(), [&](const TRow& r) { return r.bookmark == bookmark; });
    if (bookmark == 0 || it == rows_.end()) return false;
    int distance = static_cast<int>(it - rows_.begin()) - static_cast<int>(current_);
    current_ = static_cast<size_t>(it - rows_.begin());
    bof_ = eof_ = false;
    Scrolled(distance);
    return true;
}

void TDataSet::First() {
    CheckActive();
    CheckBrowseMode();
    int distance = -static_cast<int>(current_);
    current_ = 0;
    bof_ = true;
    eof_ = !HaveRow(0);
    Scrolled(distance);
}

void TDataSet::Last() {
    CheckActive();
    CheckBrowseMode();
    FetchAll();
    size_t last = rows_.empty() ? 0 : rows_.size() - 1;
    int distance = static_cast<int>(last) - static_cast<int>(current_);
    current_ = last;
    eof_ = true;
    bof_ = rows_.empty();
    Scrolled(distance);
}

int TDataSet::MoveBy(int distance) {
    CheckActive();
    CheckBrowseMode();
    if (!HaveRow(0)) {
        bof_ = eof_ = true;
        Scrolled(0);
        return 0;
    }
    int moved = 0;
    if (distance > 0) {
        while (moved < distance && HaveRow(current_ + 1)) {
            ++current_;
            ++moved;
        }
        bof_ = false;
        eof_ = moved < distance;
    } else if (distance < 0) {
        while (moved > distance && current_ > 0) {
            --current_;
            --moved;
        }
        eof_ = false;
        bof_ = moved > distance;
    }
    Scrolled(moved);
    return moved;
}

void TDataSet::Scrolled(int distance) {
    DataEvent(TDataEvent::DataSetScroll, nullptr, distance);
    if (AfterScroll) AfterScroll(this);
}

TField* TDataSet::FindField(const String& name) const {
    for (const auto& f : fields_)
        if (CompareStringOrdinal(f->FieldName().c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
            return f.get();
    return nullptr;
}

TField* TDataSet::FieldByName(const String& name) const {
    if (TField* f = FindField(name)) return f;
    throw Exception(
        Format(L"Das Feld '%s' gibt es in der Datenmenge '%s' nicht", name.c_str(), Name().c_str()));
}

const TFieldValue& TDataSet::CurrentValue(int field) const {
    static const TFieldValue none;
    if (drawRow_ >= 0) {
        const TFieldValue* v = HeldValue(drawRow_, field);
        return v ? *v : none;
    }
    size_t i = static_cast<size_t>(field);
    if (state_ == dsEdit || state_ == dsInsert) return i < buffer_.size() ? buffer_[i] : none;
    if (state_ == dsBrowse && current_ < rows_.size() && i < rows_[current_].values.size())
        return rows_[current_].values[i];
    return none;
}

// A view row's value among those held: the edited record's from the edit buffer.
const TFieldValue* TDataSet::HeldValue(int row, int field) const {
    if (row < 0 || field < 0 || field >= FieldCount()) return nullptr;
    size_t r = static_cast<size_t>(row), f = static_cast<size_t>(field);
    if (state_ == dsInsert) {
        if (r == insertAt_) return &buffer_[f];
        if (r > insertAt_) --r;
    } else if (state_ == dsEdit && r == current_) {
        return &buffer_[f];
    }
    return r < rows_.size() ? &rows_[r].values[f] : nullptr;
}

void TDataSet::SetCurrentValue(TField* field, const TFieldValue& value) {
    if (state_ != dsEdit && state_ != dsInsert)
        throw Exception(Format(L"Das Feld '%s' kann nur beim Bearbeiten eines Datensatzes geändert werden",
                               field->FieldName().c_str()));
    if (field->ReadOnly())
        throw Exception(Format(L"Das Feld '%s' ist schreibgeschützt", field->FieldName().c_str()));
    TFieldValue& slot = buffer_.at(static_cast<size_t>(field->Index()));
    if (slot == value) return;
    slot = value;
    modified_ = true;
    DataEvent(TDataEvent::RecordChanged, field);
}

int TDataSet::ViewCount() {
    return RecordCount() + (state_ == dsInsert ? 1 : 0);
}

int TDataSet::ViewRow() const {
    if (state_ == dsInsert) return static_cast<int>(insertAt_);
    return current_ < rows_.size() ? static_cast<int>(current_) : 0;
}

bool TDataSet::ViewRowExists(int row) {
    if (!Active() || row < 0) return false;
    size_t r = static_cast<size_t>(row);
    if (state_ == dsInsert) {
        if (r == insertAt_) return true;
        if (r > insertAt_) --r;
    }
    return HaveRow(r);
}

const TFieldValue& TDataSet::ViewValue(int row, int field) {
    static const TFieldValue none;
    if (!ViewRowExists(row)) return none;
    const TFieldValue* v = HeldValue(row, field);
    return v ? *v : none;
}

TBookmark TDataSet::ViewBookmark(int row) {
    if (!ViewRowExists(row)) return 0;
    size_t r = static_cast<size_t>(row);
    if (state_ == dsInsert) {
        if (r == insertAt_) return 0;
        if (r > insertAt_) --r;
    }
    return rows_[r].bookmark;
}

void TDataSet::SetState(TDataSetState state) {
    if (state == state_) return;
    state_ = state;
    DataEvent(TDataEvent::UpdateState);
}

// The list may change while it is walked (a handler leaves the data set).
void TDataSet::DataEvent(TDataEvent event, TField* field, int info) {
    std::vector<TDataSource*> sources = sources_;
    for (TDataSource* s : sources)
        if (std::find(sources_.begin(), sources_.end(), s) != sources_.end())
            s->DataEvent(event, field, info);
}

void TDataSet::AddSource(TDataSource* source) {
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end()) sources_.push_back(source);
}

void TDataSet::RemoveSource(TDataSource* source) {
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}
