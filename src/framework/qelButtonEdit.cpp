#include "framework/qelButtonEdit.h"

#include "settings/Einstellungsarten.h"
#include "sys/Auswahl.h"
#include "sys/Dateien.h"
#include "util/kv7_str.h"

namespace {

// Both edits keep their text in the settings file; the file edit's dialog then opens where the
// restored file lies.
void ArtenRegistrieren() {
    static const bool registriert = [] {
        using Z = const TEinstellungsZugriff&;
        EinstellungsartRegistrieren<TqelDirectoryEdit>(
            TArtZeile::DirectoryEdit,
            [](TqelDirectoryEdit& e, Z z) { e.SetText(z.TextLesen(e.Name(), e.Text())); },
            [](TqelDirectoryEdit& e, Z z) { z.TextSchreiben(e.Name(), e.Text()); });
        EinstellungsartRegistrieren<TqelFileEdit>(
            TArtZeile::FileEdit,
            [](TqelFileEdit& e, Z z) {
                e.SetText(z.TextLesen(e.Name(), e.Text()));
                e.Dialog()->SetInitialDir(DateiPfad(e.Text()));
            },
            [](TqelFileEdit& e, Z z) { z.TextSchreiben(e.Name(), e.Text()); });
        return true;
    }();
    (void)registriert;
}

} // namespace

TqelCustomButtonedEdit::TqelCustomButtonedEdit(TComponent* owner) : TCustomButtonedEdit(owner) {
    ArtenRegistrieren();
}

void TqelCustomButtonedEdit::SetUpButton() {
    buttonImages_ = CreateImages();
    SetImages(buttonImages_.get());
    CreateDialog();
    TEditButton* button = RightButton();
    button->SetImageIndex(0);
    button->SetDisabledImageIndex(1);
    button->SetHotImageIndex(2);
    button->SetVisible(true);
    button->SetEnabled(Enabled());
    OnRightButtonClick = [this](TComponent*) { ExecuteDialog(); };
}

TqelCustomButtonedEdit::~TqelCustomButtonedEdit() {
    if (dialogComponent_) dialogComponent_->RemoveFreeNotification(this);
    SetImages(nullptr);
}

// The three bitmaps in one list of their size, magenta being transparent.
std::unique_ptr<TImageList>
TqelCustomButtonedEdit::LoadButtonImages(const wchar_t* normal, const wchar_t* disabled, const wchar_t* hot) {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(nullptr, normal);
    auto images = std::make_unique<TImageList>(nullptr);
    images->SetSize(bitmap.Width(), bitmap.Height());
    const TColor magenta = 0xFF00FF;
    images->AddMasked(bitmap, magenta);
    for (const wchar_t* name : {disabled, hot}) {
        bitmap.LoadFromResourceName(nullptr, name);
        images->AddMasked(bitmap, magenta);
    }
    return images;
}

// Named after its class without the leading T ("OpenDialog"); the edit hears of its destruction.
void TqelCustomButtonedEdit::CreateDialog() {
    TDialogClass dialogClass = GetDialogClass();
    if (!dialogClass) return;
    TCommonDialog* dialog = dialogClass(this);
    dialog->SetName(dialog->ClassName().substr(1));
    dialog->FreeNotification(this);
    dialogComponent_ = dialog;
}

void TqelCustomButtonedEdit::Notification(TComponent* component, TOperation operation) {
    TCustomButtonedEdit::Notification(component, operation);
    if (operation != opRemove || component != dialogComponent_ || !dialogComponent_) return;
    dialogComponent_ = nullptr;
    if (!Destroying()) CreateDialog();
}

void TqelCustomButtonedEdit::EnabledChanged() {
    TCustomButtonedEdit::EnabledChanged();
    RightButton()->SetEnabled(Enabled());
}

void TqelCustomButtonedEdit::ExecuteDialog() {
    if (!dialogComponent_) return;
    BeforeExecute();
    if (AuswahlAusfuehren(*dialogComponent_)) AfterExecute();
}

TqelFileEdit::TqelFileEdit(TComponent* owner) : TqelCustomButtonedEdit(owner) {
    SetUpButton();
}

TqelCustomButtonedEdit::TDialogClass TqelFileEdit::GetDialogClass() const {
    return [](TComponent* owner) -> TCommonDialog* { return new TOpenDialog(owner); };
}

TOpenDialog* TqelFileEdit::Dialog() const {
    return static_cast<TOpenDialog*>(DialogComponent());
}

std::unique_ptr<TImageList> TqelFileEdit::CreateImages() {
    return LoadButtonImages(L"FILE0", L"FILE1", L"FILE2");
}

// The dialog opens in the folder of the file named, when that folder exists. The folder of the
// previous choice would win over it, so the proposed name keeps only its name.
void TqelFileEdit::BeforeExecute() {
    String ordner = DateiPfad(Text());
    if (ordner.empty() || !VerzeichnisExistiert(ordner, false)) return;
    TOpenDialog* dialog = Dialog();
    dialog->SetInitialDir(ordner);
    dialog->SetFileName(dialog->FileName().substr(DateiPfad(dialog->FileName()).size()));
}

void TqelFileEdit::AfterExecute() {
    SetText(Dialog()->FileName());
}
