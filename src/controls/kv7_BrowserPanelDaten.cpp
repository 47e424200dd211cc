// The browser panel's commands and how it follows its data source.
#include "controls/kv7_BrowserPanel.h"

// What the panel's hook shares with the panel. When the panel leaves the source while another
// hook was chained behind it, its own hook stays in that chain and only passes calls on.
struct TkivHookState {
    TkivBrowserPanel* panel; // null once the panel has left the source
    TNotifyEvent previous;
};

struct TkivStateHook {
    std::shared_ptr<TkivHookState> state;
    void operator()(TComponent* sender) const {
        // Held here: the panel's handling may replace the source's handler, and this with it.
        std::shared_ptr<TkivHookState> s = state;
        if (s->panel) s->panel->StateChanged();
        TNotifyEvent previous = s->previous;
        if (previous) previous(sender);
    }
};

TDataSource* TkivBrowserPanel::DataSource() const {
    return Grid()->DataSource();
}

TDataSet* TkivBrowserPanel::LinkedSet() const {
    TDataSource* source = DataSource();
    return source ? source->DataSet() : nullptr;
}

// Writing the source it has changes nothing, so the hook is never chained behind itself.
void TkivBrowserPanel::SetDataSource(TDataSource* source) {
    if (source == DataSource() && source == hooked_) return;
    Unhook();
    Grid()->SetDataSource(source);
    navigator_->SetDataSource(source);
    if (source) Hook(source);
    StateChanged();
}

void TkivBrowserPanel::Hook(TDataSource* source) {
    const auto* found = source->OnStateChange.target<TkivStateHook>();
    if (found && found->state->panel == this) {
        hookState_ = found->state;
    } else {
        hookState_ = std::make_shared<TkivHookState>(TkivHookState{this, source->OnStateChange});
        source->OnStateChange = TkivStateHook{hookState_};
    }
    hooked_ = source;
    source->FreeNotification(this);
}

// The source gets back the handler it had, unless another hook was chained behind the panel's:
// then the panel's hook stays in the chain, passing calls on.
void TkivBrowserPanel::Unhook() {
    if (!hooked_) return;
    TDataSource* source = hooked_;
    std::shared_ptr<TkivHookState> state = std::move(hookState_);
    hooked_ = nullptr;
    source->RemoveFreeNotification(this);
    state->panel = nullptr;
    const auto* current = source->OnStateChange.target<TkivStateHook>();
    if (current && current->state == state) source->OnStateChange = state->previous;
}

// A freed source takes its handlers, the panel's hook among them, with it.
void TkivBrowserPanel::Notification(TComponent* component, TOperation operation) {
    TPanel::Notification(component, operation);
    if (operation != opRemove || component != hooked_) return;
    hookState_->panel = nullptr;
    hookState_.reset();
    hooked_ = nullptr;
}

bool TkivBrowserPanel::Editing() const {
    return hooked_ && (hooked_->State() == dsEdit || hooked_->State() == dsInsert);
}

// "Speichern" and "Abbruch" follow the editing; in the transaction modes they stay enabled once an
// edit began, as the transaction may hold records that were posted since.
void TkivBrowserPanel::StateChanged() {
    const bool editing = Editing();
    const bool transaction = modus_ == bp_EditTransaction || modus_ == bp_EditMultiTransaction;
    if (transaction && !editing) return;
    buttonOK_->SetEnabled(editing);
    buttonCancel_->SetEnabled(editing);
}

void TkivBrowserPanel::Refresh() {
    TDataSet* set = LinkedSet();
    if (autoRefresh_ && set && set->Active() && !set->MasterSource()) set->Refresh();
}

void TkivBrowserPanel::FocusGrid() {
    if (Grid()->CanFocus()) Grid()->SetFocus();
}

void TkivBrowserPanel::NewClick() {
    if (onNew_) onNew_(this);
    Refresh();
    FocusGrid();
}

// On a data set without records, Edit makes a new one.
void TkivBrowserPanel::EditClick() {
    TDataSet* set = LinkedSet();
    if (!set) return;
    if (set->IsEmpty()) {
        NewClick();
        return;
    }
    if (onEdit_) onEdit_(this);
    Refresh();
    if (ownerVisible_) FocusGrid();
}

void TkivBrowserPanel::DeleteClick() {
    TDataSet* set = LinkedSet();
    if (!set || set->IsEmpty()) return;
    if (onDelete_) onDelete_(this);
    Refresh();
    FocusGrid();
}

void TkivBrowserPanel::AnzeigeClick() {
    if (onAnzeige_) onAnzeige_(this);
    Refresh();
    FocusGrid();
}

void TkivBrowserPanel::OKClick() {
    if (OnOKClick) OnOKClick(this);
}

void TkivBrowserPanel::CancelClick() {
    if (OnCancelClick) OnCancelClick(this);
}
