#include "Datenbank.h"

#include "data/OdbcDataSet.h"

String TabelleLesen(const String& verbindung, const String& sql) {
    TOdbcConnection zweite(nullptr);
    zweite.SetConnectionString(verbindung);
    TOdbcDataSet q(nullptr);
    q.SetConnection(&zweite);
    q.SetSQL(sql);
    q.Open();
    String out;
    for (; !q.Eof(); q.Next()) {
        for (int i = 0; i < q.FieldCount(); ++i)
            out += (i ? L"," : L"") + (q.Fields(i)->IsNull() ? String(L"NULL") : q.Fields(i)->AsString());
        out += L";";
    }
    return out;
}
