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

String MapConnectionString(const String& connectionString,
                           const std::function<String(const String& key, const String& value)>& change) {
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
            String changed = change(key, value);
            if (changed != value) pair = key + L"=" + (braced ? L"{" + changed + L"}" : changed);
        }
        result += pair;
        if (end < connectionString.size()) result += L';';
        start = end + 1;
    }
    return result;
}

String ConnectionStringValue(const String& connectionString, const String& key) {
    String found;
    MapConnectionString(connectionString, [&](const String& k, const String& value) {
        if (found.empty() && TextGleich(k, key)) found = value;
        return value;
    });
    return found;
}

bool FileDatabaseDriver(const String& connectionString) {
    const String driver = GrossBuchstaben(ConnectionStringValue(connectionString, L"Driver"));
    for (const wchar_t* file : {L"SQLITE", L"ACCESS", L"*.MDB", L"*.ACCDB", L"DBASE", L"*.DBF", L"EXCEL",
                                L"*.XLS", L"TEXT", L"*.CSV", L"PARADOX", L"FOXPRO"})
        if (driver.find(file) != String::npos) return true;
    return false;
}

String MapDatabaseFile(const String& connectionString, const std::function<String(const String& file)>& change) {
    const bool fileDriver = FileDatabaseDriver(connectionString);
    return MapConnectionString(connectionString, [&](const String& key, const String& value) {
        const bool file = TextGleich(key, L"DBQ") || (fileDriver && TextGleich(key, L"Database"));
        return file && !value.empty() ? change(value) : value;
    });
}

String HostConnectionString(const String& connectionString) {
    UnixNameFn unixName = WineUnixName();
    if (!unixName) return connectionString;
    return MapDatabaseFile(connectionString, [&](const String& file) {
        return file[0] != L'/' ? HostPath(file, unixName) : file;
    });
}

TOdbcConnection::TOdbcConnection(TComponent* owner) : TComponent(owner) {}

