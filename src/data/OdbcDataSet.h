#pragma once
#include "data/OdbcConnection.h"

#include <memory>

// The rows of a SELECT, read as the cursor first needs them. Changes are written back to
// TableName, each record found by its KeyFields ("Nr" or "Jahr;Nr"); without both the data set
// is read-only and says so when asked to change a record.
class TOdbcDataSet : public TDataSet {
public:
    explicit TOdbcDataSet(TComponent* owner);
    ~TOdbcDataSet() override;

    // Not owned.
    TOdbcConnection* Connection() const { return connection_; }
    void SetConnection(TOdbcConnection* connection);
    // Writing one of these closes the data set.
    const String& SQL() const { return sql_; }
    void SetSQL(const String& sql);
    const String& TableName() const { return table_; }
    void SetTableName(const String& table);
    const String& KeyFields() const { return keys_; }
    void SetKeyFields(const String& keys);

    bool CanModify() const override;

protected:
    void InternalOpen() override;
    void InternalClose() override;
    bool FetchRows(size_t wanted) override;
    int CountRows() override;
    void InternalRefresh() override;
    void WriteInsert(TBookmark bookmark, TBookmark before, TRecord& values) override;
    void WriteUpdate(TBookmark bookmark, const TRecord& old, TRecord& values) override;
    void WriteDelete(TBookmark bookmark, const TRecord& old) override;
    bool SameRecord(TBookmark oldBookmark, const TRecord& old, TBookmark bookmark,
                    const TRecord& values) const override;
    String ReadOnlyReason() const override;

private:
    String Select(std::vector<TOdbcParam>& params) const;
    void Execute();
    std::vector<TField*> Keys() const;
    String KeyCondition(const TRecord& values, std::vector<TOdbcParam>& params) const;
    void WriteOne(const String& sql, const std::vector<TOdbcParam>& params);
    void ReadGeneratedKeys(const std::vector<TField*>& written, TRecord& values);

    TOdbcConnection* connection_ = nullptr;
    String sql_, table_, keys_;
    std::unique_ptr<TOdbcStatement> cursor_;
    bool reading_ = false;
};
