// The directory edit and its folder browser.
#include "framework/qelButtonEdit.h"

#include "toolkit/Application.h"
#include "util/kv7_str.h"

#include <shlobj.h>
#include <ole2.h>
#include <memory>
#include <vector>

namespace {

constexpr UINT kShellFlags[] = {BIF_BROWSEFORCOMPUTER,  BIF_BROWSEFORPRINTER,
                                BIF_BROWSEINCLUDEFILES, BIF_BROWSEINCLUDEURLS,
                                BIF_DONTGOBELOWDOMAIN,  BIF_EDITBOX,
                                BIF_NEWDIALOGSTYLE,     BIF_NONEWFOLDERBUTTON,
                                BIF_NOTRANSLATETARGETS, BIF_RETURNFSANCESTORS,
                                BIF_RETURNONLYFSDIRS,   BIF_SHAREABLE,
                                BIF_STATUSTEXT,         BIF_UAHINT,
                                BIF_USENEWUI,           BIF_VALIDATE};

// While the browser is up every other window of the program is disabled, the new-style browser
// has the OLE it needs, and a drive without a medium brings no system box; all comes back
// afterwards, also when something raises.
class BrowserScope {
public:
    BrowserScope()
        : errorMode_(SetErrorMode(SEM_FAILCRITICALERRORS)), active_(GetActiveWindow()), focus_(GetFocus()) {
        ole_ = OleInitialize(nullptr);
        EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&disabled_));
        for (HWND wnd : disabled_)
            EnableWindow(wnd, FALSE);
    }
    ~BrowserScope() {
        for (HWND wnd : disabled_)
            if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
        SetErrorMode(errorMode_);
        if (SUCCEEDED(ole_)) OleUninitialize();
        // The browser closed while its owner was disabled, so the system activated no window of ours.
        if (active_ && IsWindow(active_)) SetActiveWindow(active_);
        if (focus_ && IsWindow(focus_)) SetFocus(focus_);
    }
    BrowserScope(const BrowserScope&) = delete;
    BrowserScope& operator=(const BrowserScope&) = delete;

private:
    static BOOL CALLBACK Collect(HWND wnd, LPARAM list) {
        return GuardCallback(FALSE, [&] {
            if (IsWindowVisible(wnd) && IsWindowEnabled(wnd))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
            return TRUE;
        });
    }
    UINT errorMode_;
    HWND active_, focus_;
    HRESULT ole_ = E_FAIL;
    std::vector<HWND> disabled_;
};

// Memory of the shell's allocator, given back to it.
struct ShellFree {
    IMalloc* malloc;
    void operator()(void* p) const { malloc->Free(p); }
};
template <class T> using ShellPtr = std::unique_ptr<T, ShellFree>;

// The item list of a folder as the desktop parses it, or none.
LPITEMIDLIST ParsedFolder(const String& folder) {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return nullptr;
    String name = folder;
    LPITEMIDLIST item = nullptr;
    if (FAILED(desktop->ParseDisplayName(ApplicationMainWindow(), nullptr, name.data(), nullptr, &item,
                                         nullptr)))
        item = nullptr;
    desktop->Release();
    return item;
}

} // namespace

void TqelDirectoryDlg::SetOptions(TBrowseOptions options) {
    if (options & Opt(bifBrowseIncludeURLS)) options |= Opt(bifUseNewUI) | Opt(bifBrowseIncludeFiles);
    if (options & Opt(bifShareable)) options |= Opt(bifNewDialogStyle);
    options_ = options;
}

void TqelDirectoryDlg::Assign(const TqelDirectoryDlg& source) {
    caption_ = source.caption_;
    options_ = source.options_;
    rootDir_ = source.rootDir_;
}

UINT TqelDirectoryDlg::ShellFlags() const {
    UINT flags = 0;
    for (int option = bifBrowseForComputer; option <= bifValidate; ++option)
        if (options_ & Opt(static_cast<TBrowseOption>(option))) flags |= kShellFlags[option];
    return flags;
}

TqelDirectoryEdit::TqelDirectoryEdit(TComponent* owner) : TqelCustomButtonedEdit(owner) {
    SetUpButton();
}

std::unique_ptr<TImageList> TqelDirectoryEdit::CreateImages() {
    return LoadButtonImages(L"DIR0", L"DIR1", L"DIR2");
}

// The chosen folder becomes the text, ending in a backslash like every folder the program hands
// out; a choice without a file-system path (a computer, a printer) leaves the text as it was.
// The path may be longer than MAX_PATH: the programs declare long paths.
void TqelDirectoryEdit::ExecuteDialog() {
    IMalloc* malloc = nullptr;
    if (FAILED(SHGetMalloc(&malloc)) || !malloc) return;
    std::unique_ptr<IMalloc, void (*)(IMalloc*)> allocator(malloc, [](IMalloc* m) { m->Release(); });
    ShellPtr<wchar_t> buffer(static_cast<wchar_t*>(malloc->Alloc(MAX_PATH * sizeof(wchar_t))), {malloc});
    if (!buffer) return;
    buffer.get()[0] = L'\0';
    ShellPtr<ITEMIDLIST> root(dialog_.RootDir().empty() ? nullptr : ParsedFolder(dialog_.RootDir()),
                              {malloc});

    BROWSEINFOW info{};
    info.hwndOwner = Handle();
    info.pidlRoot = root.get();
    info.pszDisplayName = buffer.get();
    info.lpszTitle = dialog_.Caption().empty() ? nullptr : dialog_.Caption().c_str();
    info.ulFlags = dialog_.ShellFlags();
    info.lParam = reinterpret_cast<LPARAM>(this);
    ShellPtr<ITEMIDLIST> chosen(nullptr, {malloc});
    {
        BrowserScope scope;
        chosen.reset(SHBrowseForFolderW(&info));
    }
    if (!chosen) return;
    std::vector<wchar_t> path(UNICODE_STRING_MAX_CHARS, L'\0');
    if (SHGetPathFromIDListEx(chosen.get(), path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
        SetText(MitBackslash(path.data()));
}
