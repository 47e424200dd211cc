#pragma once
// Reads and answers the real modal message boxes a test opens.
#include "util/Basis.h"

#include <windows.h>
#include <vector>

struct SeenBox {
    String caption;
    String text;
    HICON icon = nullptr;
    std::vector<int> buttons; // control ids of the push buttons
    int defaultButton = 0;    // id of the button carrying the default mark, 0 for none
    RECT rect{};
    HWND owner = nullptr;
};

// While alive, every dialog box this thread opens is read once it runs its loop and closed
// with a click on the button with the id `answer` (the first button if there is no such id).
class BoxReader {
public:
    explicit BoxReader(int answer = IDOK);
    ~BoxReader();
    BoxReader(const BoxReader&) = delete;
    BoxReader& operator=(const BoxReader&) = delete;
    const std::vector<SeenBox>& Boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Timer(HWND, UINT, UINT_PTR id, DWORD);
    HHOOK hook_ = nullptr;
    int answer_;
    std::vector<SeenBox> boxes_;
};

// The icon a message box shows for MB_ICONERROR etc., as the system hands it out.
HICON SystemIcon(LPCWSTR id);
