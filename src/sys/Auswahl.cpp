#include "sys/Auswahl.h"

#include "toolkit/StdCtrls.h"

#include "sys/Dateien.h"
#include "toolkit/Application.h"
#include "util/kv7_str.h"

#include <windows.h>
#include <commdlg.h>
#include <algorithm>
#include <vector>

namespace {

constexpr size_t NamensPuffer = 32768;

String BisLetztemBackslash(const String& pfad) {
    size_t p = pfad.rfind(L'\\');
    return p == String::npos ? String() : pfad.substr(0, p + 1);
}

// One dialog run; `name` is the proposed file name in, the chosen one out.
struct OeffnenDialog {
    String filter, titel, startordner, erweiterung;
    std::vector<wchar_t> name = std::vector<wchar_t>(NamensPuffer, L'\0');

    OeffnenDialog(const String& maske, const String& vorschlag) {
        // One entry whose description is the mask itself, as "M|M" in the toolkit's notation.
        filter = maske + L'\0' + maske + L'\0';
        vorschlag.copy(name.data(), std::min(vorschlag.size(), name.size() - 1));
    }

    bool Zeigen() {
        OPENFILENAMEW ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = ApplicationMainWindow();
        ofn.lpstrFilter = filter.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = name.data();
        ofn.nMaxFile = static_cast<DWORD>(name.size());
        ofn.lpstrInitialDir = startordner.empty() ? nullptr : startordner.c_str();
        ofn.lpstrTitle = titel.empty() ? nullptr : titel.c_str();
        ofn.lpstrDefExt = erweiterung.empty() ? nullptr : erweiterung.c_str();
        // No existing file required; the process's current folder stays where it was.
        ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
        return GetOpenFileNameW(&ofn) != FALSE;
    }

    String Gewaehlt() const { return String(name.data()); }
};

} // namespace

bool VerzeichnisWaehlen(String& verzeichnis, const String& maske) {
    // Without the backslash the pseudo name would land in the parent folder.
    String ordner = MitBackslash(verzeichnis);
    OeffnenDialog dialog(maske, ordner + L"Verzeichnis wählen");
    dialog.startordner = ordner;
    if (!dialog.Zeigen()) return false;
    verzeichnis = BisLetztemBackslash(dialog.Gewaehlt());
    return true;
}

bool DateiWaehlen(const String& titel, String& datei, const String& maske) {
    String maske2 = MaskeMitStern(maske);
    OeffnenDialog dialog(maske2, datei);
    dialog.titel = titel;
    // The dialog wants the default extension without its dot, and a wildcard is no extension.
    size_t punkt = maske2.rfind(L'.');
    if (punkt != String::npos) {
        String erweiterung = maske2.substr(punkt + 1);
        if (erweiterung.find_first_of(L"*?;") == String::npos) dialog.erweiterung = erweiterung;
    }
    String ordner = BisLetztemBackslash(datei);
    if (!ordner.empty() && VerzeichnisExistiert(ordner, false)) dialog.startordner = ordner;
    if (!dialog.Zeigen()) return false;
    datei = dialog.Gewaehlt();
    return true;
}

String MaskeMitStern(const String& maske) {
    return !maske.empty() && maske[0] == L'.' ? L"*" + maske : maske;
}

void EditBreiteAnpassen(TCustomEdit* edit, int rechterRand) {
    if (!edit || !edit->Parent()) return;
    if (rechterRand < 0) rechterRand = edit->Left();
    edit->SetWidth(edit->Parent()->ClientWidth() - edit->Left() - rechterRand);
}
