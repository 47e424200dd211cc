#include "data/OdbcConnection.h"

#include "data/OdbcDataSet.h"
#include "util/kv7_str.h"

#include <algorithm>

namespace {
// Wine's own export; absent on Windows.
using UnixNameFn = char*(CDECL*)(const wchar_t*);
UnixNameFn WineUnixName() {
    static UnixNameFn fn = reinterpret_cast<UnixNameFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    return fn;
}

String HostPath(const String& path, UnixNameFn unixName) {
    wchar_t full[MAX_PATH * 4];
    DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    if (n == 0 || n >= std::size(full)) return path;
    char* unix = unixName(full);
    if (!unix) return path;
    int length = MultiByteToWideChar(CP_UTF8, 0, unix, -1, nullptr, 0);
    String result(static_cast<size_t>(std::max(length, 1)) - 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, unix, -1, result.data(), length);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}
} // namespace

String HostConnectionString(const String& connectionString) {
    UnixNameFn unixName = WineUnixName();
    if (!unixName) return connectionString;
    String result;
    size_t start = 0;
    while (start < connectionString.size()) {
        // A value in braces may hold semicolons.
        size_t brace = connectionString.find(L'{', start);
        size_t end = connectionString.find(L';', start);
        if (brace < end) end = connectionString.find(L';', connectionString.find(L'}', brace));
        if (end == String::npos) end = connectionString.size();
        String pair = connectionString.substr(start, end - start);
        size_t eq = pair.find(L'=');
        if (eq != String::npos) {
            String key = Trimmen(pair.substr(0, eq));
            String value = Trimmen(pair.substr(eq + 1));
            bool braced = value.size() >= 2 && value.front() == L'{' && value.back() == L'}';
            if (braced) value = value.substr(1, value.size() - 2);
            if ((TextGleich(key, L"Database") || TextGleich(key, L"DBQ")) && !value.empty() &&
                value[0] != L'/') {
                value = HostPath(value, unixName);
                pair = key + L"=" + (braced ? L"{" + value + L"}" : value);
            }
        }
        result += pair;
        if (end < connectionString.size()) result += L';';
        start = end + 1;
    }
    return result;
}

TOdbcConnection::TOdbcConnection(TComponent* owner) : TComponent(owner) {}

TOdbcConnection::~TOdbcConnection() {
    std::vector<TOdbcDataSet*> sets = dataSets_;
    for (TOdbcDataSet* set : sets)
        set->SetConnection(nullptr);
    SetConnected(false);
}

void TOdbcConnection::SetConnectionString(const String& connectionString) {
    if (connectionString == connectionString_) return;
    Close();
    connectionString_ = connectionString;
}

void TOdbcConnection::SetConnected(bool connected) {
    if (connected == Connected()) return;
    if (!connected) {
        std::vector<TOdbcDataSet*> sets = dataSets_;
        for (TOdbcDataSet* set : sets)
            set->Close();
        if (inTransaction_) EndTransaction(SQL_ROLLBACK);
        SQLDisconnect(dbc_);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
        dbc_ = SQL_NULL_HDBC;
        quoteKnown_ = false;
        cursorsSurvive_ = -1;
        return;
    }
    SQLHENV env = OdbcEnvironment();
    SQLHDBC dbc = SQL_NULL_HDBC;
    OdbcCheck(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc), SQL_HANDLE_ENV, env);
    String text = HostConnectionString(connectionString_);
    SQLWCHAR out[1024];
    SQLSMALLINT outLength = 0;
    SQLRETURN rc =
        SQLDriverConnectW(dbc, nullptr, reinterpret_cast<SQLWCHAR*>(text.data()), SQL_NTS, out,
                          static_cast<SQLSMALLINT>(std::size(out)), &outLength, SQL_DRIVER_NOPROMPT);
    try {
        OdbcCheck(rc, SQL_HANDLE_DBC, dbc);
    } catch (...) {
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        throw;
    }
    dbc_ = dbc;
}

SQLHDBC TOdbcConnection::Handle() {
    Open();
    return dbc_;
}

long long TOdbcConnection::ExecSQL(const String& sql, const std::vector<TOdbcParam>& params) {
    TOdbcStatement statement(Handle());
    statement.Execute(sql, params);
    return statement.RowCount();
}

String TOdbcConnection::QuoteName(const String& name) {
    if (!quoteKnown_) {
        SQLWCHAR quote[8] = {};
        SQLSMALLINT length = 0;
        quote_.clear();
        if (SQL_SUCCEEDED(SQLGetInfoW(Handle(), SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote, &length)))
            quote_ = Trimmen(reinterpret_cast<wchar_t*>(quote));
        quoteKnown_ = true;
    }
    if (quote_.empty()) return name;
    return quote_ + AllesErsetzen(name, quote_, quote_ + quote_) + quote_;
}

void TOdbcConnection::StartTransaction() {
    if (inTransaction_) return;
    Check(SQLSetConnectAttrW(Handle(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF),
                             0));
    inTransaction_ = true;
}

void TOdbcConnection::Commit() {
    EndTransaction(SQL_COMMIT);
}

void TOdbcConnection::Rollback() {
    EndTransaction(SQL_ROLLBACK);
}

// Autocommit comes back even when ending fails, so that the next write is not left hanging.
void TOdbcConnection::EndTransaction(SQLSMALLINT completion) {
    if (!inTransaction_) return;
    inTransaction_ = false;
    SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc_, completion);
    SQLSetConnectAttrW(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    Check(rc);
}

bool TOdbcConnection::CursorsSurviveCommit() {
    if (cursorsSurvive_ < 0) {
        SQLUSMALLINT commit = 0, rollback = 0;
        bool known = SQL_SUCCEEDED(SQLGetInfoW(Handle(), SQL_CURSOR_COMMIT_BEHAVIOR, &commit, sizeof commit,
                                               nullptr)) &&
                     SQL_SUCCEEDED(SQLGetInfoW(dbc_, SQL_CURSOR_ROLLBACK_BEHAVIOR, &rollback, sizeof rollback,
                                               nullptr));
        cursorsSurvive_ = known && commit == SQL_CB_PRESERVE && rollback == SQL_CB_PRESERVE;
    }
    return cursorsSurvive_ == 1;
}
