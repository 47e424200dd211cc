#pragma once
#include "data/Odbc.h"

class TOdbcDataSet;

// One connection to a database through ODBC, by connection string alone (no data source name
// needed): "Driver={SQLite3};Database=C:\Daten\Kunden.db;". It connects when first needed.
class TOdbcConnection : public TComponent {
public:
    explicit TOdbcConnection(TComponent* owner);
    ~TOdbcConnection() override;

    const String& ConnectionString() const { return connectionString_; }
    // Closes the connection when it changes.
    void SetConnectionString(const String& connectionString);
    bool Connected() const { return dbc_ != SQL_NULL_HDBC; }
    void SetConnected(bool connected);
    void Open() { SetConnected(true); }
    // Closes the data sets on it first.
    void Close() { SetConnected(false); }
    SQLHDBC Handle();

    // A statement without a result; returns the rows it affected.
    long long ExecSQL(const String& sql, const std::vector<TOdbcParam>& params = {});
    // A table or column name as the driver quotes it.
    String QuoteName(const String& name);

    // Writes between these happen all or none.
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const { return inTransaction_; }
    // Whether a result being read survives a commit; where it does not, data sets read theirs to
    // the end before they write.
    bool CursorsSurviveCommit();

private:
    friend class TOdbcDataSet;
    void EndTransaction(SQLSMALLINT completion);
    void Check(SQLRETURN rc) { OdbcCheck(rc, SQL_HANDLE_DBC, dbc_); }

    String connectionString_;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    String quote_;
    bool quoteKnown_ = false;
    int cursorsSurvive_ = -1;
    bool inTransaction_ = false;
    std::vector<TOdbcDataSet*> dataSets_;
};

// The connection string as the driver must get it: under Wine the driver runs on the host, so a
// Windows path in Database= or DBQ= becomes the host's path; on Windows nothing changes.
String HostConnectionString(const String& connectionString);
