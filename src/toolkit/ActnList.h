#pragma once
#include "toolkit/Classes.h"
#include "toolkit/ShortCuts.h"

#include <functional>
#include <vector>

class TAction;
class TActionList;

// A control that shows an action and runs it. The action tells it about changes.
class TActionClient {
public:
    virtual ~TActionClient() = default;
    virtual void ActionChanged(TAction* action) = 0;
    virtual void ActionGone(TAction* action) = 0;
};

// A command with a caption that buttons bound to it show; Execute runs OnExecute. Its ShortCut
// runs it from the keyboard anywhere on the form that owns it.
class TAction : public TComponent {
public:
    explicit TAction(TComponent* owner);
    ~TAction() override;

    const String& Caption() const { return caption_; }
    void SetCaption(const String& caption);
    const String& Category() const { return category_; }
    void SetCategory(const String& category) { category_ = category; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    // The list it belongs to; not owned.
    TActionList* ActionList() const { return list_; }
    void SetActionList(TActionList* list);

    // Runs OnExecute; false when the action is disabled or has no handler.
    bool Execute();

    void AddClient(TActionClient* client);
    void RemoveClient(TActionClient* client);

    TNotifyEvent OnExecute;

private:
    void Changed();
    String caption_;
    String category_;
    bool enabled_ = true;
    TShortCut shortCut_ = scNone;
    TActionList* list_ = nullptr;
    std::vector<TActionClient*> clients_;
};

// What a control keeps of the action it shows: the action (not owned), told to follow every change
// of it and to forget it when it goes.
class TActionLink final : public TActionClient {
public:
    explicit TActionLink(std::function<void(TAction& action)> follow) : follow_(std::move(follow)) {}
    ~TActionLink() override;
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TAction* Action() const { return action_; }
    void SetAction(TAction* action);

    void ActionChanged(TAction* action) override;
    void ActionGone(TAction* action) override;

private:
    TAction* action_ = nullptr;
    std::function<void(TAction& action)> follow_;
};

// Groups actions; the actions stay owned by whoever created them.
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* owner) : TComponent(owner) {}
    ~TActionList() override;

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    TAction* Actions(int index) const { return actions_.at(static_cast<size_t>(index)); }

private:
    friend class TAction;
    std::vector<TAction*> actions_;
};
