#pragma once
#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"
#include "util/Basis.h"

#include <functional>
#include <windows.h>
#include <commdlg.h>

// Everything one message box needs. Every box of the program goes through ShowMessageBox.
struct MessageBoxArgs {
    String text;
    String caption;
    UINT icon = 0;              // MB_ICONERROR, MB_ICONINFORMATION, ...
    UINT buttons = MB_OK;       // MB_OK, MB_YESNO, ...
    int defaultResult = IDOK;   // the button with this result carries the default mark; none if no such button
    int left = -1, top = -1;    // negative: keep; both negative: centre on the main window
    bool beep = false;          // sound the default beep first
};

// Shows the box modally and returns the result of the button that closed it.
int ShowMessageBox(const MessageBoxArgs& args);

// A capture replaces the real box (tests, the unattended run). Returns the previous one.
using MessageBoxCapture = std::function<int(const MessageBoxArgs&)>;
MessageBoxCapture SetMessageBoxCapture(MessageBoxCapture capture);

// The window a box is centred on, and owned by unless another window of the thread is active;
// the application sets it to its main window.
void SetMessageBoxOwner(HWND owner);
HWND MessageBoxOwner();

// A system dialog the program shows modally; Execute is true when the user confirmed it. Its
// owner window is the active window of the program, else the main window.
class TCommonDialog : public TComponent {
public:
    using TComponent::TComponent;
    // False when the user cancelled or the dialog failed; LastError tells the two apart.
    virtual bool Execute() = 0;
    // The dialog's own error code (CommDlgExtendedError) of the last Execute; 0 after a choice or
    // a cancel.
    unsigned long LastError() const { return lastError_; }

protected:
    unsigned long lastError_ = 0;
};

// The system's open-file dialog.
class TOpenDialog : public TCommonDialog {
public:
    explicit TOpenDialog(TComponent* owner);

    // Pairs of description and mask, separated by "|": "Texte|*.txt|Alle|*.*".
    const String& Filter() const { return filter_; }
    void SetFilter(const String& filter) { filter_ = filter; }
    // The filter shown, counted from 1; the user's choice after Execute.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int index) { filterIndex_ = index; }
    const String& Title() const { return title_; }
    void SetTitle(const String& title) { title_ = title; }
    // The proposed name in, the chosen file's full path out.
    const String& FileName() const { return fileName_; }
    void SetFileName(const String& name) { fileName_ = name; }
    const String& InitialDir() const { return initialDir_; }
    void SetInitialDir(const String& dir) { initialDir_ = dir; }
    // Without its dot.
    const String& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const String& ext) { defaultExt_ = ext; }
    // OFN_ flags; OFN_EXPLORER is always added.
    DWORD Options() const { return options_; }
    void SetOptions(DWORD options) { options_ = options; }

    bool Execute() override;

private:
    String filter_, title_, fileName_, initialDir_, defaultExt_;
    int filterIndex_ = 1;
    DWORD options_ = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
};

// The system's colour dialog. CustomColors holds its sixteen custom colours as lines "ColorA=hex"
// to "ColorP=hex", the hex digits those of the colour value (blue, green, red); a missing entry
// is white.
class TColorDialog : public TCommonDialog {
public:
    explicit TColorDialog(TComponent* owner);

    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    TStrings& CustomColors() { return customColors_; }
    // CC_ flags besides CC_RGBINIT, which is always given.
    DWORD Options() const { return options_; }
    void SetOptions(DWORD options) { options_ = options; }

    bool Execute() override;

private:
    TColor color_ = clBlack;
    TStringList customColors_;
    DWORD options_ = 0;
};
