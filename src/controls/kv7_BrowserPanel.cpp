#include "controls/kv7_BrowserPanel.h"

#include "framework/kv7_ColorButton.h"
#include "settings/Einstellungsarten.h"
#include "settings/Gitterlayout.h"
#include "toolkit/Dialogs.h"
#include "toolkit/SysUtils.h"
#include "toolkit/StdCtrls.h"

// The panel's grid: Return posts in bp_Editing, and ordinary cells take the panel's colours.
class TkivBrowserGrid : public TDBGrid {
public:
    explicit TkivBrowserGrid(TkivBrowserPanel* panel) : TDBGrid(panel), panel_(panel) {}

    void KeyPress(wchar_t& key) override {
        TDBGrid::KeyPress(key);
        if (key != L'\r' || panel_->modus_ != bp_Editing) return;
        TDataSet* set = panel_->LinkedSet();
        if (set && set->Active() && !set->MasterSource() &&
            (set->State() == dsEdit || set->State() == dsInsert)) {
            key = 0;
            set->Post();
        }
    }

protected:
    void DrawColumnCell(const RECT& rect, int dataCol, TColumn* column, TGridDrawState state) override {
        const auto& byColumn = panel_->OnGetColorDataCol;
        const auto& byGrid = panel_->OnGetColor;
        if (!(state & (gdSelected | gdFocused)) && (byColumn || byGrid)) {
            const TColor back = byColumn ? byColumn(this, dataCol) : byGrid(this);
            Canvas().Brush().SetColor(back);
            Canvas().Font().SetColor(ContrastTextColor(back, 159));
        }
        TDBGrid::DrawColumnCell(rect, dataCol, column, state);
    }

private:
    TkivBrowserPanel* panel_;
};

namespace {
// The grid's part of the settings file: its column layout, written on every save.
class TGitterDerTafel : public IkivGitter {
public:
    explicit TGitterDerTafel(const TDBGrid& grid) : grid_(grid) {}
    String GridName() const override { return grid_.Name(); }
    int ColumnCount() const override { return grid_.ColumnCount(); }
    int ColumnWidth(int spalte) const override { return grid_.Columns(spalte)->Width(); }
    bool ColumnVisible(int spalte) const override { return grid_.Columns(spalte)->Visible(); }
    void SpaltenSpeichern(const String& datei) const override { grid_.SaveColumnsToFile(datei); }

private:
    const TDBGrid& grid_;
};

void ArtRegistrieren() {
    static const bool registriert = [] {
        TEinstellungsart art;
        art.Gehoert = [](TComponent* k) { return dynamic_cast<TkivBrowserPanel*>(k) != nullptr; };
        art.Speichern = [](TComponent* k, const TEinstellungsZugriff& z) {
            GitterlayoutSpeichern(z, TGitterDerTafel(*static_cast<TkivBrowserPanel*>(k)->Grid()));
        };
        EinstellungsartRegistrieren(TArtZeile::BrowserPanel, std::move(art));
        return true;
    }();
    (void)registriert;
}

TPanel* Leiste(TComponent* owner, TWinControl* parent, TAlign align, int size) {
    auto* p = new TPanel(owner);
    p->SetCaption(L"");
    p->SetBevelOuter(bvNone);
    p->SetBevelInner(bvNone);
    p->SetParent(parent);
    p->SetAlign(align);
    if (align == alRight)
        p->SetWidth(size);
    else
        p->SetHeight(size);
    return p;
}
} // namespace

