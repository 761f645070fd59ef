#include "ui/Paint_win.h"

#include <algorithm>

#include "ui/Gdi_win.h"

namespace kelo {

namespace {

// BeginPaint and EndPaint as a pair, on every path.
class PaintScope {
   public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

   private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

}  // namespace

void PaintBuffered(HWND hwnd, const std::function<void(HDC, const RECT&)>& paint) {
    const PaintScope scope(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    const int width = std::max<int>(1, client.right), height = std::max<int>(1, client.bottom);
    const MemoryDc memory(CreateCompatibleDC(scope.dc()));
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(scope.dc(), width, height));
    const Selected drawnOn(memory, bitmap);
    // A paint that throws leaves the window as it was; the window's trap tells the user.
    paint(memory, client);
    BitBlt(scope.dc(), 0, 0, width, height, memory, 0, 0, SRCCOPY);
}

}  // namespace kelo
