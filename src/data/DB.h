#pragma once
// The data-access layer: a data set holds records of fields and a cursor on one of them; a data
// source joins a data set to the data-aware controls, which follow it through data links.
#include "toolkit/Classes.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TDataSet;
class TDataSource;
class TDataLink;

// Dates are held as "yyyy-mm-dd", date and time as "yyyy-mm-dd hh:mm:ss"; binary values as
// hexadecimal digits, shown by their size only and never changed through a field.
enum TFieldType { ftString, ftInteger, ftFloat, ftOther, ftDate, ftDateTime, ftBlob };
enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// One value as the data sets keep it: text in the source's own form ("3.5", "-12"), or null.
struct TFieldValue {
    String text;
    bool null = true;
    bool operator==(const TFieldValue&) const = default;
};
TFieldValue FieldValue(const String& text);
using TRecord = std::vector<TFieldValue>;

// A record's identity while the data set is open; 0 is none.
using TBookmark = std::uint64_t;

// A column of the data set. Reads give the current record's value (the edited one while editing);
// writes need the edit or insert state.
class TField {
public:
    TField(TDataSet* dataSet, int index, String name, TFieldType type, int size);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TDataSet* DataSet() const { return dataSet_; }
    int Index() const { return index_; }
    const String& FieldName() const { return name_; }
    TFieldType DataType() const { return type_; }
    // Characters the source declares for the column; 0 when it says nothing useful.
    int Size() const { return size_; }

    // Changing these three tells the data-aware controls to lay themselves out again.
    const String& DisplayLabel() const { return label_.empty() ? name_ : label_; }
    void SetDisplayLabel(const String& label);
    // In characters; what a grid makes its default column width from.
    int DisplayWidth() const { return displayWidth_; }
    void SetDisplayWidth(int width);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // The column takes no NULL: an emptied text stays an empty text instead of becoming NULL.
    bool Required() const { return required_; }
    void SetRequired(bool required) { required_ = required; }
    // Default grid columns show only visible fields.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    const TFieldValue& Value() const;
    void SetValue(const TFieldValue& value);
    bool IsNull() const { return Value().null; }
    void Clear() { SetValue(TFieldValue{}); }
    String AsString() const { return Value().text; }
    void SetAsString(const String& text) { SetValue(FieldValue(text)); }
    long long AsInteger() const;
    void SetAsInteger(long long value);
    double AsFloat() const;
    void SetAsFloat(double value);
    // As the user reads and types it: numbers with the user's decimal separator.
    String Text() const { return DisplayText(Value()); }
    void SetText(const String& text);
    String DisplayText(const TFieldValue& value) const;

private:
    TDataSet* dataSet_;
    int index_;
    String name_;
    TFieldType type_;
    int size_;
    String label_;
    int displayWidth_;
    bool readOnly_ = false;
    bool required_ = false;
    bool visible_ = true;
};

enum class TDataEvent {
    UpdateState,
    DataSetChanged,
    DataSetScroll,
    RecordChanged,
    UpdateRecord,
    LayoutChanged
};

using TDataSetNotifyEvent = std::function<void(TDataSet* dataSet)>;