TkivBrowserPanel::TkivBrowserPanel(TComponent* owner) : TPanel(owner) {
    ArtRegistrieren();
    caption_ = new TLabel(this);
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetAlign(alClient);

    panelTop_ = Leiste(this, this, alTop, 24);
    panelButton_ = Leiste(this, this, alBottom, 24);
    panelOKCancel_ = Leiste(this, panelButton_, alRight, 175);
    grid_ = new TkivBrowserGrid(this);
    grid_->SetParent(this);
    grid_->SetAlign(alClient);
    grid_->SetOptions((kDBGridDefaultOptions & ~(dgEditing | dgCancelOnExit)) | dgRowSelect);
    grid_->SetTabStop(true);

    navigator_ = new TkivNavigator(this);
    navigator_->SetParent(panelTop_);
    navigator_->SetAlign(alRight);
    navigator_->SetEditButtonsVisible(false);
    navigator_->SetRefreshButtonVisible(true);
    navigator_->SetFlat(flat_);

    buttonNew_ = Knopf(panelButton_, 5, L"Neu...", L"Neuen Eintrag anlegen", &TkivBrowserPanel::NewClick);
    buttonEdit_ = Knopf(panelButton_, 90, L"Bearbeiten...", L"Angezeigten Eintrag bearbeiten",
                        &TkivBrowserPanel::EditClick);
    buttonDelete_ =
        Knopf(panelButton_, 175, L"Löschen", L"Angezeigten Eintrag löschen", &TkivBrowserPanel::DeleteClick);
    buttonOK_ =
        Knopf(panelOKCancel_, 5, L"Speichern", L"Geänderten Eintrag speichern", &TkivBrowserPanel::OKClick);
    buttonCancel_ =
        Knopf(panelOKCancel_, 90, L"Abbruch", L"Änderung verwerfen", &TkivBrowserPanel::CancelClick);
    buttonOK_->SetEnabled(false);
    buttonCancel_->SetEnabled(false);
    panelOKCancel_->SetVisible(false);

    menu_ = new TPopupMenu(this);
    itemNew_ = menu_->NewItem(L"Neuer Eintrag", [this](TComponent*) { NewClick(); });
    itemNew_->SetShortCut(ShortCut(VK_INSERT));
    itemDelete_ = menu_->NewItem(L"Eintrag löschen", [this](TComponent*) { DeleteClick(); });
    itemDelete_->SetShortCut(ShortCut(VK_DELETE));
    itemEdit_ = menu_->NewItem(L"Eintrag bearbeiten", [this](TComponent*) { EditClick(); });
    itemEdit_->SetShortCut(ShortCut(VK_F2));
    itemAnzeige_ = menu_->NewItem(L"Anzeige", [this](TComponent*) { AnzeigeClick(); });
    itemAnzeige_->SetVisible(false);
    grid_->SetPopupMenu(menu_);
    SetPopupMenu(menu_);

    caption_->SetParent(panelTop_);
    caption_->SetLeft(4);
    caption_->SetTop(4);
    SetPanelButtonVisible(false);
    ApplyCommandVisibility();
}

TkivBrowserPanel::~TkivBrowserPanel() {
    Unhook();
}

TSpeedButton* TkivBrowserPanel::Knopf(TPanel* parent, int left, const wchar_t* caption, const wchar_t* hint,
                                      void (TkivBrowserPanel::*command)()) {
    auto* b = new TSpeedButton(this);
    b->SetParent(parent);
    b->SetBounds(left, 2, 80, 20);
    b->SetCaption(caption);
    b->SetHint(hint);
    b->SetShowHint(true);
    b->SetFlat(flat_);
    b->OnClick = [this, command](TComponent*) { (this->*command)(); };
    return b;
}

void TkivBrowserPanel::CreateWnd() {
    TPanel::CreateWnd();
    panelButton_->SetAlign(alBottom);
    panelButton_->SetBevelOuter(bvNone);
    panelButton_->SetBevelInner(bvNone);
}

// Focusing the panel focuses its grid.
void TkivBrowserPanel::WndProc(TMessage& m) {
    if (m.Msg == WM_SETFOCUS && grid_->CanFocus()) {
        grid_->SetFocus();
        return;
    }
    TPanel::WndProc(m);
}

bool TkivBrowserPanel::PostPending() {
    TDataSet* set = LinkedSet();
    if (!set || !set->Active() || (set->State() != dsEdit && set->State() != dsInsert)) return true;
    try {
        set->CheckBrowseMode();
        return true;
    } catch (const Exception& e) {
        MessageBoxArgs box;
        box.text = e.Message() + L"\r\rÄnderungen speichern?\r(Ja: weiter bearbeiten und berichtigen; Nein: die "
                                 L"Änderungen verwerfen)";
        box.caption = L"Änderungen speichern?";
        box.icon = MB_ICONQUESTION;
        box.buttons = MB_YESNO;
        box.defaultResult = IDYES;
        if (ShowMessageBox(box) == IDYES) {
            FocusGrid();
            return false;
        }
        set->Cancel();
        return true;
    }
}

bool TkivBrowserPanel::CanClose() {
    return PostPending() && TPanel::CanClose();
}

TDBGrid* TkivBrowserPanel::Grid() const {
    return grid_;
}

String TkivBrowserPanel::GetText() const {
    return caption_ ? caption_->Caption() : text_;
}

// The caption is the caption line's; the panel's own face shows none.
void TkivBrowserPanel::TextChanged() {
    if (caption_) caption_->SetCaption(text_);
}

String TkivBrowserPanel::PanelTopCaption() const {
    return caption_->Caption();
}

void TkivBrowserPanel::SetPanelTopCaption(const String& caption) {
    SetCaption(caption);
}

