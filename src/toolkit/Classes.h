#pragma once
#include "util/Basis.h"

#include <functional>
#include <vector>

class TComponent;
using TNotifyEvent = std::function<void(TComponent* sender)>;

enum TOperation { opInsert, opRemove };

// The ownership tree: an owner frees what it owns; a component freed early leaves its
// owner's list first. Every pointer other than an owner's list is a non-owning reference.
class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const String& Name() const { return name_; }
    void SetName(const String& name) { name_ = name; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    int ComponentIndex() const;
    TComponent* FindComponent(const String& name) const;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    // Asks that component be told through Notification(this, opRemove) when this one is destroyed;
    // the arrangement ends with either side's destruction.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // True from the start of the destructor on; what is being torn down must not be worked on.
    bool Destroying() const { return destroying_; }

    // The name of the object's own class, without namespaces ("Tam_Main").
    String ClassName() const;

    // Runs before the destructor chain, while the object is still whole: an owner calls it
    // before deleting what it owns, Free before deleting this. Derived forms raise OnDestroy here.
    virtual void BeforeDestruction() { destroying_ = true; }
    // BeforeDestruction, then delete. Nothing may touch the object afterwards.
    void Free();
    // Asked, with every component it owns, before the window that owns it closes: false keeps the
    // window open (a control holding unsaved typing that the user wants to keep).
    virtual bool CanClose();

    // True from creation until Loaded ran, for components created while their owner was being
    // built (a form and what its construction code creates).
    bool Loading() const { return loading_; }
    // The step after the window's components were built; clears Loading.
    virtual void Loaded() { loading_ = false; }

protected:
    // An owned component came or goes, or one that asked for free notification is destroyed.
    virtual void Notification(TComponent* /*component*/, TOperation /*operation*/) {}
    void DestroyComponents();
    void BeginDestroy() { destroying_ = true; }
    void BeginLoading() { loading_ = true; }

private:
    String name_;
    int tag_ = 0;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_; // not owned; each side lists the other
    bool destroying_ = false;
    bool loading_ = false;
};

// An ordered list of texts. Subclasses may keep their lines elsewhere (a control's window).
class TStrings {
public:
    virtual ~TStrings() = default;
    virtual int Count() const = 0;
    virtual String Get(int index) const = 0;
    virtual void Put(int index, const String& s);
    virtual void Insert(int index, const String& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    String operator[](int index) const { return Get(index); }
    int Add(const String& s);
    void Assign(const TStrings& source);
    int IndexOf(const String& s) const;
    // Lines joined with CR LF, each line terminated.
    String Text() const;
    // Splits at CR LF, CR or LF; a final line break adds no empty line.
    virtual void SetText(const String& text);
    std::vector<String> ToVector() const;

    // Brackets many changes; a list shown in a control redraws once at the end.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

protected:
    virtual int AddAt(const String& s);
    virtual void SetUpdateState(bool /*updating*/) {}

private:
    int updateCount_ = 0;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(std::initializer_list<String> items);

    int Count() const override { return static_cast<int>(items_.size()); }
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override { items_.clear(); }

    // A sorted list keeps its entries in ascending order (letter case ignored); Add inserts in place.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    void Sort();

protected:
    int AddAt(const String& s) override;

private:
    void CheckIndex(int index, bool allowEnd) const;
    std::vector<String> items_;
    bool sorted_ = false;
};
