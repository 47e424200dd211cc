#pragma once
#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"

#include <functional>
#include <memory>
#include <vector>

class TqelWizard;

using TPageChangingEvent = std::function<void(TComponent* sender, bool& allowChange)>;

enum TqelWizardBtnKind : unsigned char { wbkBack = 0, wbkNext = 1, wbkCancel = 2 };

// One page of a wizard. It belongs to the form; the wizard only lists it. Created hidden and
// filling the wizard above its button bar.
class TqelWizardPage : public TWinControl {
public:
    explicit TqelWizardPage(TComponent* owner);
    ~TqelWizardPage() override;

    // Placing a page on a wizard makes it one of its pages.
    void SetParent(TWinControl* parent) override;

    TqelWizard* Wizard() const { return wizard_; }
    void SetWizard(TqelWizard* wizard);
    // Position in the wizard's page list, -1 without a wizard.
    int Index() const;
    void SetIndex(int index);
    int PendingIndex() const { return pendingIndex_; }

    bool EnableBack() const { return enableBack_; }
    void SetEnableBack(bool value);
    bool SavedEnableBack() const { return savedEnableBack_; }
    // False takes the page out of the navigation and the page count.
    bool RuntimeVisible() const { return runtimeVisible_; }
    void SetRuntimeVisible(bool value);

    // Asked before the wizard leaves the page forwards; false keeps it.
    TPageChangingEvent OnChanging;
    // Before the wizard leaves the page backwards.
    TNotifyEvent OnChangeBack;
    // After the page became active through Next.
    TNotifyEvent OnShow;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    friend class TqelWizard;
    TqelWizard* wizard_ = nullptr; // not owned
    int pendingIndex_ = -1;
    bool enableBack_ = true;
    bool savedEnableBack_ = true;
    bool runtimeVisible_ = true;
};

// A wizard button: its click goes to the wizard, and it keeps its pixel size when the form is
// scaled.
class TqelWzBtn : public TButton {
public:
    TqelWzBtn(TqelWizard* wizard, TqelWizardBtnKind kind);
    TqelWizardBtnKind Kind() const { return kind_; }
    void Click() override;
    void ChangeScale(int, int) override {}

private:
    TqelWizard* wizard_; // not owned: the wizard owns the button
    TqelWizardBtnKind kind_;
};

// The settings of one wizard button. The wizard owns it; its button is owned by the wizard too.
class TqelWizardBtn {
public:
    TqelWizardBtn(TqelWizard* wizard, TqelWizardBtnKind kind);
    virtual ~TqelWizardBtn() = default;
    TqelWizardBtn(const TqelWizardBtn&) = delete;
    TqelWizardBtn& operator=(const TqelWizardBtn&) = delete;

    TqelWizardBtnKind Kind() const { return kind_; }
    TqelWizard* Wizard() const { return wizard_; }
    TqelWzBtn* Button() const { return button_; }
    const String& Caption() const { return caption_; }
    void SetCaption(const String& caption);

    static String DefaultCaption(TqelWizardBtnKind kind);

protected:
    void Changed();

private:
    TqelWizard* wizard_;
    TqelWizardBtnKind kind_;
    TqelWzBtn* button_;
    String caption_;
};

class TqelWizardBtnNext : public TqelWizardBtn {
public:
    explicit TqelWizardBtnNext(TqelWizard* wizard) : TqelWizardBtn(wizard, wbkNext) {}

    // Next's text where no later visible page exists; empty keeps Caption.
    const String& Last_Caption() const { return lastCaption_; }
    void SetLast_Caption(const String& caption);
    // Where no later visible page exists, Next stays enabled and runs the last action.
    bool Last_TAction() const { return lastTAction_; }
    void SetLast_TAction(bool value);

private:
    String lastCaption_;
    bool lastTAction_ = false;
};

// Shows one of its pages at a time above a bar with a separator, the page count and the
// buttons Back, Next and Cancel. Fills its parent.
class TqelWizard : public TWinControl {
public:
    static constexpr int BarHeight = 42;

    explicit TqelWizard(TComponent* owner);
    ~TqelWizard() override;

    TqelWizardBtn* BtnBack() const { return btnBack_.get(); }
    TqelWizardBtnNext* BtnNext() const { return btnNext_.get(); }
    TqelWizardBtn* BtnCancel() const { return btnCancel_.get(); }
    TBevel* Separator() const { return separator_; }
    TLabel* StatusLabel() const { return statusLabel_; }

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TqelWizardPage* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
    TqelWizardPage* ActivePage() const { return activePage_; }
    // Writes show the page without page events and without OnChangePage.
    void SetActivePage(TqelWizardPage* page) { ShowPage(page); }
    int ActivePageIndex() const;
    // Out of range: ignored.
    void SetActivePageIndex(int index);
    bool StatusText() const { return statusLabel_->Visible(); }
    void SetStatusText(bool value);

    TqelWizardPage* NextVisiblePage() const;
    TqelWizardPage* PriorVisiblePage() const;
    void ShowPage(TqelWizardPage* page);
    void ChangePage(bool forward);
    void ButtonClick(TqelWizardBtnKind kind);
    // While the last action runs Next and the last page's Back are off.
    void SetLastActionRunning(bool running);

    void InsertPage(TqelWizardPage* page);
    void RemovePage(TqelWizardPage* page);
    void MovePage(TqelWizardPage* page, int index);

    void UpdateLayout();
    void UpdateButtons();

    void Loaded() override;
    void ShowControl(TControl* control) override;
    void AdjustClientRect(RECT& rect) override;

    // Next where no later visible page exists (Sender: the wizard).
    TNotifyEvent OnLastAction;
    // After Back or Next changed the active page.
    TNotifyEvent OnChangePage;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Resize() override;

private:
    void PageFocusLater();
    void WMEraseBkgnd(TMessage& message);
    void WMPageSetFocus(TMessage& message);
    void ChangeForward();
    void ChangeBack();

    std::unique_ptr<TqelWizardBtn> btnBack_;
    std::unique_ptr<TqelWizardBtnNext> btnNext_;
    std::unique_ptr<TqelWizardBtn> btnCancel_;
    TBevel* separator_ = nullptr;
    TLabel* statusLabel_ = nullptr;
    std::vector<TqelWizardPage*> pages_; // not owned
    TqelWizardPage* activePage_ = nullptr;
    bool nextHadFocus_ = false;
    bool pageFocusPending_ = false; // the focus step waits for our window
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The registered message that moves the focus onto a newly shown page.
UINT QelWizardPageSetFocusMessage();