// Nothing may leave a destructor: a data set that cannot post its edit loses it here, and a
// transaction still open is rolled back as well as the driver manages.
TOdbcConnection::~TOdbcConnection() {
    std::vector<TOdbcDataSet*> sets = dataSets_;
    for (TOdbcDataSet* set : sets) {
        try {
            set->SetConnection(nullptr);
        } catch (...) {
            set->Cancel();
            set->SetConnection(nullptr);
        }
    }
    try {
        SetConnected(false);
    } catch (...) {
    }
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
        // A connection given up inside a transaction rolls it back; should the driver fail at that,
        // the server rolls back when the connection goes, which is what was asked for.
        if (inTransaction_) {
            inTransaction_ = false;
            SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
        }
        SQLDisconnect(dbc_);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
        dbc_ = SQL_NULL_HDBC;
        quoteKnown_ = false;
        identifierCase_ = -1;
        dbms_ = -1;
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

SQLUSMALLINT TOdbcConnection::InfoNumber(SQLUSMALLINT which) {
    SQLUSMALLINT value = 0;
    if (!SQL_SUCCEEDED(SQLGetInfoW(Handle(), which, &value, sizeof value, nullptr))) return 0;
    return value;
}

TDbms TOdbcConnection::Dbms() {
    if (dbms_ < 0) {
        SQLWCHAR name[128] = {};
        SQLSMALLINT length = 0;
        String text;
        if (SQL_SUCCEEDED(SQLGetInfoW(Handle(), SQL_DBMS_NAME, name, sizeof name, &length)))
            text = GrossBuchstaben(reinterpret_cast<wchar_t*>(name));
        TDbms d = TDbms::Other;
        if (text.find(L"SQLITE") != String::npos) d = TDbms::SQLite;
        if (text.find(L"POSTGRES") != String::npos) d = TDbms::PostgreSQL;
        if (text.find(L"SQL SERVER") != String::npos) d = TDbms::SqlServer;
        if (text.find(L"MYSQL") != String::npos || text.find(L"MARIADB") != String::npos) d = TDbms::MySQL;
        dbms_ = static_cast<int>(d);
    }
    return static_cast<TDbms>(dbms_);
}

namespace {
// Servers fold the letters of unquoted names the ASCII way.
String Folded(const String& name, bool lower) {
    String r = name;
    for (wchar_t& c : r) {
        if (lower && c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (!lower && c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return r;
}

bool PlainName(const String& name) {
    if (name.empty() || (name[0] >= L'0' && name[0] <= L'9')) return false;
    for (wchar_t c : name)
        if (!((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_'))
            return false;
    return true;
}

// Words that name no column unquoted on the usual servers.
bool SqlWord(const String& name) {
    static const wchar_t* const words[] = {
        L"ALL", L"ALTER", L"AND", L"ANY", L"AS", L"ASC", L"BETWEEN", L"BY", L"CASE", L"CHECK", L"COLUMN",
        L"CONSTRAINT", L"CREATE", L"CROSS", L"DEFAULT", L"DELETE", L"DESC", L"DISTINCT", L"DROP", L"ELSE",
        L"END", L"EXISTS", L"FOREIGN", L"FROM", L"FULL", L"GRANT", L"GROUP", L"HAVING", L"IN", L"INDEX",
        L"INNER", L"INSERT", L"INTO", L"IS", L"JOIN", L"KEY", L"LEFT", L"LIKE", L"LIMIT", L"NOT", L"NULL",
        L"OFFSET", L"ON", L"OR", L"ORDER", L"OUTER", L"PRIMARY", L"REFERENCES", L"RIGHT", L"SELECT", L"SET",
        L"TABLE", L"THEN", L"TO", L"UNION", L"UNIQUE", L"UPDATE", L"USER", L"USING", L"VALUES", L"WHEN",
        L"WHERE", L"WITH"};
    const String upper = GrossBuchstaben(name);
    return std::any_of(std::begin(words), std::end(words), [&](const wchar_t* w) { return upper == w; });
}

// "a.b" into its parts; a part in double quotes keeps its dots and letter case.
std::vector<std::pair<String, bool>> NameParts(const String& name) {
    std::vector<std::pair<String, bool>> parts;
    String part;
    bool quoted = false, inQuotes = false;
    for (size_t i = 0; i < name.size(); ++i) {
        wchar_t c = name[i];
        if (c == L'"') {
            if (inQuotes && i + 1 < name.size() && name[i + 1] == L'"') {
                part += c;
                ++i;
            } else {
                inQuotes = !inQuotes;
                quoted = true;
            }
        } else if (c == L'.' && !inQuotes) {
            parts.push_back({Trimmen(part), quoted});
            part.clear();
            quoted = false;
        } else {
            part += c;
        }
    }
    parts.push_back({quoted ? part : Trimmen(part), quoted});
    return parts;
}
} // namespace

String TOdbcConnection::QuoteName(const String& name) {
    if (!quoteKnown_) {
        SQLWCHAR quote[8] = {};
        SQLSMALLINT length = 0;
        quote_.clear();
        if (SQL_SUCCEEDED(SQLGetInfoW(Handle(), SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote, &length)))
            quote_ = Trimmen(reinterpret_cast<wchar_t*>(quote));
        identifierCase_ = InfoNumber(SQL_IDENTIFIER_CASE);
        quoteKnown_ = true;
    }
    // A server that folds unquoted names reads a name in the other case as another name.
    bool folds = false;
    if (identifierCase_ == SQL_IC_LOWER) folds = name != Folded(name, true);
    if (identifierCase_ == SQL_IC_UPPER) folds = name != Folded(name, false);
    if (quote_.empty() || (PlainName(name) && !folds && !SqlWord(name))) return name;
    return quote_ + AllesErsetzen(name, quote_, quote_ + quote_) + quote_;
}

TOdbcConnection::TTableName TOdbcConnection::CatalogTable(const String& name) {
    auto parts = NameParts(Trimmen(name));
    TTableName result;
    result.table = parts.back().first;
    if (parts.size() > 1) result.schema = parts[parts.size() - 2].first;
    const bool quoted = parts.back().second;
    if (quoted) return result;
    // The catalog's spelling: as written, else as the server folds unquoted names.
    QuoteName(result.table);
    std::vector<String> tries{result.table};
    if (identifierCase_ == SQL_IC_LOWER) tries.push_back(Folded(result.table, true));
    if (identifierCase_ == SQL_IC_UPPER) tries.push_back(Folded(result.table, false));
    for (const String& t : tries) {
        TOdbcStatement statement(Handle());
        String schema = result.schema;
        if (!schema.empty() && !(parts.size() > 1 && parts[parts.size() - 2].second)) {
            if (identifierCase_ == SQL_IC_LOWER && t != result.table) schema = Folded(schema, true);
            if (identifierCase_ == SQL_IC_UPPER && t != result.table) schema = Folded(schema, false);
        }
        SQLRETURN rc = SQLTablesW(statement.Handle(), nullptr, 0,
                                  schema.empty() ? nullptr : reinterpret_cast<SQLWCHAR*>(schema.data()),
                                  schema.empty() ? 0 : SQL_NTS, reinterpret_cast<SQLWCHAR*>(const_cast<wchar_t*>(t.c_str())),
                                  SQL_NTS, nullptr, 0);
        if (!SQL_SUCCEEDED(rc)) continue;
        if (statement.Fetch()) {
            TFieldValue s = statement.Get(2), n = statement.Get(3);
            if (!result.schema.empty() && !s.null) result.schema = s.text;
            if (!n.null) result.table = n.text;
            return result;
        }
    }
    return result;
}

String TOdbcConnection::TableSql(const TTableName& name) {
    return name.schema.empty() ? QuoteName(name.table) : QuoteName(name.schema) + L"." + QuoteName(name.table);
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

void TOdbcConnection::WriteAtomically(const std::function<void()>& write) {
    if (!inTransaction_) {
        StartTransaction();
        try {
            write();
            Commit();
        } catch (...) {
            try {
                Rollback();
            } catch (...) {
            }
            throw;
        }
        return;
    }
    const TDbms dbms = Dbms();
    const bool sqlServer = dbms == TDbms::SqlServer;
    const bool savepoints = dbms != TDbms::Other;
    if (savepoints) ExecSQL(sqlServer ? L"SAVE TRANSACTION sic_schreiben" : L"SAVEPOINT sic_schreiben");
    try {
        write();
    } catch (...) {
        if (savepoints) {
            try {
                ExecSQL(sqlServer ? L"ROLLBACK TRANSACTION sic_schreiben" : L"ROLLBACK TO SAVEPOINT sic_schreiben");
            } catch (...) {
            }
        }
        throw;
    }
    if (savepoints && !sqlServer) ExecSQL(L"RELEASE SAVEPOINT sic_schreiben");
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
