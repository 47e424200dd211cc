#include "data/Odbc.h"

EDatabaseError::EDatabaseError(const String& driverMessage, String sqlState)
    : Exception(Format(L"Datenbankfehler: %s", driverMessage.c_str())), sqlState_(std::move(sqlState)) {}

bool EDatabaseError::DriverMissing() const {
    return sqlState_ == L"IM002" ||
           (sqlState_ == L"01000" && Message().find(L"Can't open lib") != String::npos);
}

// Every diagnostic record of the handle, joined; the first one's state names the error.
void OdbcCheck(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle) {
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA) return;
    String message, state;
    SQLWCHAR sqlState[6] = {}, text[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT i = 1;
         handle && SQLGetDiagRecW(handleType, handle, i, sqlState, &native, text,
                                  static_cast<SQLSMALLINT>(std::size(text)), &length) == SQL_SUCCESS;
         ++i) {
        if (state.empty()) state = reinterpret_cast<wchar_t*>(sqlState);
        if (!message.empty()) message += L"\r";
        message += reinterpret_cast<wchar_t*>(text);
    }
    if (message.empty())
        message = rc == SQL_INVALID_HANDLE ? L"ungültiges Handle"
                                           : Format(L"Rückgabewert %d", static_cast<int>(rc));
    throw EDatabaseError(message, state);
}

SQLHENV OdbcEnvironment() {
    static SQLHENV env = [] {
        SQLHENV e = SQL_NULL_HENV;
        OdbcCheck(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &e), SQL_HANDLE_ENV, e);
        OdbcCheck(SQLSetEnvAttr(e, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
                  SQL_HANDLE_ENV, e);
        return e;
    }();
    return env;
}

TFieldType OdbcFieldType(SQLSMALLINT sqlType) {
    switch (sqlType) {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
        return ftString;
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
    case SQL_BIT:
        return ftInteger;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_NUMERIC:
    case SQL_DECIMAL:
        return ftFloat;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        return ftDate;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
        return ftDateTime;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return ftBlob;
    default:
        return ftOther;
    }
}

TOdbcParam OdbcParam(const TField* field, const TFieldValue& value) {
    constexpr size_t kLongText = 4000;
    TOdbcParam p{value, SQL_WVARCHAR};
    if (field->DataType() == ftInteger) p.sqlType = SQL_BIGINT;
    if (field->DataType() == ftFloat) p.sqlType = SQL_DOUBLE;
    if (field->DataType() == ftDate) p.sqlType = SQL_TYPE_DATE;
    if (field->DataType() == ftDateTime) p.sqlType = SQL_TYPE_TIMESTAMP;
    if (p.sqlType == SQL_WVARCHAR && value.text.size() > kLongText) p.sqlType = SQL_WLONGVARCHAR;
    return p;
}

TOdbcStatement::TOdbcStatement(SQLHDBC connection) {
    OdbcCheck(SQLAllocHandle(SQL_HANDLE_STMT, connection, &stmt_), SQL_HANDLE_DBC, connection);
}

TOdbcStatement::~TOdbcStatement() {
    if (stmt_) SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
}

void TOdbcStatement::Execute(const String& sql, const std::vector<TOdbcParam>& params) {
    Close();
    SQLFreeStmt(stmt_, SQL_RESET_PARAMS);
    auto* text = reinterpret_cast<SQLWCHAR*>(const_cast<wchar_t*>(sql.c_str()));
    if (params.empty()) {
        Check(SQLExecDirectW(stmt_, text, SQL_NTS));
        return;
    }
    Check(SQLPrepareW(stmt_, text, SQL_NTS));
    texts_.assign(params.size(), String());
    lengths_.assign(params.size(), 0);
    for (size_t i = 0; i < params.size(); ++i) {
        texts_[i] = params[i].value.text;
        lengths_[i] = params[i].value.null ? SQL_NULL_DATA : SQL_NTS;
        SQLULEN size = std::max<SQLULEN>(texts_[i].size(), 1);
        Check(SQLBindParameter(stmt_, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, SQL_C_WCHAR,
                               params[i].sqlType, size, 0, texts_[i].data(),
                               static_cast<SQLLEN>((texts_[i].size() + 1) * sizeof(wchar_t)), &lengths_[i]));
    }
    Check(SQLExecute(stmt_));
}

