// Opening a table of 100 000 rows in the data grid and moving through it as the user would: the
// first screen, Ctrl+End and the memory the rows hold, every page with Page Down, the scroll bar
// dragged to the end, a refresh. The same figures for a SQLite file and for the PostgreSQL server
// SICHERUNG_POSTGRES names. Prints figures only.
#include "data/DBGrids.h"
#include "data/OdbcDataSet.h"
#include "toolkit/Forms.h"

#include <windows.h>
#include <psapi.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
double Millisekunden(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct Abfrage : TOdbcDataSet {
    using TOdbcDataSet::TOdbcDataSet;
    size_t Gelesen() const { return RowsHeld(); }
};

// A window with a grid over the whole table, sorted by its key.
struct Tafel {
    TForm form{nullptr};
    TDataSource source{nullptr};
    Abfrage abfrage{nullptr};
    TDBGrid* grid;
    Tafel(TOdbcConnection& db, const String& tabelle) {
        form.FinishCreate();
        form.SetBounds(0, 0, 640, 480);
        abfrage.SetConnection(&db);
        abfrage.SetSQL(L"SELECT * FROM " + tabelle + L" ORDER BY Nr");
        abfrage.SetTableName(tabelle);
        abfrage.SetKeyFields(L"Nr");
        source.SetDataSet(&abfrage);
        grid = new TDBGrid(&form);
        grid->SetParent(&form);
        grid->SetAlign(alClient);
        grid->SetDataSource(&source);
        form.Show();
        Application()->ProcessMessages();
    }
    ~Tafel() { source.SetDataSet(nullptr); }

    // Scroll messages as the scroll bar and Page Up / Page Down send them; returns the
    // slowest in ms.
    double Schieben(WPARAM wie, int mal) {
        double langsamste = 0;
        for (int i = 0; i < mal; ++i) {
            auto start = std::chrono::steady_clock::now();
            SendMessageW(grid->Handle(), WM_VSCROLL, wie, 0);
            UpdateWindow(grid->Handle());
            langsamste = std::max(langsamste, Millisekunden(start));
        }
        return langsamste;
    }
};

double Arbeitsspeicher() {
    PROCESS_MEMORY_COUNTERS zaehler{};
    zaehler.cb = sizeof zaehler;
    GetProcessMemoryInfo(GetCurrentProcess(), &zaehler, sizeof zaehler);
    return static_cast<double>(zaehler.PagefileUsage) / 1048576;
}

// Every figure over a table already made; each line starts with the database's name.
void Messen(TOdbcConnection& db, const String& tabelle, const char* name) {
    Tafel tafel(db, tabelle);
    Abfrage& abfrage = tafel.abfrage;
    TDBGrid* grid = tafel.grid;
    const double vorher = Arbeitsspeicher();

    auto start = std::chrono::steady_clock::now();
    abfrage.Open();
    const double offen = Millisekunden(start);
    UpdateWindow(grid->Handle());
    std::printf("%s: open (the driver runs the SELECT): %.0f ms; first screen shown after %.0f ms, "
                "%zu rows read, count %d\n",
                name, offen, Millisekunden(start), abfrage.Gelesen(), abfrage.RecordCount());

    // Measured on the first opening: later ones find the heap already grown.
    start = std::chrono::steady_clock::now();
    grid->KeyDown(VK_END, false, true);
    UpdateWindow(grid->Handle());
    std::printf("%s: Ctrl+End to record %d in %.0f ms; memory held by the open data set %.1f MiB "
                "(private bytes %.1f MiB before opening)\n",
                name, abfrage.RecNo(), Millisekunden(start), Arbeitsspeicher() - vorher, vorher);

    abfrage.Close();
    abfrage.Open();
    start = std::chrono::steady_clock::now();
    int seiten = 0;
    double langsamste = 0;
    for (; grid->TopRow() + grid->VisibleRowCount() < abfrage.RecordCount(); ++seiten)
        langsamste = std::max(langsamste, tafel.Schieben(SB_PAGEDOWN, 1));
    const double blaettern = Millisekunden(start);
    std::printf("%s: after reopening, scrolled through all rows: %d pages of %d rows in %.2f s, %.2f ms per "
                "page, slowest %.1f ms\n",
                name, seiten, grid->VisibleRowCount(), blaettern / 1000, blaettern / std::max(seiten, 1),
                langsamste);

    // Back up through rows already read: what painting alone costs.
    start = std::chrono::steady_clock::now();
    tafel.Schieben(SB_PAGEUP, 1000);
    std::printf("%s: 1000 pages back through rows already read: %.2f ms per page\n", name,
                Millisekunden(start) / 1000);
    start = std::chrono::steady_clock::now();
    tafel.Schieben(SB_PAGEDOWN, 1000);
    std::printf("%s: 1000 pages down again: %.2f ms per page\n", name, Millisekunden(start) / 1000);

    abfrage.Close();
    abfrage.Open();
    start = std::chrono::steady_clock::now();
    tafel.Schieben(SB_BOTTOM, 1);
    std::printf("%s: after reopening, the scroll bar dragged to the end: %.0f ms (reads all %zu rows)\n",
                name, Millisekunden(start), abfrage.Gelesen());
    start = std::chrono::steady_clock::now();
    abfrage.Refresh();
    UpdateWindow(grid->Handle());
    std::printf("%s: refresh, with the first record current: %.0f ms\n", name, Millisekunden(start));
    abfrage.Close();
}

void InSQLite(int zeilen) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const String datei = String(temp) + L"sic_bench_dbgrid.db";
    DeleteFileW(datei.c_str());
    {
        TOdbcConnection db(nullptr);
        db.SetConnectionString(L"Driver={SQLite3};Database=" + datei + L";");
        auto start = std::chrono::steady_clock::now();
        db.ExecSQL(L"CREATE TABLE Kunden (Nr INTEGER PRIMARY KEY, Name TEXT, Ort TEXT, Umsatz REAL)");
        db.ExecSQL(
            Format(L"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %d) "
                   L"INSERT INTO Kunden SELECT i, 'Kundin Nummer ' || i, 'Düsseldorf', i * 1.25 FROM n",
                   zeilen));
        std::printf("SQLite: table of %d rows made in %.0f ms\n", zeilen, Millisekunden(start));
        Messen(db, L"Kunden", "SQLite");
    }
    DeleteFileW(datei.c_str());
}

