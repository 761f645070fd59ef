#pragma once
// The contour preview "輪郭": beside an open profile dialog, the contour typed so
// far and the segment its boxes describe. It never takes the focus; a click on a
// corner hands the corner to the dialog.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "contour/Contour.h"
#include "contour/ContourView.h"
#include "ui/Window_win.h"

namespace kelo {

// Paints a draw list (and the label of the corner the mouse rests on) over the whole
// client area of `dc`, with pens scaled for `dpi`.
void PaintContour(HDC dc, const RECT& client, const DrawList& list, const std::optional<Corner>& hover, UINT dpi);

class ContourPreview : public Window {
   public:
    using CornerClick = std::function<void(const Corner&)>;

    // Contract: `chain` outlives the preview.
    ContourPreview(const ContourChain& chain, CornerClick onCornerClick)
        : chain_(chain), onCornerClick_(std::move(onCornerClick)) {}

    // Shows the preview beside `dialog`, clear of `toolbar` (its owner), without
    // taking the activation from the dialog.
    void Show(HWND toolbar, HWND dialog);
    // Shows a button "輪郭表..." in the preview's corner that calls `onTable`.
    void OfferTable(std::function<void()> onTable) { onTable_ = std::move(onTable); }
    // The button's place in client pixels at `dpi`.
    static RECT TableButtonRect(UINT dpi);
    // What is being entered, the start point the contour goes on from, the point
    // being edited, the points the table worked out and those of its rows that cannot be built.
    void Update(std::vector<ContourSegment> pending, std::optional<Corner> start,
                std::optional<ContourPoint> marked = std::nullopt, std::vector<ContourPoint> worked = {},
                std::vector<ContourPoint> wrong = {});

   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

   private:
    int OnMouseActivate(HWND hwnd, HWND topLevel, UINT hitTest, UINT msg);
    void OnPaint(HWND hwnd);
    void OnSize(HWND hwnd, UINT state, int width, int height);
    void OnMouseMove(HWND hwnd, int x, int y, UINT keys);
    void OnLButtonDown(HWND hwnd, BOOL doubleClick, int x, int y, UINT keys);
    void OnMouseLeave();
    void OnDpiChanged(const RECT* suggested);

    // The draw list for the client area as it is now.
    void Rebuild();
    double HitTolerance() const;  // pixels at the window's DPI
    const ContourScene& Scene() const { return scene_; }

    const ContourChain& chain_;
    CornerClick onCornerClick_;
    std::function<void()> onTable_;
    ContourScene scene_{&chain_};
    DrawList drawList_;
    std::optional<Corner> hover_;
    bool trackingLeave_ = false;
};

}  // namespace kelo
