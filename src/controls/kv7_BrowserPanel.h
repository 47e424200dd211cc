#pragma once
// A list view over a data source: a data grid with a caption line and a navigator above it,
// command buttons below and a context menu, in one of six modes of selecting and editing.
#include "controls/kv7_Navigator.h"
#include "data/DBGrids.h"
#include "toolkit/Menus.h"

#include <memory>

enum TkivBrowserPanelModus {
    bp_RowSelect,
    bp_RowMultiSelect,
    bp_Editing,
    bp_EditMultiSelect,
    bp_EditTransaction,
    bp_EditMultiTransaction
};

// The background colour of an ordinary cell; the text colour follows from it.
using TkivGetColorEvent = std::function<TColor(TComponent* sender)>;
using TkivGetColorDataColEvent = std::function<TColor(TComponent* sender, int aDataCol)>;

class TkivBrowserGrid;
struct TkivStateHook;
struct TkivHookState;

class TkivBrowserPanel : public TPanel {
public:
    explicit TkivBrowserPanel(TComponent* owner);
    ~TkivBrowserPanel() override;

    TkivBrowserPanelModus BrowserPanelModus() const { return modus_; }
    // Sets the grid's options and shows "Speichern" and "Abbruch" in the editing modes; applied
    // also when the mode is the one held.
    void SetBrowserPanelModus(TkivBrowserPanelModus modus);
    // Kept for the program; the panel does not use it.
    TAlign ButtonAlignment() const { return buttonAlignment_; }
    void SetButtonAlignment(TAlign align) { buttonAlignment_ = align; }
    // The caption line's text; Caption reads and writes the same.
    String PanelTopCaption() const;
    void SetPanelTopCaption(const String& caption);
    TColor ColorGrid() const;
    void SetColorGrid(TColor color);
    // Kept for the program; the panel does not use it.
    TColor ColorSelected() const { return colorSelected_; }
    void SetColorSelected(TColor color) { colorSelected_ = color; }
    // Not owned. The panel follows the source's state through a hook on its OnStateChange that
    // calls the handler it found there; the hook goes when the panel leaves the source.
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool PanelButtonVisible() const;
    // Also shows the navigator's move and refresh buttons only, five buttons wide.
    void SetPanelButtonVisible(bool visible);
    bool PanelTopVisible() const;
    void SetPanelTopVisible(bool visible);
    // Commands refresh the data set after their event.
    bool kivAutoRefresh() const { return autoRefresh_; }
    void SetkivAutoRefresh(bool value) { autoRefresh_ = value; }
    // Edit focuses the grid after its event.
    bool kivOwnerVisible() const { return ownerVisible_; }
    void SetkivOwnerVisible(bool value) { ownerVisible_ = value; }
    // No editing in the grid, no New, Edit and Delete, and the menu entries tagged 100 hidden.
    bool kivReadOnly() const { return readOnly_; }
    void SetkivReadOnly(bool readOnly);

    // The handlers that decide what the panel offers are written through their setters.
    const TNotifyEvent& OnNewClick() const { return onNew_; }
    void SetOnNewClick(TNotifyEvent handler);
    const TNotifyEvent& OnEditClick() const { return onEdit_; }
    void SetOnEditClick(TNotifyEvent handler);
    const TNotifyEvent& OnDeleteClick() const { return onDelete_; }
    void SetOnDeleteClick(TNotifyEvent handler);
    const TNotifyEvent& OnAnzeigeClick() const { return onAnzeige_; }
    void SetOnAnzeigeClick(TNotifyEvent handler);
    // The grid's double-click and key-press events; the navigator's refresh event.
    const TNotifyEvent& OnDblClick() const;
    void SetOnDblClick(TNotifyEvent handler);
    const TKeyPressEvent& OnKeyPress() const;
    void SetOnKeyPress(TKeyPressEvent handler);
    const TNotifyEvent& OnRefreshClick() const;
    void SetOnRefreshClick(TNotifyEvent handler);

    TNotifyEvent OnOKClick;     // "Speichern"
    TNotifyEvent OnCancelClick; // "Abbruch"
    TkivGetColorEvent OnGetColor;
    TkivGetColorDataColEvent OnGetColorDataCol;

    // The commands as buttons, menu entries and keys run them.
    void NewClick();
    void EditClick();
    void DeleteClick();
    void AnzeigeClick();
    void OKClick();
    void CancelClick();
    // Ends an edit of the linked data set before the grid stops editing: posts what was typed;
    // where that fails, shows why and asks "Änderungen speichern?": Yes keeps the record in its
    // edit (false: the caller does not go on), No drops the changes.
    bool PostPending();
    bool CanClose() override;

    TDBGrid* Grid() const;
    TkivNavigator* Navigator() const { return navigator_; }
    TPanel* PanelTop() const { return panelTop_; }
    TPanel* PanelButton() const { return panelButton_; }
    TLabel* CaptionLabel() const { return caption_; }
    TPopupMenu* Menu() const { return menu_; }
    TSpeedButton* NewButton() const { return buttonNew_; }
    TSpeedButton* EditButton() const { return buttonEdit_; }
    TSpeedButton* DeleteButton() const { return buttonDelete_; }
    TSpeedButton* OKButton() const { return buttonOK_; }
    TSpeedButton* CancelButton() const { return buttonCancel_; }
    TMenuItem* NewItem() const { return itemNew_; }
    TMenuItem* DeleteItem() const { return itemDelete_; }
    TMenuItem* EditItem() const { return itemEdit_; }
    TMenuItem* AnzeigeItem() const { return itemAnzeige_; }

protected:
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    String GetText() const override;
    void TextChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TkivBrowserGrid;
    friend struct TkivStateHook;
    TSpeedButton* Knopf(TPanel* parent, int left, const wchar_t* caption, const wchar_t* hint,
                        void (TkivBrowserPanel::*command)());
    void ApplyCommandVisibility();
    void Refresh();
    void FocusGrid();
    TDataSet* LinkedSet() const;
    bool Editing() const;
    void StateChanged();
    void Hook(TDataSource* source);
    void Unhook();

    TkivBrowserPanelModus modus_ = bp_RowSelect;
    TAlign buttonAlignment_ = alNone;
    TColor colorSelected_ = clWhite;
    bool flat_ = false;
    bool autoRefresh_ = true;
    bool ownerVisible_ = true;
    bool readOnly_ = false;
    TNotifyEvent onNew_, onEdit_, onDelete_, onAnzeige_;

    TPanel* panelTop_;
    TLabel* caption_;
    TkivNavigator* navigator_;
    TPanel* panelButton_;
    TPanel* panelOKCancel_;
    TSpeedButton *buttonNew_, *buttonEdit_, *buttonDelete_, *buttonOK_, *buttonCancel_;
    TkivBrowserGrid* grid_;
    TPopupMenu* menu_;
    TMenuItem *itemNew_, *itemDelete_, *itemEdit_, *itemAnzeige_;

    // The source whose OnStateChange holds the hook, and what the hook shares with the panel.
    TDataSource* hooked_ = nullptr;
    std::shared_ptr<TkivHookState> hookState_;
};
