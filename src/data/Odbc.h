#pragma once
// What the ODBC connection and data set share: the driver's errors in our words, statements that
// free themselves, parameters and values as wide text.
#include "data/DB.h"
#include "toolkit/SysUtils.h"

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

// A driver's error: "Datenbankfehler: " and the driver's own message; SqlState says which kind
// ("IM002": the driver named in the connection string is not installed).
class EDatabaseError : public Exception {
public:
    EDatabaseError(const String& driverMessage, String sqlState);
    const String& SqlState() const { return sqlState_; }
    // The driver named in the connection string is not installed: IM002 on Windows; the host's
    // driver manager under Wine says 01000 "Can't open lib".
    bool DriverMissing() const;

private:
    String sqlState_;
};

// Throws EDatabaseError with the handle's diagnostics unless rc reports success.
void OdbcCheck(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle);

// The process's ODBC environment (ODBC 3), made on first use.
SQLHENV OdbcEnvironment();

struct TOdbcParam {
    TFieldValue value;
    SQLSMALLINT sqlType = SQL_WVARCHAR;
};

struct TOdbcColumn {
    String name;
    SQLSMALLINT sqlType = 0;
    SQLULEN size = 0;
    // Where the driver says the column comes from; empty for an expression or when it says nothing.
    String baseTable, baseColumn;
};

// The field type a column's SQL type reads as.
TFieldType OdbcFieldType(SQLSMALLINT sqlType);
// A field's value as a parameter: text as wide text, numbers as their type, so that the driver
// converts the digits.
TOdbcParam OdbcParam(const TField* field, const TFieldValue& value);

class TOdbcStatement {
public:
    explicit TOdbcStatement(SQLHDBC connection);
    ~TOdbcStatement();
    TOdbcStatement(const TOdbcStatement&) = delete;
    TOdbcStatement& operator=(const TOdbcStatement&) = delete;

    void Execute(const String& sql, const std::vector<TOdbcParam>& params = {});
    int ColumnCount();
    TOdbcColumn Describe(int column);
    // False at the end of the rows.
    bool Fetch();
    // Column from 1, as wide text of any length; binary columns as hexadecimal digits, two a byte.
    TFieldValue Get(int column, bool binary = false);
    long long RowCount();
    // Ends the result; the statement can run again.
    void Close();
    SQLHSTMT Handle() const { return stmt_; }

private:
    void Check(SQLRETURN rc) { OdbcCheck(rc, SQL_HANDLE_STMT, stmt_); }
    SQLHSTMT stmt_ = SQL_NULL_HSTMT;
    std::vector<String> texts_; // parameter buffers, alive until the next Execute
    std::vector<SQLLEN> lengths_;
};
