#include "data/OdbcDataSet.h"

#include "util/kv7_str.h"

#include <algorithm>
#include <climits>
#include <cwchar>

TOdbcDataSet::TOdbcDataSet(TComponent* owner) : TDataSet(owner) {}

TOdbcDataSet::~TOdbcDataSet() {
    Shutdown();
    cursor_.reset();
    SetConnection(nullptr);
}

void TOdbcDataSet::SetConnection(TOdbcConnection* connection) {
    if (connection == connection_) return;
    Close();
    if (connection_)
        connection_->dataSets_.erase(
            std::remove(connection_->dataSets_.begin(), connection_->dataSets_.end(), this),
            connection_->dataSets_.end());
    connection_ = connection;
    if (connection_) connection_->dataSets_.push_back(this);
}

void TOdbcDataSet::SetSQL(const String& sql) {
    if (sql == sql_) return;
    Close();
    sql_ = sql;
}

void TOdbcDataSet::SetTableName(const String& table) {
    if (table == table_) return;
    Close();
    table_ = table;
}

void TOdbcDataSet::SetKeyFields(const String& keys) {
    if (keys == keys_) return;
    Close();
    keys_ = keys;
}

bool TOdbcDataSet::CanModify() const {
    return TDataSet::CanModify() && connection_ && !Trimmen(table_).empty() && !Trimmen(keys_).empty();
}

String TOdbcDataSet::ReadOnlyReason() const {
    if (ReadOnly()) return TDataSet::ReadOnlyReason();
    return L"Die Datensätze können nur gelesen werden: Zum Ändern fehlen der Name der Tabelle und ihre "
           L"Schlüsselspalten";
}

