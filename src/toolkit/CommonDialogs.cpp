// The system's open-file and colour dialogs as components.
#include "toolkit/Dialogs.h"

#include "toolkit/Application.h"
#include "toolkit/SysUtils.h"

#include <commdlg.h>
#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

constexpr size_t kNameBuffer = 32768;
constexpr int kCustomColors = 16;

template <typename F>
F* Dialogfunktion(const char* name) {
    return Systemfunktion<F>(L"comdlg32.dll", name);
}

DWORD DialogFehler() {
    return Dialogfunktion<decltype(::CommDlgExtendedError)>("CommDlgExtendedError")();
}

HWND DialogOwner() {
    HWND active = GetActiveWindow();
    if (active && GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId()) return active;
    return ApplicationMainWindow();
}

// "A|B|C|D" as the dialog wants it: "A\0B\0C\0D\0\0".
String FilterList(const String& filter) {
    String list = filter;
    std::replace(list.begin(), list.end(), L'|', L'\0');
    list += L'\0';
    list += L'\0';
    return list;
}

// "ColorC=FFFBF0" gives slot 2 the value 0xFFFBF0; anything else gives nothing.
bool CustomColorLine(const String& line, int& slot, COLORREF& value) {
    size_t eq = line.find(L'=');
    if (eq != 6 || _wcsnicmp(line.c_str(), L"Color", 5) != 0) return false;
    slot = std::towupper(line[5]) - L'A';
    if (slot < 0 || slot >= kCustomColors || eq + 1 >= line.size()) return false;
    wchar_t* end = nullptr;
    unsigned long v = std::wcstoul(line.c_str() + eq + 1, &end, 16);
    if (*end != L'\0' || v > 0xFFFFFF) return false;
    value = static_cast<COLORREF>(v);
    return true;
}

} // namespace

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner) {}

bool TOpenDialog::Execute() {
    String filter = FilterList(filter_);
    std::vector<wchar_t> name(kNameBuffer, L'\0');
    fileName_.copy(name.data(), std::min(fileName_.size(), name.size() - 1));
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = DialogOwner();
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max(filterIndex_, 0));
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    ofn.Flags = options_ | OFN_EXPLORER;
    lastError_ = 0;
    if (!Dialogfunktion<decltype(::GetOpenFileNameW)>("GetOpenFileNameW")(&ofn)) {
        lastError_ = DialogFehler();
        return false;
    }
    fileName_ = name.data();
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    return true;
}

TColorDialog::TColorDialog(TComponent* owner) : TCommonDialog(owner) {}

bool TColorDialog::Execute() {
    COLORREF custom[kCustomColors];
    std::fill(std::begin(custom), std::end(custom), RGB(255, 255, 255));
    for (int i = 0; i < customColors_.Count(); ++i) {
        int slot;
        COLORREF value;
        if (CustomColorLine(customColors_[i], slot, value)) custom[slot] = value;
    }
    CHOOSECOLORW cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = DialogOwner();
    cc.rgbResult = ColorToRGB(color_);
    cc.lpCustColors = custom;
    cc.Flags = options_ | CC_RGBINIT;
    lastError_ = 0;
    if (!Dialogfunktion<decltype(::ChooseColorW)>("ChooseColorW")(&cc)) {
        lastError_ = DialogFehler();
        return false;
    }
    color_ = static_cast<TColor>(cc.rgbResult);
    customColors_.Clear();
    for (int i = 0; i < kCustomColors; ++i) {
        wchar_t line[16];
        swprintf(line, 16, L"Color%c=%06lX", static_cast<wchar_t>(L'A' + i),
                 static_cast<unsigned long>(custom[i]));
        customColors_.Add(line);
    }
    return true;
}
