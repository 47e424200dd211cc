#pragma once
#include "toolkit/Classes.h"

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

// A command with a caption that buttons bound to it show; Execute runs OnExecute.
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
    TActionList* list_ = nullptr;
    std::vector<TActionClient*> clients_;
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
