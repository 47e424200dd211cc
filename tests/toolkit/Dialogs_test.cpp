#include "toolkit/Dialogs.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "BoxReader.h"
#include "Schritte.h"
#include "WinInput.h"

#include <gtest/gtest.h>

TEST(ShowMessageBox, RealBoxCarriesCaptionTextIconAndDefaultMark) {
    BoxReader reader(IDNO);
    MessageBoxArgs a;
    a.text = L"Zeile 1\rZeile 2";
    a.caption = L"Bestätigen";
    a.icon = MB_ICONQUESTION;
    a.buttons = MB_YESNO;
    a.defaultResult = IDNO;
    a.left = 10;
    EXPECT_EQ(ShowMessageBox(a), IDNO);
    ASSERT_EQ(reader.Boxes().size(), 1u);
    const SeenBox& box = reader.Boxes()[0];
    EXPECT_EQ(box.caption, L"Bestätigen");
    EXPECT_EQ(box.text, L"Zeile 1\rZeile 2");
    EXPECT_EQ(box.icon, SystemIcon(IDI_QUESTION));
    EXPECT_EQ(box.defaultButton, IDNO);
    EXPECT_EQ(box.rect.left, 10);
}

TEST(ShowMessageBox, CaptureReplacesTheBox) {
    MessageBoxArgs seen;
    auto old = SetMessageBoxCapture([&](const MessageBoxArgs& a) {
        seen = a;
        return IDCANCEL;
    });
    MessageBoxArgs a;
    a.text = L"abc";
    EXPECT_EQ(ShowMessageBox(a), IDCANCEL);
    EXPECT_EQ(seen.text, L"abc");
    SetMessageBoxCapture(std::move(old));
}

// A box raised inside a modal dialog belongs to the dialog, not to the disabled main window: the
// dialog waits for it and, once it closes, is active again with the focus where it was.
TEST(ShowMessageBox, InsideAModalDialogTheDialogOwnsTheBoxAndGetsTheFocusBack) {
    TForm* haupt = Application()->CreateForm<TForm>();
    haupt->Show();
    Pump();
    auto* dialog = new TForm(Application());
    dialog->FinishCreate();
    auto* edit = new TEdit(dialog);
    edit->SetParent(dialog);
    auto* zweites = new TEdit(dialog);
    zweites->SetParent(dialog);
    zweites->SetTop(30);
    BoxReader reader;
    bool waehrendGesperrt = true;
    Schritte lauf({[&] {
                       zweites->SetFocus();
                       MessageBoxArgs a;
                       a.text = L"abc";
                       ShowMessageBox(a);
                   },
                   [&] {
                       waehrendGesperrt = !IsWindowEnabled(dialog->Handle());
                       EXPECT_EQ(GetActiveWindow(), dialog->Handle());
                       EXPECT_TRUE(zweites->Focused());
                       dialog->SetModalResult(mrOk);
                   }},
                  [&] { dialog->SetModalResult(mrCancel); });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    ASSERT_EQ(reader.Boxes().size(), 1u);
    EXPECT_EQ(reader.Boxes()[0].owner, dialog->Handle());
    EXPECT_FALSE(waehrendGesperrt); // enabled again after the box
    dialog->Free();
    haupt->Free();
}
