#pragma once
// Single-line edits with a browse button at their right end: one picks a file through the
// open-file dialog, the other a folder through the shell's folder browser.
#include "toolkit/Dialogs.h"
#include "toolkit/ExtCtrls.h"

#include <memory>

// The dialog component's creation keeps its own name; nothing here makes dialogs from templates.
#undef CreateDialog

// What the buttoned edits share: the button's three images (normal, disabled, hot), its enabled
// state kept in step with the edit's, and the dialog component the button runs.
class TqelCustomButtonedEdit : public TCustomButtonedEdit {
public:
    ~TqelCustomButtonedEdit() override;

    TImageList* ButtonImages() const { return buttonImages_.get(); }
    // Owned by the edit; when it is freed while the edit lives, the edit makes a new one.
    TCommonDialog* DialogComponent() const { return dialogComponent_; }

    // The button's click.
    virtual void ExecuteDialog();

protected:
    explicit TqelCustomButtonedEdit(TComponent* owner);
    // Images, dialog and button; each edit class calls it at the end of its constructor, where
    // its own overrides are in force.
    void SetUpButton();

    using TDialogClass = TCommonDialog* (*)(TComponent* owner);
    virtual TDialogClass GetDialogClass() const { return nullptr; }
    virtual void BeforeExecute() {}
    virtual void AfterExecute() {}
    virtual std::unique_ptr<TImageList> CreateImages() = 0;
    static std::unique_ptr<TImageList> LoadButtonImages(const wchar_t* normal, const wchar_t* disabled,
                                                        const wchar_t* hot);
    void CreateDialog();

    void EnabledChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::unique_ptr<TImageList> buttonImages_;
    TCommonDialog* dialogComponent_ = nullptr;
};

// Picks a file; the dialog opens in the folder of the file the edit names, when that exists.
class TqelFileEdit : public TqelCustomButtonedEdit {
public:
    explicit TqelFileEdit(TComponent* owner);
    // The file dialog, owned by the edit; its filter, title and options are set through it.
    TOpenDialog* Dialog() const;

protected:
    TDialogClass GetDialogClass() const override;
    std::unique_ptr<TImageList> CreateImages() override;
    void BeforeExecute() override;
    void AfterExecute() override;
};

// The options of the shell's folder browser, each standing for its BIF_ flag.
enum TBrowseOption {
    bifBrowseForComputer,
    bifBrowseForPrinter,
    bifBrowseIncludeFiles,
    bifBrowseIncludeURLS,
    bifDontGoBelowDomain,
    bifEditBox,
    bifNewDialogStyle,
    bifNoNewFolderButton,
    bifNoTranslateTargets,
    bifReturnFSAncestors,
    bifReturnOnlyFSDirs,
    bifShareable,
    bifStatusText,
    bifUAHint,
    bifUseNewUI,
    bifValidate
};
// A set of browse options, one bit per option.
using TBrowseOptions = unsigned;
constexpr TBrowseOptions Opt(TBrowseOption option) {
    return 1u << option;
}

// The settings of a directory edit's folder browser.
class TqelDirectoryDlg {
public:
    // Shown above the folder tree.
    const String& Caption() const { return caption_; }
    void SetCaption(const String& caption) { caption_ = caption; }
    TBrowseOptions Options() const { return options_; }
    // Adds what the shell requires with some options.
    void SetOptions(TBrowseOptions options);
    // The root of the tree; empty: the desktop.
    const String& RootDir() const { return rootDir_; }
    void SetRootDir(const String& dir) { rootDir_ = dir; }
    void Assign(const TqelDirectoryDlg& source);
    // The BIF_ flags of the options.
    UINT ShellFlags() const;

private:
    String caption_;
    TBrowseOptions options_ = Opt(bifNewDialogStyle) | Opt(bifReturnOnlyFSDirs);
    String rootDir_;
};

// Picks a folder through the shell's folder browser.
class TqelDirectoryEdit : public TqelCustomButtonedEdit {
public:
    explicit TqelDirectoryEdit(TComponent* owner);

    TqelDirectoryDlg& Dialog() { return dialog_; }
    // Takes caption, options and root of the given settings.
    void SetDialog(const TqelDirectoryDlg& dialog) { dialog_.Assign(dialog); }

    void ExecuteDialog() override;

protected:
    std::unique_ptr<TImageList> CreateImages() override;

private:
    TqelDirectoryDlg dialog_;
};
