#include "toolkit/ImgList.h"

#include "toolkit/SysUtils.h"

TImageList::TImageList(TComponent* owner) : TComponent(owner) {
    SetSize(16, 16);
}

TImageList::~TImageList() {
    if (handle_) ImageList_Destroy(handle_);
}

// 24-bit colour with a mask: 256-colour bitmaps keep their colours on any screen.
void TImageList::SetSize(int width, int height) {
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4);
    if (!list)
        throw Exception(
            Format(L"Eine Bildliste von %d x %d Punkten kann nicht angelegt werden", width, height));
    if (handle_) ImageList_Destroy(handle_);
    handle_ = list;
    width_ = width;
    height_ = height;
}

int TImageList::Count() const {
    return ImageList_GetImageCount(handle_);
}

int TImageList::AddMasked(TBitmap& bitmap, TColor maskColor) {
    int index = ImageList_AddMasked(handle_, bitmap.Handle(), ColorToRGB(maskColor));
    if (index < 0) throw Exception(L"Das Bild kann nicht in die Bildliste aufgenommen werden");
    return index;
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
    ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT);
}
