#include "gallery/gl_Eintrag.h"

#include "data/DB.h"
#include "toolkit/Application.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

#include <memory>
#include <vector>

namespace {
TButton* Knopf(TForm* form, const wchar_t* name, const wchar_t* caption, int left, int top,
               TModalResult result) {
    auto* b = new TButton(form);
    b->SetName(name);
    b->SetParent(form);
    b->SetBounds(left, top, 80, 25);
    b->SetCaption(caption);
    b->SetModalResult(result);
    return b;
}
} // namespace

bool EintragBearbeiten(TDataSet& set, const String& titel) {
    auto* form = new TForm(nullptr);
    std::unique_ptr<TForm, void (*)(TForm*)> frei(form, [](TForm* f) { f->Free(); });
    form->SetName(L"gl_Eintrag");
    form->SetCaption(titel);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poMainFormCenter);
    form->Font().SetName(L"Tahoma");
    form->Font().SetHeight(-11);

    struct TFeld {
        TField* field;
        TEdit* edit;
        String shown; // what the field showed: an untouched field keeps its value, NULL included
    };
    std::vector<TFeld> felder;
    int top = 12;
    for (int i = 0; i < set.FieldCount(); ++i) {
        TField* field = set.Fields(i);
        if (!field->Visible()) continue;
        auto* label = new TLabel(form);
        label->SetParent(form);
        label->SetBounds(12, top, 0, 13);
        label->SetCaption(field->DisplayLabel() + L":");
        auto* edit = new TEdit(form);
        edit->SetName(L"ed_" + field->FieldName());
        edit->SetParent(form);
        edit->SetBounds(12, top + 16, 276, 21);
        edit->SetText(field->Text());
        edit->SetEnabled(!field->ReadOnly());
        felder.push_back({field, edit, field->Text()});
        top += 46;
    }
    Knopf(form, L"bb_OK", L"OK", 120, top + 4, mrOk)->SetDefault(true);
    Knopf(form, L"bb_Abbrechen", L"Abbrechen", 208, top + 4, mrCancel)->SetCancel(true);
    form->SetClientWidth(300);
    form->SetClientHeight(top + 41);

    // Only a record that was written closes the window with OK.
    form->OnCloseQuery = [&](TComponent*, bool& canClose) {
        if (form->ModalResult() != mrOk) return;
        try {
            for (const TFeld& f : felder)
                if (!f.field->ReadOnly() && f.edit->Text() != f.shown) f.field->SetText(f.edit->Text());
            set.Post();
        } catch (...) {
            canClose = false;
            HandleException(std::current_exception());
        }
    };
    if (form->ShowModal() == mrOk) return true;
    if (set.State() == dsEdit || set.State() == dsInsert) set.Cancel();
    return false;
}
