#include "toolkit/Graphics.h"
#include "toolkit/ImgList.h"
#include "toolkit/SysUtils.h"

#include <gtest/gtest.h>

// A 256-colour bitmap resource keeps its colours; a missing one is named in the error. An image
// list cuts nothing off a bitmap of its own size.
TEST(TBitmap, LoadsBitmapResourcesByNameAndNamesAMissingOne) {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(nullptr, L"DIR0");
    EXPECT_EQ(bitmap.Width(), 16);
    EXPECT_EQ(bitmap.Height(), 16);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), RGB(255, 0, 255));
    EXPECT_EQ(bitmap.Canvas().Pixel(3, 11), RGB(255, 204, 51));
    TImageList images(nullptr);
    images.SetSize(16, 16);
    EXPECT_EQ(images.AddMasked(bitmap, 0xFF00FF), 0);
    EXPECT_EQ(images.AddMasked(bitmap, 0xFF00FF), 1);
    EXPECT_EQ(images.Count(), 2);
    try {
        bitmap.LoadFromResourceName(nullptr, L"GIBTSNICHT");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind(L"Das Bild \"GIBTSNICHT\" fehlt in den Ressourcen des Programms: ", 0),
                  0u)
            << NachUtf8(e.Message());
    }
    EXPECT_EQ(bitmap.Width(), 16) << "the bitmap is kept";
}