namespace {
bool WordAt(const String& upper, size_t i, const wchar_t* word) {
    const size_t n = std::wcslen(word);
    auto boundary = [&](size_t at) {
        if (at >= upper.size()) return true;
        wchar_t c = upper[at];
        return !((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_');
    };
    return upper.compare(i, n, word) == 0 && (i == 0 || boundary(i - 1)) && boundary(i + n);
}

// Where the last ORDER BY outside brackets and quotes begins; npos without one.
size_t OrderByAt(const String& sql) {
    const String upper = GrossBuchstaben(sql);
    size_t found = String::npos;
    int depth = 0;
    wchar_t quote = 0;
    for (size_t i = 0; i < upper.size(); ++i) {
        wchar_t c = upper[i];
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == L'\'' || c == L'"' || c == L'`') quote = c;
        else if (c == L'[') quote = L']';
        else if (c == L'(') ++depth;
        else if (c == L')') --depth;
        else if (depth == 0 && WordAt(upper, i, L"ORDER")) {
            size_t by = upper.find_first_not_of(L" \t\r\n", i + 5);
            if (by != String::npos && WordAt(upper, by, L"BY")) found = i;
        } else if (depth == 0 && found != String::npos &&
                   (WordAt(upper, i, L"LIMIT") || WordAt(upper, i, L"OFFSET") || WordAt(upper, i, L"FETCH"))) {
            return String::npos;
        }
    }
    return found;
}

String Trimmed(String sql) {
    sql = Trimmen(sql);
    while (!sql.empty() && (sql.back() == L';' || sql.back() == L' ' || sql.back() == L'\r' || sql.back() == L'\n'))
        sql.pop_back();
    return sql;
}
} // namespace

String WithoutOrderBy(const String& sql) {
    const String base = Trimmed(sql);
    const size_t at = OrderByAt(base);
    return at == String::npos ? base : Trimmed(base.substr(0, at));
}

// Behind a master the query is narrowed to the master's values; without a current master record
// (or asked for none) it yields no rows but still its columns. Its sorting moves outside the
// narrowing where it names plain columns, which every server accepts.
String TOdbcDataSet::Select(std::vector<TOdbcParam>& params, bool none) const {
    String base = Trimmed(sql_);
    params.clear();
    if (!MasterSource() || Trimmen(MasterFields()).empty()) return base;
    String order;
    const String unsorted = WithoutOrderBy(base);
    if (unsorted != base && base.find(L'.', unsorted.size()) == String::npos) {
        order = L" " + Trimmed(base.substr(unsorted.size()));
        base = unsorted;
    }
    String where;
    std::vector<TMasterValue> master;
    if (none || !MasterValues(master)) {
        where = L"1 = 0";
    } else {
        for (const TMasterValue& m : master) {
            if (!where.empty()) where += L" AND ";
            where += L"q." + connection_->QuoteName(m.field->FieldName()) + L" = ?";
            params.push_back(OdbcParam(m.field, m.value));
        }
    }
    return L"SELECT * FROM (" + base + L") q WHERE " + where + order;
}

void TOdbcDataSet::Execute() {
    std::vector<TOdbcParam> params;
    String text = Select(params);
    cursor_->Execute(text, params);
    reading_ = true;
}

void TOdbcDataSet::InternalOpen() {
    if (!connection_)
        throw Exception(
            Format(L"Die Datenmenge '%s' hat keine Verbindung zu einer Datenbank", Name().c_str()));
    if (Trimmen(sql_).empty())
        throw Exception(Format(L"Die Datenmenge '%s' hat keine Abfrage", Name().c_str()));
    cursor_ = std::make_unique<TOdbcStatement>(connection_->Handle());
    // The link fields of a detail are named before the fields exist: describe a run without rows first.
    std::vector<TOdbcParam> none;
    const bool detail = MasterSource() && !Trimmen(MasterFields()).empty();
    cursor_->Execute(detail ? Select(none, true) : sql_, none);
    const int count = cursor_->ColumnCount();
    std::vector<TOdbcColumn> columns;
    for (int i = 1; i <= count; ++i) {
        columns.push_back(cursor_->Describe(i));
        const TOdbcColumn& c = columns.back();
        TField* f = AddField(c.name, OdbcFieldType(c.sqlType), static_cast<int>(std::min<SQLULEN>(c.size, INT_MAX)));
        if (f->DataType() == ftBlob) f->SetReadOnly(true);
    }
    FindTableColumns(columns);
    if (CanModify()) Keys(); // a key that is not among the table's fields is named now, not at the first write
    if (detail)
        Execute();
    else
        reading_ = true;
}

// Which field is which column of the table. The driver names each result column's table where it
// can; where it names none at all, a field is the table's when the table has a column of its name.
// The catalog also says which columns take NULL.
void TOdbcDataSet::FindTableColumns(const std::vector<TOdbcColumn>& columns) {
    columns_.assign(columns.size(), String());
    tableSql_.clear();
    if (!connection_ || Trimmen(table_).empty()) return;
    const TOdbcConnection::TTableName table = connection_->CatalogTable(table_);
    tableSql_ = connection_->TableSql(table);
    struct TCatalogColumn {
        String name;
        bool nullable;
    };
    std::vector<TCatalogColumn> catalog;
    {
        TOdbcStatement statement(connection_->Handle());
        String schema = table.schema, name = table.table;
        SQLRETURN rc = SQLColumnsW(statement.Handle(), nullptr, 0,
                                   schema.empty() ? nullptr : reinterpret_cast<SQLWCHAR*>(schema.data()),
                                   schema.empty() ? 0 : SQL_NTS, reinterpret_cast<SQLWCHAR*>(name.data()), SQL_NTS,
                                   nullptr, 0);
        if (SQL_SUCCEEDED(rc))
            while (statement.Fetch()) {
                TFieldValue tableName = statement.Get(3), column = statement.Get(4), nullable = statement.Get(11);
                if (tableName.text == table.table) catalog.push_back({column.text, nullable.text != L"0"});
            }
    }
    const bool driverSays = std::any_of(columns.begin(), columns.end(),
                                        [](const TOdbcColumn& c) { return !c.baseTable.empty(); });
    for (size_t i = 0; i < columns.size(); ++i) {
        const TOdbcColumn& c = columns[i];
        String base = c.name;
        if (driverSays) {
            if (c.baseTable.empty() || !TextGleich(c.baseTable, table.table)) base.clear();
            else if (!c.baseColumn.empty()) base = c.baseColumn;
        }
        TField* f = Fields(static_cast<int>(i));
        if (!base.empty() && !catalog.empty()) {
            auto same = std::find_if(catalog.begin(), catalog.end(), [&](const TCatalogColumn& k) { return k.name == base; });
            if (same == catalog.end())
                same = std::find_if(catalog.begin(), catalog.end(),
                                    [&](const TCatalogColumn& k) { return TextGleich(k.name, base); });
            if (same == catalog.end()) {
                base.clear();
            } else {
                base = same->name;
                f->SetRequired(!same->nullable);
            }
        }
        if (base.empty() || f->DataType() == ftBlob) f->SetReadOnly(true);
        if (f->DataType() != ftBlob) columns_[i] = base;
    }
}

void TOdbcDataSet::InternalClose() {
    cursor_.reset();
    reading_ = false;
    unsure_.clear();
}

bool TOdbcDataSet::FetchRows(size_t wanted) {
    while (reading_ && RowsHeld() < wanted) {
        if (!cursor_->Fetch()) {
            cursor_->Close();
            reading_ = false;
            break;
        }
        TRecord values(static_cast<size_t>(FieldCount()));
        for (int i = 0; i < FieldCount(); ++i)
            values[static_cast<size_t>(i)] = cursor_->Get(i + 1, Fields(i)->DataType() == ftBlob);
        AddRow(std::move(values));
    }
    return RowsHeld() >= wanted;
}

// The database counts for us; a query it cannot wrap is counted by reading it.
int TOdbcDataSet::CountRows() {
    try {
        std::vector<TOdbcParam> params;
        String text = L"SELECT COUNT(*) FROM (" + WithoutOrderBy(Select(params)) + L") c";
        TOdbcStatement statement(connection_->Handle());
        statement.Execute(text, params);
        if (statement.Fetch()) {
            TFieldValue v = statement.Get(1);
            if (!v.null) return static_cast<int>(std::wcstol(v.text.c_str(), nullptr, 10));
        }
    } catch (const EDatabaseError&) {
    }
    return TDataSet::CountRows();
}

void TOdbcDataSet::InternalRefresh() {
    cursor_->Close();
    unsure_.clear();
    Execute();
}

std::vector<TField*> TOdbcDataSet::Keys() const {
    std::vector<TField*> keys;
    for (int i = 0;; ++i) {
        String name = Trimmen(FeldMitTrenner(keys_, L';', i));
        if (name.empty()) break;
        TField* key = FieldByName(name);
        if (!tableSql_.empty() && static_cast<size_t>(key->Index()) < columns_.size() && Column(key).empty())
            throw Exception(Format(L"Die Schlüsselspalte '%s' gehört nicht zur Tabelle %s: Die Datensätze können "
                                   L"nicht geändert werden",
                                   name.c_str(), table_.c_str()));
        keys.push_back(key);
    }
    return keys;
}

bool TOdbcDataSet::Writable(const TField* field) const {
    return !field->ReadOnly() && !Column(field).empty();
}

String TOdbcDataSet::KeyCondition(const TRecord& values, std::vector<TOdbcParam>& params) const {
    String where;
    for (TField* key : Keys()) {
        const TFieldValue& v = values[static_cast<size_t>(key->Index())];
        if (!where.empty()) where += L" AND ";
        where += connection_->QuoteName(Column(key)) + (v.null ? L" IS NULL" : L" = ?");
        if (!v.null) params.push_back(OdbcParam(key, v));
    }
    return where;
}

bool TOdbcDataSet::SameRecord(TBookmark oldBookmark, const TRecord& old, TBookmark bookmark,
                              const TRecord& values) const {
    if (!CanModify()) return TDataSet::SameRecord(oldBookmark, old, bookmark, values);
    for (TField* key : Keys()) {
        size_t i = static_cast<size_t>(key->Index());
        if (old[i] != values[i]) return false;
    }
    return true;
}

// Exactly one row must change: none means someone else changed or deleted the record, more means
// the key columns do not name one record. Either way nothing is changed.
void TOdbcDataSet::WriteOne(TBookmark bookmark, const String& sql, const std::vector<TOdbcParam>& params) {
    if (unsure_.count(bookmark))
        throw Exception(L"Welcher Datensatz der neue ist, ließ sich nicht sicher feststellen: Bitte die Anzeige "
                        L"aktualisieren, bevor er geändert oder gelöscht wird");
    if (!connection_->CursorsSurviveCommit()) FetchAll();
    connection_->WriteAtomically([&] {
        long long rows = connection_->ExecSQL(sql, params);
        if (rows == 0)
            throw Exception(
                L"Der Datensatz wurde nicht gefunden: Er wurde inzwischen geändert oder gelöscht. "
                L"Bitte die Anzeige aktualisieren");
        if (rows > 1)
            throw Exception(
                Format(L"Die Schlüsselspalten (%s) bezeichnen mehr als einen Datensatz der Tabelle "
                       L"%s: Es wurde nichts geändert",
                       keys_.c_str(), table_.c_str()));
    });
}

// The first row of the statement into the read fields; with onlyOne, only when it is the only row.
bool TOdbcDataSet::ReadRow(const String& sql, const std::vector<TOdbcParam>& params,
                           const std::vector<TField*>& read, TRecord& values, bool onlyOne) {
    TOdbcStatement statement(connection_->Handle());
    statement.Execute(sql, params);
    if (!statement.Fetch()) return false;
    TRecord row = values;
    for (size_t i = 0; i < read.size(); ++i)
        row[static_cast<size_t>(read[i]->Index())] =
            statement.Get(static_cast<int>(i) + 1, read[i]->DataType() == ftBlob);
    if (onlyOne && statement.Fetch()) return false;
    values = std::move(row);
    return true;
}

void TOdbcDataSet::WriteInsert(TBookmark bookmark, TBookmark, TRecord& values) {
    std::vector<TField*> written, read;
    std::vector<TOdbcParam> params;
    String columns, marks, list, inserted;
    for (int i = 0; i < FieldCount(); ++i) {
        TField* f = Fields(i);
        if (Column(f).empty()) continue;
        read.push_back(f);
        list += (list.empty() ? L"" : L", ") + connection_->QuoteName(Column(f));
        inserted += (inserted.empty() ? L"INSERTED." : L", INSERTED.") + connection_->QuoteName(Column(f));
        const TFieldValue& v = values[static_cast<size_t>(i)];
        if (!Writable(f) || v.null) continue;
        columns += (columns.empty() ? L"" : L", ") + connection_->QuoteName(Column(f));
        marks += marks.empty() ? L"?" : L", ?";
        params.push_back(OdbcParam(f, v));
        written.push_back(f);
    }
    const String into = L"INSERT INTO " + tableSql_ + (written.empty() ? L"" : L" (" + columns + L")");
    const String rest = written.empty() ? L" DEFAULT VALUES" : L" VALUES (" + marks + L")";
    if (!connection_->CursorsSurviveCommit()) FetchAll();
    connection_->WriteAtomically([&] {
        // Where the server hands back the new row with the insert, it is read from there.
        switch (read.empty() ? TDbms::Other : connection_->Dbms()) {
        case TDbms::PostgreSQL:
            if (ReadRow(into + rest + L" RETURNING " + list, params, read, values)) return;
            break;
        case TDbms::SqlServer:
            if (ReadRow(into + L" OUTPUT " + inserted + rest, params, read, values)) return;
            break;
        default:
            connection_->ExecSQL(into + rest, params);
            ReadInserted(bookmark, written, read, values);
            return;
        }
        throw Exception(L"Die Datenbank hat den neuen Datensatz nicht zurückgegeben");
    });
}

// The new record as the database holds it, with the key it gave: by what the database says the
// new row is; by its key where all key values were given; else the one row holding the values just
// written. Where more than one row holds them, which is new cannot be told: the record must be
// read anew before it can be changed.
void TOdbcDataSet::ReadInserted(TBookmark bookmark, const std::vector<TField*>& written,
                                const std::vector<TField*>& read, TRecord& values) {
    if (read.empty()) return;
    String list;
    for (TField* f : read)
        list += (list.empty() ? L"" : L", ") + connection_->QuoteName(Column(f));
    const String select = L"SELECT " + list + L" FROM " + tableSql_ + L" WHERE ";
    const std::vector<TField*> keys = Keys();
    const bool keysGiven = std::none_of(keys.begin(), keys.end(),
                                        [&](TField* k) { return values[static_cast<size_t>(k->Index())].null; });
    const TDbms dbms = connection_->Dbms();
    if (dbms == TDbms::SQLite) {
        // A table without row ids has no last row id: it is found by its key below.
        try {
            if (ReadRow(select + L"rowid = last_insert_rowid()", {}, read, values)) return;
        } catch (const EDatabaseError&) {
        }
    }
    if (dbms == TDbms::MySQL && keys.size() == 1 && !keysGiven) {
        if (ReadRow(select + connection_->QuoteName(Column(keys[0])) + L" = LAST_INSERT_ID()", {}, read, values))
            return;
    }
    std::vector<TOdbcParam> params;
    String where;
    if (keysGiven) {
        where = KeyCondition(values, params);
    } else {
        for (TField* f : written) {
            where += (where.empty() ? L"" : L" AND ") + connection_->QuoteName(Column(f)) + L" = ?";
            params.push_back(OdbcParam(f, values[static_cast<size_t>(f->Index())]));
        }
        if (where.empty()) where = L"1 = 1";
    }
    if (!ReadRow(select + where, params, read, values, true)) unsure_.insert(bookmark);
}

void TOdbcDataSet::WriteUpdate(TBookmark bookmark, const TRecord& old, TRecord& values) {
    std::vector<TOdbcParam> params;
    String set;
    for (int i = 0; i < FieldCount(); ++i) {
        TField* f = Fields(i);
        const TFieldValue& v = values[static_cast<size_t>(i)];
        if (!Writable(f) || v == old[static_cast<size_t>(i)]) continue;
        set += (set.empty() ? L"" : L", ") + connection_->QuoteName(Column(f)) + L" = ?";
        params.push_back(OdbcParam(f, v));
    }
    if (set.empty()) return;
    String where = KeyCondition(old, params);
    WriteOne(bookmark, L"UPDATE " + tableSql_ + L" SET " + set + L" WHERE " + where, params);
}

void TOdbcDataSet::WriteDelete(TBookmark bookmark, const TRecord& old) {
    std::vector<TOdbcParam> params;
    String where = KeyCondition(old, params);
    WriteOne(bookmark, L"DELETE FROM " + tableSql_ + L" WHERE " + where, params);
}
