#pragma once
// Non-visual holders of one string list.
#include "toolkit/Classes.h"

#include <memory>

class TqelCustomBox : public TComponent {
public:
    explicit TqelCustomBox(TComponent* owner);
    ~TqelCustomBox() override;
    int Count() const;
    bool Sorted() const;
    void SetSorted(bool sorted);

protected:
    // Called once from the constructor of the derived class that supplies the list.
    void ListeAnlegen();
    virtual std::unique_ptr<TStringList> ErzeugeListe() const = 0;
    TStringList* Liste() const { return list_.get(); }

private:
    std::unique_ptr<TStringList> list_;
};

class TStringListBox : public TqelCustomBox {
public:
    explicit TStringListBox(TComponent* owner);
    // The owned list itself; callers fill it directly.
    TStringList* Strings() const { return Liste(); }
    // Copies the contents of the given list into the owned one.
    void SetStrings(const TStrings& strings);

protected:
    std::unique_ptr<TStringList> ErzeugeListe() const override;
};
