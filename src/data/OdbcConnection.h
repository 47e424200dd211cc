#pragma once
#include "data/Odbc.h"

class TOdbcDataSet;

// The database system behind a connection, as far as the layer treats one differently.
enum class TDbms { Other, SQLite, PostgreSQL, SqlServer, MySQL };

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
    // A name as the catalog holds it, written for a statement: quoted only where the server would
    // otherwise read it differently (not a plain name, a letter case the server folds, a word of SQL).
    String QuoteName(const String& name);
    // A table name as the user wrote it ("adressen", "Verwaltung.Adressen", "\"Meine Tabelle\""),
    // split into schema and table and spelt as the catalog holds them; a table the catalog does not
    // list keeps the spelling given.
    struct TTableName {
        String schema, table;
    };
    TTableName CatalogTable(const String& name);
    // The table name for a statement.
    String TableSql(const TTableName& name);

    TDbms Dbms();

    // Writes between these happen all or none. The program's transaction is its own: the data sets
    // write inside it and never end it.
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const { return inTransaction_; }
    // Whether a result being read survives a commit; where it does not, data sets read theirs to
    // the end before they write.
    bool CursorsSurviveCommit();

private:
    friend class TOdbcDataSet;
    // One write of a data set, all or nothing: inside the program's transaction behind a savepoint
    // (so that a failure undoes this write only and leaves the transaction to the program), else in
    // a transaction of its own.
    void WriteAtomically(const std::function<void()>& write);
    void EndTransaction(SQLSMALLINT completion);
    SQLUSMALLINT InfoNumber(SQLUSMALLINT which);
    void Check(SQLRETURN rc) { OdbcCheck(rc, SQL_HANDLE_DBC, dbc_); }

    String connectionString_;
    SQLHDBC dbc_ = SQL_NULL_HDBC;
    String quote_;
    bool quoteKnown_ = false;
    int identifierCase_ = -1;
    int dbms_ = -1;
    int cursorsSurvive_ = -1;
    bool inTransaction_ = false;
    std::vector<TOdbcDataSet*> dataSets_;
};

// Passes every key=value pair of the connection string to change (a value without its braces)
// and puts back what it returns.
String MapConnectionString(const String& connectionString,
                           const std::function<String(const String& key, const String& value)>& change);
// The value of the first pair with that key (letter case aside), empty when there is none.
String ConnectionStringValue(const String& connectionString, const String& key);

// Whether Database= names a file: for the drivers of file databases (SQLite, Access, dBase, Excel,
// text files). A server's Database= is the name of a database on it. DBQ= always names a file.
bool FileDatabaseDriver(const String& connectionString);
// The pairs that name a database file, with the value changed by change.
String MapDatabaseFile(const String& connectionString, const std::function<String(const String& file)>& change);

// The connection string as the driver must get it: under Wine the driver runs on the host, so a
// Windows path naming a database file becomes the host's path; on Windows nothing changes.
String HostConnectionString(const String& connectionString);
