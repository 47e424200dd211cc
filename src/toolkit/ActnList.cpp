#include "toolkit/ActnList.h"

#include <algorithm>

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction() {
    SetActionList(nullptr);
    // A client may let go of us while it is told.
    while (!clients_.empty()) {
        TActionClient* client = clients_.back();
        clients_.pop_back();
        client->ActionGone(this);
    }
}

void TAction::SetCaption(const String& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

void TAction::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed();
}

void TAction::SetShortCut(TShortCut shortCut) {
    if (shortCut == shortCut_) return;
    shortCut_ = shortCut;
    Changed();
}

void TAction::Changed() {
    std::vector<TActionClient*> clients = clients_;
    for (TActionClient* c : clients)
        c->ActionChanged(this);
}

void TAction::SetActionList(TActionList* list) {
    if (list == list_) return;
    if (list_) {
        auto& v = list_->actions_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    list_ = list;
    if (list_) list_->actions_.push_back(this);
}

bool TAction::Execute() {
    if (!enabled_ || !OnExecute) return false;
    OnExecute(this);
    return true;
}

void TAction::AddClient(TActionClient* client) {
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end()) clients_.push_back(client);
}

void TAction::RemoveClient(TActionClient* client) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

TActionList::~TActionList() {
    std::vector<TAction*> actions = actions_;
    for (TAction* a : actions)
        a->SetActionList(nullptr);
}

TActionLink::~TActionLink() {
    if (action_) action_->RemoveClient(this);
}

void TActionLink::SetAction(TAction* action) {
    if (action == action_) return;
    if (action_) action_->RemoveClient(this);
    action_ = action;
    if (!action_) return;
    action_->AddClient(this);
    follow_(*action_);
}

void TActionLink::ActionChanged(TAction* action) {
    if (action == action_) follow_(*action);
}

void TActionLink::ActionGone(TAction* action) {
    if (action == action_) action_ = nullptr;
}
