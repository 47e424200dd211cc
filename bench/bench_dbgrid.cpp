// Opening a SQLite table of 100 000 rows in the data grid and scrolling through it page by page,
// as the user would with Page Down. Prints figures only.
#include "data/DBGrids.h"
#include "data/OdbcDataSet.h"
#include "toolkit/Forms.h"

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

    TForm form(nullptr);
    form.FinishCreate();
    form.SetBounds(0, 0, 640, 480);
    TDataSource source(nullptr);
    Abfrage abfrage(nullptr);
    abfrage.SetConnection(&db);
    abfrage.SetSQL(L"SELECT * FROM Kunden ORDER BY Nr");
    abfrage.SetTableName(L"Kunden");
    abfrage.SetKeyFields(L"Nr");
    source.SetDataSet(&abfrage);
    auto* grid = new TDBGrid(&form);
    grid->SetParent(&form);
    grid->SetAlign(alClient);
    grid->SetDataSource(&source);
    form.Show();
    Application()->ProcessMessages();

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
    return 0;
}