void AufDemServer(int zeilen) {
    wchar_t server[1024];
    DWORD n = GetEnvironmentVariableW(L"SICHERUNG_POSTGRES", server, 1024);
    if (n == 0 || n >= 1024) {
        std::printf("PostgreSQL: no server (SICHERUNG_POSTGRES is not set; scripts/bench.sh starts one)\n");
        return;
    }
    TOdbcConnection db(nullptr);
    db.SetConnectionString(server);
    auto start = std::chrono::steady_clock::now();
    db.ExecSQL(L"DROP TABLE IF EXISTS sic_bench_kunden");
    db.ExecSQL(L"CREATE TABLE sic_bench_kunden (Nr INTEGER PRIMARY KEY, Name TEXT, Ort TEXT, Umsatz DOUBLE PRECISION)");
    db.ExecSQL(Format(L"INSERT INTO sic_bench_kunden SELECT i, 'Kundin Nummer ' || i, 'Düsseldorf', i * 1.25 "
                      L"FROM generate_series(1, %d) i",
                      zeilen));
    std::printf("PostgreSQL: table of %d rows made in %.0f ms\n", zeilen, Millisekunden(start));
    Messen(db, L"sic_bench_kunden", "PostgreSQL");
    db.ExecSQL(L"DROP TABLE sic_bench_kunden");
}
} // namespace

int main(int argc, char** argv) {
    const int zeilen = argc > 1 ? std::atoi(argv[1]) : 100000;
    Application()->Initialize();
    InSQLite(zeilen);
    AufDemServer(zeilen);
    return 0;
}