TColor TkivBrowserPanel::ColorGrid() const {
    return grid_->Color();
}

void TkivBrowserPanel::SetColorGrid(TColor color) {
    grid_->SetColor(color);
}

void TkivBrowserPanel::SetFlat(bool flat) {
    if (flat == flat_) return;
    flat_ = flat;
    for (TSpeedButton* b : {buttonNew_, buttonEdit_, buttonDelete_, buttonOK_, buttonCancel_})
        b->SetFlat(flat);
    navigator_->SetFlat(flat);
}

bool TkivBrowserPanel::PanelButtonVisible() const {
    return panelButton_->Visible();
}

void TkivBrowserPanel::SetPanelButtonVisible(bool visible) {
    panelButton_->SetVisible(visible);
    navigator_->SetVisibleButtons(kivMoveButtons | NavButton(nbRefresh));
    navigator_->SetWidth(5 * navigator_->Height());
}

bool TkivBrowserPanel::PanelTopVisible() const {
    return panelTop_->Visible();
}

void TkivBrowserPanel::SetPanelTopVisible(bool visible) {
    panelTop_->SetVisible(visible);
}

void TkivBrowserPanel::SetBrowserPanelModus(TkivBrowserPanelModus modus) {
    if (!PostPending()) return;
    modus_ = modus;
    const bool editing = modus >= bp_Editing;
    const bool multi =
        modus == bp_RowMultiSelect || modus == bp_EditMultiSelect || modus == bp_EditMultiTransaction;
    TDBGridOptions options = dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines |
                             dgAlwaysShowSelection | dgConfirmDelete;
    if (!editing)
        options |= dgRowSelect;
    else if (!readOnly_)
        options |= dgEditing | dgAlwaysShowEditor;
    if (multi) options |= dgMultiSelect;
    grid_->SetOptions(options);
    panelOKCancel_->SetVisible(editing && !readOnly_);
    ApplyCommandVisibility();
    StateChanged();
}

void TkivBrowserPanel::SetkivReadOnly(bool readOnly) {
    if (readOnly != readOnly_ && !PostPending()) return;
    readOnly_ = readOnly;
    ApplyCommandVisibility();
    for (int i = 0; i < menu_->Count(); ++i)
        if (menu_->Items(i)->Tag() == 100) menu_->Items(i)->SetVisible(!readOnly);
    SetBrowserPanelModus(modus_);
}

// New, Edit and Delete are offered while rows are selected (not edited), the panel may change
// records, and the program handles the command.
void TkivBrowserPanel::ApplyCommandVisibility() {
    const bool rows = (modus_ == bp_RowSelect || modus_ == bp_RowMultiSelect) && !readOnly_;
    const bool newVisible = rows && onNew_, editVisible = rows && onEdit_, deleteVisible = rows && onDelete_;
    buttonNew_->SetVisible(newVisible);
    itemNew_->SetVisible(newVisible);
    buttonEdit_->SetVisible(editVisible);
    itemEdit_->SetVisible(editVisible);
    buttonDelete_->SetVisible(deleteVisible);
    itemDelete_->SetVisible(deleteVisible);
}

void TkivBrowserPanel::SetOnNewClick(TNotifyEvent handler) {
    onNew_ = std::move(handler);
    ApplyCommandVisibility();
}

void TkivBrowserPanel::SetOnEditClick(TNotifyEvent handler) {
    onEdit_ = std::move(handler);
    ApplyCommandVisibility();
}

void TkivBrowserPanel::SetOnDeleteClick(TNotifyEvent handler) {
    onDelete_ = std::move(handler);
    ApplyCommandVisibility();
}

void TkivBrowserPanel::SetOnAnzeigeClick(TNotifyEvent handler) {
    onAnzeige_ = std::move(handler);
    itemAnzeige_->SetVisible(static_cast<bool>(onAnzeige_));
}

const TNotifyEvent& TkivBrowserPanel::OnDblClick() const {
    return grid_->OnDblClick;
}

void TkivBrowserPanel::SetOnDblClick(TNotifyEvent handler) {
    grid_->OnDblClick = std::move(handler);
}

const TKeyPressEvent& TkivBrowserPanel::OnKeyPress() const {
    return grid_->OnKeyPress;
}

void TkivBrowserPanel::SetOnKeyPress(TKeyPressEvent handler) {
    grid_->OnKeyPress = std::move(handler);
}

const TNotifyEvent& TkivBrowserPanel::OnRefreshClick() const {
    return navigator_->OnRefreshClick;
}

void TkivBrowserPanel::SetOnRefreshClick(TNotifyEvent handler) {
    navigator_->OnRefreshClick = std::move(handler);
}