// Records with a cursor. The base keeps the rows it has read and the record being edited; a
// derived data set says where rows come from and where changes go. The fields are made anew at
// each Open (set their display properties in AfterOpen); Close posts an edit that changed something
// and stays open when that post fails.
class TDataSet : public TComponent {
public:
    explicit TDataSet(TComponent* owner);
    ~TDataSet() override;
    void BeforeDestruction() override;

    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state_; }

    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Moves as far as the records go; returns the distance moved. Trying to pass the first or
    // last record sets Bof or Eof.
    int MoveBy(int distance);
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    int RecordCount();
    bool IsEmpty();
    // 1-based; 0 without a current record (also while a new record is being inserted).
    int RecNo() const;
    void SetRecNo(int recNo);
    TBookmark Bookmark() const;
    bool GotoBookmark(TBookmark bookmark);
    // Whether the record is still among those held.
    bool BookmarkValid(TBookmark bookmark) const;

    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    // Ends an edit: posts it when something changed, else cancels it.
    void CheckBrowseMode();
    bool Modified() const { return modified_; }
    virtual bool CanModify() const { return !readOnly_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField* Fields(int index) const { return fields_.at(static_cast<size_t>(index)).get(); }
    TField* FindField(const String& name) const;
    TField* FieldByName(const String& name) const;

    // A detail data set shows the records whose MasterFields ("Detail=Master;..." or one name
    // for both) equal the master's current record; it follows every move of the master.
    TDataSource* MasterSource() const { return masterSource_; }
    void SetMasterSource(TDataSource* source);
    const String& MasterFields() const { return masterFields_; }
    void SetMasterFields(const String& fields);

    // The rows as a grid shows them: the records with, while inserting, the new one in its place.
    int ViewCount();
    int ViewRow() const;
    bool ViewRowExists(int row);
    const TFieldValue& ViewValue(int row, int field);
    TBookmark ViewBookmark(int row);
    // While a grid draws a row, fields read that row, so that a drawing handler sees the record
    // it draws. The row must have been asked for with ViewRowExists.
    void BeginDrawRow(int row) { drawRow_ = row; }
    void EndDrawRow() { drawRow_ = -1; }

    TDataSetNotifyEvent AfterOpen, BeforeClose, AfterScroll, OnNewRecord, BeforePost, AfterPost, AfterCancel,
        BeforeDelete, AfterDelete;

protected:
    // Makes the fields (AddField) and sets up reading; rows come through FetchRows or AddRow.
    virtual void InternalOpen() = 0;
    virtual void InternalClose() {}
    // Reads rows until at least `wanted` are held; false when the source ended first.
    virtual bool FetchRows(size_t /*wanted*/) { return false; }
    // The number of records without reading them all; the base knows it once all are read.
    virtual int CountRows();
    // Reads the records again (after a refresh or a move of the master).
    virtual void InternalRefresh();
    // Writes a change through to where the records live. A write may fill in values the store
    // gives (a generated key). `before` is the record the new one is placed before (0: the end).
    virtual void WriteInsert(TBookmark bookmark, TBookmark before, TRecord& values) = 0;
    virtual void WriteUpdate(TBookmark bookmark, const TRecord& old, TRecord& values) = 0;
    virtual void WriteDelete(TBookmark bookmark, const TRecord& old) = 0;
    // Whether a re-read row is the record that was current before.
    virtual bool SameRecord(TBookmark oldBookmark, const TRecord& old, TBookmark bookmark,
                            const TRecord& values) const;
    // Why CanModify is false, in a sentence for the user.
    virtual String ReadOnlyReason() const;

    TField* AddField(const String& name, TFieldType type, int size);
    void ClearFields();
    // bookmark 0 gives the row a new one.
    void AddRow(TRecord values, TBookmark bookmark = 0);
    void ClearRows();
    // Bookmarks below this are taken by records the data set does not hold now.
    void ReserveBookmarks(TBookmark below) { nextBookmark_ = std::max(nextBookmark_, below); }
    size_t RowsHeld() const { return rows_.size(); }
    // Reads every row the source still has.
    void FetchAll();
    // The master's values for the detail's link fields; false when the master has no current record.
    struct TMasterValue {
        TField* field;
        TFieldValue value;
    };
    bool MasterValues(std::vector<TMasterValue>& values) const;
    // Detaches every data source and drops the rows; derived destructors call it before they let
    // go of their own resources.
    void Shutdown();

private:
    friend class TField;
    friend class TDataSource;
    class TMasterLink;
    struct TRow {
        TBookmark bookmark;
        TRecord values;
    };

    void CheckActive() const;
    void CheckModify() const;
    bool HaveRow(size_t index);
    void SetState(TDataSetState state);
    void DataEvent(TDataEvent event, TField* field = nullptr, int info = 0);
    void Scrolled(int distance);
    void BeginInsert(size_t position);
    void WriteBack();
    void Reread(bool keepPosition);
    void MasterChanged();
    const TFieldValue& CurrentValue(int field) const;
    const TFieldValue* HeldValue(int row, int field) const;
    void SetCurrentValue(TField* field, const TFieldValue& value);
    void AddSource(TDataSource* source);
    void RemoveSource(TDataSource* source);

    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<TRow> rows_;
    bool fetchedAll_ = false;
    int knownCount_ = -1;
    TBookmark nextBookmark_ = 1;
    size_t current_ = 0;
    size_t insertAt_ = 0;
    TRecord buffer_;
    TDataSetState state_ = dsInactive;
    bool bof_ = true, eof_ = true;
    bool modified_ = false;
    bool readOnly_ = false;
    bool shutDown_ = false;
    int drawRow_ = -1;
    std::vector<TDataSource*> sources_;
    TDataSource* masterSource_ = nullptr;
    String masterFields_;
    std::unique_ptr<TDataLink> masterLink_;
};

using TDataChangeEvent = std::function<void(TComponent* sender, TField* field)>;

// Joins one data set to any number of data links. Disabled, it shows its links an inactive set.
class TDataSource : public TComponent {
public:
    explicit TDataSource(TComponent* owner);
    ~TDataSource() override;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    TDataSetState State() const { return state_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Typing into a data-aware control puts the data set into edit state.
    bool AutoEdit() const { return autoEdit_; }
    void SetAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }

    TNotifyEvent OnStateChange;
    TDataChangeEvent OnDataChange;
    TNotifyEvent OnUpdateData;

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent event, TField* field, int info);
    void UpdateState();
    void DataSetGone();

    TDataSet* dataSet_ = nullptr;
    TDataSetState state_ = dsInactive;
    bool enabled_ = true;
    bool autoEdit_ = true;
    std::vector<TDataLink*> links_;
};

// What a data-aware control derives from to follow a data source. A link is not a component:
// the control that holds it frees it.
class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return source_; }
    void SetDataSource(TDataSource* source);
    // The source's data set, or null.
    TDataSet* DataSet() const;
    // The source is enabled and its data set open.
    bool Active() const { return active_; }
    // The data set is in edit or insert state.
    bool Editing() const { return editing_; }

protected:
    virtual void ActiveChanged() {}
    virtual void EditingChanged() {}
    // Open, refresh, insert, post, delete: anything may have changed.
    virtual void DataSetChanged() {}
    virtual void DataSetScrolled(int /*distance*/) { DataSetChanged(); }
    // A field of the current record changed (null: the whole record).
    virtual void RecordChanged(TField* /*field*/) {}
    // Before a post: write what the control holds into the fields.
    virtual void UpdateData() {}
    virtual void LayoutChanged() { DataSetChanged(); }
    // The link was given another source, or its source went.
    virtual void DataSourceChanged() {}

private:
    friend class TDataSource;
    void Notify(TDataEvent event, TField* field, int info);
    void UpdateState();

    TDataSource* source_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
};
