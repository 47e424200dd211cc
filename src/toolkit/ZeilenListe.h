#pragma once
// A read-only list of text lines for long protocols: the lines live in one compact buffer behind
// an owner-data LISTBOX, which keeps nothing per line but its selection. The newest line comes
// into view as lines are added; the user selects lines with mouse and keyboard and copies them
// with Ctrl+C (Ctrl+A selects all).
#include "toolkit/Controls.h"

#include <memory>

class TStrings;

class TZeilenListe : public TWinControl {
public:
    explicit TZeilenListe(TComponent* owner);
    ~TZeilenListe() override;

    // Appends are cheap; changing or removing a line in the middle rewrites the buffer.
    TStrings& Lines();
    // The selected lines, each followed by CR LF.
    String AuswahlText() const;
    // Bytes the lines take, for the memory figures.
    size_t Bytes() const;

    void CNDrawItem(DRAWITEMSTRUCT& item) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void FontChanged() override;

private:
    class TZeilen;
    friend class TZeilen;
    // The window learns of lines added since it was last told, and shows the newest one.
    void Zeigen(bool alleNeu);
    void ZeilenHoeheSetzen();
    int Breite(int von, int bis);
    bool Taste(WPARAM taste);

    std::unique_ptr<TZeilen> zeilen_;
    int gezeigt_ = 0;   // lines the window has been told of
    int laengste_ = 0;  // characters of the longest line measured
    int breite_ = 0;    // its width in pixels
    String zeichnen_;   // the line being drawn, kept to spare an allocation per line
};
