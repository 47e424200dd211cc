#pragma once
// A bar of small glyph buttons that moves through the records of a data set and starts their
// editing: the panel that arranges and places the buttons, the bar with its ten buttons and their
// events, and the navigator that follows a data source.
#include "data/DB.h"
#include "toolkit/Buttons.h"
#include "toolkit/ExtCtrls.h"

#include <array>
#include <memory>

// Arranges the speed buttons on it in one row, or the group-2 buttons in a second row, and keeps
// itself the size of its buttons at the side of its parent that ButtonAlign names.
class TkivNavigatorPanel : public TPanel {
public:
    explicit TkivNavigatorPanel(TComponent* owner);

    int ContentWidth() const { return contentWidth_; }
    int ContentHeight() const { return contentHeight_; }
    // True until the window exists.
    bool Creating() const { return creating_; }
    int ButtonCount() const;
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool ButtonEnabled() const { return buttonEnabled_; }
    void SetButtonEnabled(bool enabled);
    TAlign ButtonAlign() const { return buttonAlign_; }
    void SetButtonAlign(TAlign align);
    bool Einzeilig() const { return einzeilig_; }
    void SetEinzeilig(bool einzeilig);

    // Places the bar; runs on every change of its size.
    void Resize() override;
    // The buttons keep their pixel size.
    void ChangeScale(int, int) override {}

protected:
    void CreateWnd() override;
    void Arrange();
    // ButtonEnabled was written and passed on to the buttons.
    virtual void ButtonEnabledChanged() {}

private:
    void Place();
    template <class F> void ForEachButton(F f) const;

    int contentWidth_ = 0, contentHeight_ = 0;
    bool creating_ = true;
    bool flat_ = false;
    bool buttonEnabled_ = true;
    TAlign buttonAlign_ = alRight;
    bool einzeilig_ = true;
};

enum TkivNavigateBtn {
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh
};
// A set of buttons, bit n for TkivNavigateBtn n.
using TkivButtonSet = unsigned;
constexpr TkivButtonSet NavButton(TkivNavigateBtn button) {
    return 1u << button;
}
constexpr TkivButtonSet kivMoveButtons =
    NavButton(nbFirst) | NavButton(nbPrior) | NavButton(nbNext) | NavButton(nbLast);
constexpr TkivButtonSet kivEditButtons =
    NavButton(nbInsert) | NavButton(nbDelete) | NavButton(nbEdit) | NavButton(nbPost) | NavButton(nbCancel);

// The ten buttons; a click raises the button's event with the button as Sender.
class TkivNavigatorX : public TkivNavigatorPanel {
public:
    explicit TkivNavigatorX(TComponent* owner);

    TSpeedButton* Button(TkivNavigateBtn button) const { return buttons_.at(button); }
    TkivButtonSet VisibleButtons() const { return visibleButtons_; }
    // Shows exactly these buttons and arranges the bar, also when the set is the one held.
    void SetVisibleButtons(TkivButtonSet buttons);
    bool EditButtonsVisible() const { return editButtonsVisible_; }
    void SetEditButtonsVisible(bool visible);
    bool MoveButtonsVisible() const { return moveButtonsVisible_; }
    void SetMoveButtonsVisible(bool visible);
    bool RefreshButtonVisible() const { return refreshButtonVisible_; }
    void SetRefreshButtonVisible(bool visible);

    virtual void FirstClick();
    virtual void PriorClick();
    virtual void NextClick();
    virtual void LastClick();
    virtual void NewClick();
    virtual void EditClick();
    virtual void DelClick();
    virtual void PostClick();
    virtual void CancelClick();
    virtual void RefreshClick();

    TNotifyEvent OnNewClick, OnEditClick, OnDelClick, OnRefreshClick, OnPriorClick, OnNextClick, OnFirstClick,
        OnCancelClick, OnLastClick, OnPostClick;

private:
    void Raise(const TNotifyEvent& event, TkivNavigateBtn button);
    void ShowGroup(TkivButtonSet group, bool visible);

    std::array<TSpeedButton*, 10> buttons_{};
    bool refreshButtonVisible_ = true, editButtonsVisible_ = true, moveButtonsVisible_ = true;
    TkivButtonSet visibleButtons_ = kivMoveButtons | NavButton(nbRefresh);
};

class TkivNavigator;

// Tells its navigator of every change of the data set's state, position or content.
class TkivNavDataLink : public TDataLink {
public:
    explicit TkivNavDataLink(TkivNavigator* navigator) : navigator_(navigator) {}

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void DataSetChanged() override;
    void DataSourceChanged() override;

private:
    TkivNavigator* navigator_;
};

// The bar on a data source: the move buttons move the data set, and the buttons are enabled as
// its state allows.
class TkivNavigator : public TkivNavigatorX {
public:
    explicit TkivNavigator(TComponent* owner);
    ~TkivNavigator() override;

    // Not owned; becomes empty when the source is freed.
    TDataSource* DataSource() const { return link_->DataSource(); }
    void SetDataSource(TDataSource* source) { link_->SetDataSource(source); }

    void FirstClick() override;
    void PriorClick() override;
    void NextClick() override;
    void LastClick() override;

    void UpdateButtons();

protected:
    void EnabledChanged() override;
    void ButtonEnabledChanged() override { UpdateButtons(); }

private:
    TDataSet* ActiveSet() const;
    std::unique_ptr<TkivNavDataLink> link_;
};
