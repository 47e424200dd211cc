#pragma once
#include "data/DB.h"

#include <initializer_list>

// Records kept in memory, with the behaviour of every data set. The fields are declared before
// opening; the records outlive Close and Open.
class TMemDataSet : public TDataSet {
public:
    explicit TMemDataSet(TComponent* owner);
    ~TMemDataSet() override;

    // Only while closed.
    void AddFieldDef(const String& name, TFieldType type, int size = 0);
    // One record, a text per field in field order (numbers in the stored form "3.5"; empty: no
    // value); open, it goes through Append and Post.
    void AppendRecord(std::initializer_list<String> values);
    // All records held, also those a master hides.
    int StoredCount() const { return static_cast<int>(store_.size()); }
    // A whole-number field the data set numbers itself, as a database numbers a generated key: a
    // new record left without a value gets one more than the highest held. The field may be
    // read-only; empty: none.
    const String& AutoIncField() const { return autoInc_; }
    void SetAutoIncField(const String& name) { autoInc_ = name; }

protected:
    void InternalOpen() override;
    void InternalRefresh() override;
    void WriteInsert(TBookmark bookmark, TBookmark before, TRecord& values) override;
    void WriteUpdate(TBookmark bookmark, const TRecord& old, TRecord& values) override;
    void WriteDelete(TBookmark bookmark, const TRecord& old) override;

private:
    struct TDef {
        String name;
        TFieldType type;
        int size;
    };
    struct TStored {
        TBookmark bookmark;
        TRecord values;
    };
    void LoadRows();
    std::vector<TStored>::iterator Find(TBookmark bookmark);

    std::vector<TDef> defs_;
    std::vector<TStored> store_;
    TBookmark next_ = 1;
    String autoInc_;
};
