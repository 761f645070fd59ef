#include "ui/Fonts_win.h"

#include "text/Texts.h"
#include "text/WinText_win.h"

namespace kelo {

HFONT CreateUiFont(UINT dpi) {
    NONCLIENTMETRICSW ncm{sizeof ncm};
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0, dpi))
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    return CreateFontIndirectW(&ncm.lfMessageFont);
}

HFONT CreateGothicFont(UINT dpi, int points) {
    return CreateFontW(-MulDiv(points, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, Widen(texts::kDialogFont).c_str());
}

int TextCellHeight(HWND hwnd, HFONT font) {
    if (font == nullptr) return 0;
    HDC dc = GetDC(hwnd);
    if (dc == nullptr) return 0;
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    const int height = GetTextMetricsW(dc, &metrics) ? metrics.tmHeight : 0;
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return height;
}

}  // namespace kelo
