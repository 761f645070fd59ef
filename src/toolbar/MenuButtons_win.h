#pragma once
// The toolbar's controls, made from the layout table: frames, picture
// buttons with their tooltips, and the one text button.
#include <windows.h>

#include <array>
#include <optional>
#include <string_view>

#include "toolbar/Layout.h"

namespace kelo {

class MenuButtons {
   public:
    MenuButtons() = default;
    MenuButtons(const MenuButtons&) = delete;
    MenuButtons& operator=(const MenuButtons&) = delete;
    ~MenuButtons();

    void Create(HWND parent, HINSTANCE instance);
    // Moves every control, and renders fonts and pictures again, for `dpi`.
    void Relayout(UINT dpi);
    // The layout row of the control with WM_COMMAND id `id`.
    const ControlRow* RowOf(int id) const;
    void SetCaption(std::string_view name, std::string_view caption);
    void SetTip(std::string_view name, std::string_view tip);
    // The back colour of a picture button, around its picture too; none is
    // the system's button face.
    void SetBack(std::string_view name, std::optional<COLORREF> back);
    // Paints an owner-drawn picture button.
    void Draw(const DRAWITEMSTRUCT& item);

    static constexpr int kFirstId = 1000;

   private:
    void MakePictures();
    void MakePictures(std::size_t index);
    void FreePictures();
    COLORREF BackOf(std::size_t index) const;

    HWND parent_ = nullptr;
    HWND tooltip_ = nullptr;
    HFONT font_ = nullptr;
    UINT dpi_ = 96;
    std::array<HWND, kLayout.size()> controls_{};
    std::array<HBITMAP, kLayout.size()> pictures_{};
    std::array<HBITMAP, kLayout.size()> secondPictures_{};
    std::array<std::optional<COLORREF>, kLayout.size()> backs_{};
    int pictureSize_ = 24;
};

}  // namespace kelo
