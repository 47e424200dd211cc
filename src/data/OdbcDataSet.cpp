#include "data/OdbcDataSet.h"

#include "util/kv7_str.h"

#include <algorithm>
#include <climits>

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

// Behind a master the query is narrowed to the master's values; without a current master record
// it yields no rows but still its columns.
String TOdbcDataSet::Select(std::vector<TOdbcParam>& params) const {
    String base = Trimmen(sql_);
    while (!base.empty() && (base.back() == L';' || base.back() == L' '))
        base.pop_back();
    params.clear();
    if (!MasterSource() || Trimmen(MasterFields()).empty()) return base;
    String where;
    std::vector<TMasterValue> master;
    if (!MasterValues(master)) {
        where = L"1 = 0";
    } else {
        for (const TMasterValue& m : master) {
            if (!where.empty()) where += L" AND ";
            where += L"q." + connection_->QuoteName(m.field->FieldName()) + L" = ?";
            params.push_back(OdbcParam(m.field, m.value));
        }
    }
    return L"SELECT * FROM (" + base + L") q WHERE " + where;
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
    // The link fields of a detail are named before the fields exist: describe a plain run first.
    std::vector<TOdbcParam> none;
    String base = sql_;
    if (MasterSource() && !Trimmen(MasterFields()).empty())
        base = L"SELECT * FROM (" + Trimmen(sql_) + L") q WHERE 1 = 0";
    cursor_->Execute(base, none);
    const int columns = cursor_->ColumnCount();
    for (int i = 1; i <= columns; ++i) {
        TOdbcColumn c = cursor_->Describe(i);
        AddField(c.name, OdbcFieldType(c.sqlType), static_cast<int>(std::min<SQLULEN>(c.size, INT_MAX)));
    }
    if (CanModify()) Keys(); // a key that is not among the fields is named now, not at the first write
    if (base != sql_)
        Execute();
    else
        reading_ = true;
}

void TOdbcDataSet::InternalClose() {
    cursor_.reset();
    reading_ = false;
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
            values[static_cast<size_t>(i)] = cursor_->Get(i + 1);
        AddRow(std::move(values));
    }
    return RowsHeld() >= wanted;
}

// The database counts for us; a query it cannot wrap is counted by reading it.
int TOdbcDataSet::CountRows() {
    try {
        std::vector<TOdbcParam> params;
        String text = L"SELECT COUNT(*) FROM (" + Select(params) + L") c";
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
    Execute();
}

std::vector<TField*> TOdbcDataSet::Keys() const {
    std::vector<TField*> keys;
    for (int i = 0;; ++i) {
        String name = Trimmen(FeldMitTrenner(keys_, L';', i));
        if (name.empty()) break;
        keys.push_back(FieldByName(name));
    }
    return keys;
}

String TOdbcDataSet::KeyCondition(const TRecord& values, std::vector<TOdbcParam>& params) const {
    String where;
    for (TField* key : Keys()) {
        const TFieldValue& v = values[static_cast<size_t>(key->Index())];
        if (!where.empty()) where += L" AND ";
        where += connection_->QuoteName(key->FieldName()) + (v.null ? L" IS NULL" : L" = ?");
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
void TOdbcDataSet::WriteOne(const String& sql, const std::vector<TOdbcParam>& params) {
    if (!connection_->CursorsSurviveCommit()) FetchAll();
    connection_->StartTransaction();
    try {
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
        connection_->Commit();
    } catch (...) {
        if (connection_->InTransaction()) connection_->Rollback();
        throw;
    }
}

void TOdbcDataSet::WriteInsert(TBookmark, TBookmark, TRecord& values) {
    std::vector<TField*> written;
    std::vector<TOdbcParam> params;
    String columns, marks;
    for (int i = 0; i < FieldCount(); ++i) {
        TField* f = Fields(i);
        const TFieldValue& v = values[static_cast<size_t>(i)];
        if (f->ReadOnly() || v.null) continue;
        columns += (columns.empty() ? L"" : L", ") + connection_->QuoteName(f->FieldName());
        marks += marks.empty() ? L"?" : L", ?";
        params.push_back(OdbcParam(f, v));
        written.push_back(f);
    }
    String table = connection_->QuoteName(table_);
    String sql = written.empty() ? L"INSERT INTO " + table + L" DEFAULT VALUES"
                                 : L"INSERT INTO " + table + L" (" + columns + L") VALUES (" + marks + L")";
    if (!connection_->CursorsSurviveCommit()) FetchAll();
    connection_->ExecSQL(sql, params);
    std::vector<TField*> keys = Keys();
    if (std::any_of(keys.begin(), keys.end(),
                    [&](TField* k) { return values[static_cast<size_t>(k->Index())].null; }))
        ReadGeneratedKeys(written, values);
}

// A key the database gave the new record (an automatic number) is read back: the newest record
// holding the values just written. Should that fail the record stays as written, and a later
// change to it asks for a refresh.
void TOdbcDataSet::ReadGeneratedKeys(const std::vector<TField*>& written, TRecord& values) {
    try {
        std::vector<TField*> read;
        String list, where, order;
        std::vector<TOdbcParam> params;
        for (int i = 0; i < FieldCount(); ++i)
            if (!Fields(i)->ReadOnly()) {
                read.push_back(Fields(i));
                list += (list.empty() ? L"" : L", ") + connection_->QuoteName(Fields(i)->FieldName());
            }
        for (TField* f : written) {
            where +=
                (where.empty() ? L" WHERE " : L" AND ") + connection_->QuoteName(f->FieldName()) + L" = ?";
            params.push_back(OdbcParam(f, values[static_cast<size_t>(f->Index())]));
        }
        for (TField* k : Keys())
            order +=
                (order.empty() ? L" ORDER BY " : L", ") + connection_->QuoteName(k->FieldName()) + L" DESC";
        TOdbcStatement statement(connection_->Handle());
        statement.Execute(L"SELECT " + list + L" FROM " + connection_->QuoteName(table_) + where + order,
                          params);
        if (!statement.Fetch()) return;
        for (size_t i = 0; i < read.size(); ++i)
            values[static_cast<size_t>(read[i]->Index())] = statement.Get(static_cast<int>(i) + 1);
    } catch (const EDatabaseError&) {
    }
}

void TOdbcDataSet::WriteUpdate(TBookmark, const TRecord& old, TRecord& values) {
    std::vector<TOdbcParam> params;
    String set;
    for (int i = 0; i < FieldCount(); ++i) {
        TField* f = Fields(i);
        const TFieldValue& v = values[static_cast<size_t>(i)];
        if (f->ReadOnly() || v == old[static_cast<size_t>(i)]) continue;
        set += (set.empty() ? L"" : L", ") + connection_->QuoteName(f->FieldName()) + L" = ?";
        params.push_back(OdbcParam(f, v));
    }
    if (set.empty()) return;
    String where = KeyCondition(old, params);
    WriteOne(L"UPDATE " + connection_->QuoteName(table_) + L" SET " + set + L" WHERE " + where, params);
}

void TOdbcDataSet::WriteDelete(TBookmark, const TRecord& old) {
    std::vector<TOdbcParam> params;
    String where = KeyCondition(old, params);
    WriteOne(L"DELETE FROM " + connection_->QuoteName(table_) + L" WHERE " + where, params);
}
