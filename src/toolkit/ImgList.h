#pragma once
#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"

#include <commctrl.h>

// Images of one size in a system image list, drawn by index.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new size empties the list.
    void SetSize(int width, int height);
    int Count() const;
    // Adds the bitmap (cut into as many images as its width holds); pixels of maskColor stay
    // transparent. Returns the index of the first image added.
    int AddMasked(TBitmap& bitmap, TColor maskColor);
    void Draw(HDC dc, int x, int y, int index) const;
    HIMAGELIST Handle() const { return handle_; }

private:
    HIMAGELIST handle_ = nullptr;
    int width_ = 16, height_ = 16;
};