int TOdbcStatement::ColumnCount() {
    SQLSMALLINT n = 0;
    Check(SQLNumResultCols(stmt_, &n));
    return n;
}

TOdbcColumn TOdbcStatement::Describe(int column) {
    SQLWCHAR name[256] = {};
    SQLSMALLINT nameLength = 0, digits = 0, nullable = 0;
    TOdbcColumn c;
    Check(SQLDescribeColW(stmt_, static_cast<SQLUSMALLINT>(column), name,
                          static_cast<SQLSMALLINT>(std::size(name)), &nameLength, &c.sqlType, &c.size,
                          &digits, &nullable));
    c.name = reinterpret_cast<wchar_t*>(name);
    // Drivers that do not know leave these empty or refuse; both mean "not said".
    auto attribute = [&](SQLUSMALLINT which) {
        SQLWCHAR text[256] = {};
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLColAttributeW(stmt_, static_cast<SQLUSMALLINT>(column), which, text,
                                            sizeof text, &length, nullptr)))
            return String();
        return String(reinterpret_cast<wchar_t*>(text));
    };
    c.baseTable = attribute(SQL_DESC_BASE_TABLE_NAME);
    c.baseColumn = attribute(SQL_DESC_BASE_COLUMN_NAME);
    return c;
}

bool TOdbcStatement::Fetch() {
    SQLRETURN rc = SQLFetch(stmt_);
    if (rc == SQL_NO_DATA) return false;
    Check(rc);
    return true;
}

// A long value comes in pieces: each full buffer but the last ends in a terminator.
TFieldValue TOdbcStatement::Get(int column, bool binary) {
    TFieldValue value;
    if (binary) {
        unsigned char bytes[4096];
        for (;;) {
            SQLLEN length = 0;
            SQLRETURN rc =
                SQLGetData(stmt_, static_cast<SQLUSMALLINT>(column), SQL_C_BINARY, bytes, sizeof bytes, &length);
            if (rc == SQL_NO_DATA) break;
            Check(rc);
            if (length == SQL_NULL_DATA) return value;
            value.null = false;
            const bool more = rc == SQL_SUCCESS_WITH_INFO &&
                              (length == SQL_NO_TOTAL || static_cast<size_t>(length) > sizeof bytes);
            const size_t n = more ? sizeof bytes : static_cast<size_t>(length);
            static const wchar_t digits[] = L"0123456789ABCDEF";
            for (size_t i = 0; i < n; ++i) {
                value.text += digits[bytes[i] >> 4];
                value.text += digits[bytes[i] & 15];
            }
            if (!more) break;
        }
        return value;
    }
    wchar_t buffer[512];
    for (;;) {
        SQLLEN length = 0;
        SQLRETURN rc =
            SQLGetData(stmt_, static_cast<SQLUSMALLINT>(column), SQL_C_WCHAR, buffer, sizeof buffer, &length);
        if (rc == SQL_NO_DATA) break;
        Check(rc);
        if (length == SQL_NULL_DATA) return value;
        value.null = false;
        const size_t room = std::size(buffer) - 1;
        const bool more = rc == SQL_SUCCESS_WITH_INFO &&
                          (length == SQL_NO_TOTAL || static_cast<size_t>(length) / sizeof(wchar_t) > room);
        value.text.append(buffer, more ? room : static_cast<size_t>(length) / sizeof(wchar_t));
        if (!more) break;
    }
    return value;
}

long long TOdbcStatement::RowCount() {
    SQLLEN n = 0;
    Check(SQLRowCount(stmt_, &n));
    return n;
}

void TOdbcStatement::Close() {
    SQLFreeStmt(stmt_, SQL_CLOSE);
}
