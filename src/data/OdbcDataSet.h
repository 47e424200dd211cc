#pragma once
#include "data/OdbcConnection.h"

#include <memory>
#include <set>

// The query without a closing ORDER BY, for wrapping it: some servers refuse a derived table that
// sorts. A query whose sorting picks the rows (LIMIT, OFFSET, FETCH) stays as it is.
String WithoutOrderBy(const String& sql);

// The rows of a SELECT, read as the cursor first needs them. Changes are written back to
// TableName ("adressen" or "verwaltung.adressen"), each record found by its KeyFields ("Nr" or
// "Jahr;Nr"); without both the data set is read-only and says so when asked to change a record.
// Only columns of that table are written: the others (another table's, expressions, binary
// values) are read-only fields. Inside the program's transaction on the connection the writes
// join it; otherwise each write is a transaction of its own.
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
    String Select(std::vector<TOdbcParam>& params, bool none = false) const;
    void Execute();
    void FindTableColumns(const std::vector<TOdbcColumn>& columns);
    std::vector<TField*> Keys() const;
    const String& Column(const TField* field) const { return columns_[static_cast<size_t>(field->Index())]; }
    bool Writable(const TField* field) const;
    String KeyCondition(const TRecord& values, std::vector<TOdbcParam>& params) const;
    void WriteOne(TBookmark bookmark, const String& sql, const std::vector<TOdbcParam>& params);
    bool ReadRow(const String& sql, const std::vector<TOdbcParam>& params, const std::vector<TField*>& read,
                 TRecord& values, bool onlyOne = false);
    void ReadInserted(TBookmark bookmark, const std::vector<TField*>& written, const std::vector<TField*>& read,
                      TRecord& values);

    TOdbcConnection* connection_ = nullptr;
    String sql_, table_, keys_;
    std::unique_ptr<TOdbcStatement> cursor_;
    bool reading_ = false;
    // While open: the table for statements, and per field its column in the table (empty: none).
    String tableSql_;
    std::vector<String> columns_;
    // New records whose key could not be told for certain: they must be read anew before a change.
    std::set<TBookmark> unsure_;
};
