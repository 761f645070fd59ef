#include "ui/Paint_win.h"

#include <algorithm>

namespace kelo {

void PaintBuffered(HWND hwnd, const std::function<void(HDC, const RECT&)>& paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const int width = std::max<int>(1, client.right), height = std::max<int>(1, client.bottom);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    try {
        paint(memory, client);
        BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    } catch (...) {
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(hwnd, &ps);
}

}  // namespace kelo
