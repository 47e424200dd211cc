#include "Steuerelemente6.h"

Steuerelemente6::Steuerelemente6() {
    wchar_t programm[MAX_PATH];
    GetModuleFileNameW(nullptr, programm, MAX_PATH);
    ACTCTXW kontext{};
    kontext.cbSize = sizeof kontext;
    kontext.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    kontext.lpSource = programm;
    kontext.hModule = GetModuleHandleW(nullptr);
    kontext.lpResourceName = MAKEINTRESOURCEW(123);
    kontext_ = CreateActCtxW(&kontext);
    if (kontext_ != INVALID_HANDLE_VALUE && !ActivateActCtx(kontext_, &cookie_)) cookie_ = 0;
}

Steuerelemente6::~Steuerelemente6() {
    if (cookie_) DeactivateActCtx(0, cookie_);
    if (kontext_ != INVALID_HANDLE_VALUE) ReleaseActCtx(kontext_);
}
