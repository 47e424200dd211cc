#pragma once
// Databases for the tests: a SQLite file in a scratch folder, or a database of its own on the
// private PostgreSQL server the test command starts (SICHERUNG_POSTGRES names it).
#include "data/OdbcConnection.h"
#include "TestDateien.h"

#include <functional>
#include <memory>
#include <optional>

// Every row of the query through a connection of its own: the fields joined by ",", NULL for no
// value, each row ended by ";".
String TabelleLesen(const String& verbindung, const String& sql);

// The message of the error the action raises; "(kein Fehler)" when it raises none.
String Meldung(const std::function<void()>& tun);

enum class Datenbankart { SQLite, PostgreSQL };

// Why the server cases cannot run here, in one line; nothing when they can.
std::optional<String> OhneServer();

// A fresh, empty database; a server database is dropped again at the end.
class Testdatenbank {
public:
    explicit Testdatenbank(Datenbankart art);
    ~Testdatenbank();
    Testdatenbank(const Testdatenbank&) = delete;
    Testdatenbank& operator=(const Testdatenbank&) = delete;

    Datenbankart art;
    String verbindung;
    TOdbcConnection db{nullptr};

    // A whole-number key the database numbers itself; a column of bytes and such a value.
    String Zaehler() const;
    String Bytes() const;
    String BytesWert(const String& hex) const;
    String Lesen(const String& sql) const { return TabelleLesen(verbindung, sql); }

private:
    std::unique_ptr<TestOrdner> ordner_;
    String name_;
};
