// Opening a SQLite table of 100 000 rows in the data grid and scrolling through it page by page,
// as the user would with Page Down; then the same number of rows on a PostgreSQL server (the one
// SICHERUNG_POSTGRES names): first screen, Ctrl+End, and the memory the rows hold. Prints figures
// only.
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
};

double Arbeitsspeicher() {
    PROCESS_MEMORY_COUNTERS zaehler{};
    zaehler.cb = sizeof zaehler;
    GetProcessMemoryInfo(GetCurrentProcess(), &zaehler, sizeof zaehler);
    return static_cast<double>(zaehler.PagefileUsage) / 1048576;
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

    Tafel tafel(db, L"sic_bench_kunden");
    Abfrage& abfrage = tafel.abfrage;
    TDataSource& source = tafel.source;
    TDBGrid* grid = tafel.grid;
    const double vorher = Arbeitsspeicher();

    start = std::chrono::steady_clock::now();
    abfrage.Open();
    UpdateWindow(grid->Handle());
    std::printf("PostgreSQL: first screen shown after %.0f ms (%zu rows held, count %d)\n", Millisekunden(start),
                abfrage.Gelesen(), abfrage.RecordCount());
    start = std::chrono::steady_clock::now();
    grid->KeyDown(VK_END, false, true);
    UpdateWindow(grid->Handle());
    std::printf("PostgreSQL: Ctrl+End to record %d in %.0f ms; memory held by the open data set %.1f MiB "
                "(private bytes %.1f MiB before opening)\n",
                abfrage.RecNo(), Millisekunden(start), Arbeitsspeicher() - vorher, vorher);
    source.SetDataSet(nullptr);
    abfrage.Close();
    db.ExecSQL(L"DROP TABLE sic_bench_kunden");
}
} // namespace

int main(int argc, char** argv) {
    const int zeilen = argc > 1 ? std::atoi(argv[1]) : 100000;
    Application()->Initialize();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const String datei = String(temp) + L"sic_bench_dbgrid.db";
    DeleteFileW(datei.c_str());

    TOdbcConnection db(nullptr);
    db.SetConnectionString(L"Driver={SQLite3};Database=" + datei + L";");
    auto start = std::chrono::steady_clock::now();
    db.ExecSQL(L"CREATE TABLE Kunden (Nr INTEGER PRIMARY KEY, Name TEXT, Ort TEXT, Umsatz REAL)");
    db.ExecSQL(Format(L"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %d) "
                      L"INSERT INTO Kunden SELECT i, 'Kundin Nummer ' || i, 'Düsseldorf', i * 1.25 FROM n",
                      zeilen));
    std::printf("table of %d rows made in %.0f ms\n", zeilen, Millisekunden(start));

    Tafel tafel(db, L"Kunden");
    Abfrage& abfrage = tafel.abfrage;
    TDataSource& source = tafel.source;
    TDBGrid* grid = tafel.grid;

    start = std::chrono::steady_clock::now();
    abfrage.Open();
    const double offen = Millisekunden(start);
    UpdateWindow(grid->Handle());
    const double ersterSchirm = Millisekunden(start);
    std::printf("open (the driver runs the SELECT): %.0f ms; first screen shown after %.0f ms, "
                "%zu rows read, count %d\n",
                offen, ersterSchirm, abfrage.Gelesen(), abfrage.RecordCount());

    start = std::chrono::steady_clock::now();
    int seiten = 0;
    double langsamste = 0;
    while (grid->TopRow() + grid->VisibleRowCount() < abfrage.RecordCount()) {
        auto seite = std::chrono::steady_clock::now();
        SendMessageW(grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(grid->Handle());
        langsamste = std::max(langsamste, Millisekunden(seite));
        ++seiten;
    }
    const double blaettern = Millisekunden(start);

    std::printf(
        "scrolled through all rows: %d pages of %d rows in %.2f s, %.2f ms per page, slowest %.1f ms\n",
        seiten, grid->VisibleRowCount(), blaettern / 1000, blaettern / std::max(seiten, 1), langsamste);

    // Back up through rows already read: what painting alone costs.
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) {
        SendMessageW(grid->Handle(), WM_VSCROLL, SB_PAGEUP, 0);
        UpdateWindow(grid->Handle());
    }
    std::printf("1000 pages back through rows already read: %.2f ms per page\n", Millisekunden(start) / 1000);
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) {
        SendMessageW(grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(grid->Handle());
    }
    std::printf("1000 pages down again: %.2f ms per page\n", Millisekunden(start) / 1000);

    abfrage.Close();
    abfrage.Open();
    start = std::chrono::steady_clock::now();
    SendMessageW(grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    UpdateWindow(grid->Handle());
    std::printf("after reopening, the scroll bar dragged to the end: %.0f ms (reads all %zu rows)\n",
                Millisekunden(start), abfrage.Gelesen());
    start = std::chrono::steady_clock::now();
    abfrage.Refresh();
    UpdateWindow(grid->Handle());
    std::printf("refresh, with the first record current: %.0f ms\n", Millisekunden(start));

    source.SetDataSet(nullptr);
    abfrage.Close();
    db.Close();
    DeleteFileW(datei.c_str());

    AufDemServer(zeilen);
    return 0;
}
