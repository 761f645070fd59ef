#include "toolbar/Menu_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "channel/Desktop_win.h"
#include "text/Texts.h"
#include "text/WinText_win.h"
#include "contour/ContourTable_win.h"
#include "contour/ProfileDialog_win.h"
#include "profiles/ProfileState.h"
#include "resources/Pictures_win.h"
#include "toolbar/AppNameSet_win.h"
#include "toolbar/FileCommands.h"
#include "toolbar/Launchers_win.h"
#include "toolbar/Layout.h"
#include "toolbar/Menu.h"
#include "toolbar/MenuButtons_win.h"
#include "toolbar/NewFile.h"
#include "toolbar/RegistryStore_win.h"
#include "toolbar/Toggles.h"
#include "ui/Dpi_win.h"
#include "ui/FileDialogs_win.h"
#include "ui/Placement.h"
#include "ui/Window_win.h"

namespace kelo {

namespace {

constexpr WindowClass kMenuClass{L"KeloMenuToolbar"};
// The contour table's item in the window menu: below the system's own ids (0xF000 on),
// a multiple of 16 as the system wants.
constexpr UINT kTableMenuId = 0x0100;

// The folder of our own executable.
std::string ExeFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return FolderOf(Narrow(path));
}

class MenuWindow : public Window, public ButtonLookView {
   public:
    int Run(HINSTANCE instance) {
        instance_ = instance;
        // Hidden until the start is over, as the window becomes visible only after its load.
        // No WS_CLIPCHILDREN: group boxes paint only their border, the window paints what lies inside.
        if (!CreateOf(kMenuClass, 0, Widen(texts::kMenuCaption).c_str(),
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 100, 100, nullptr))
            return 1;
        if (!Menu_Form_Load()) {
            DestroyWindow(hwnd());
            return 0;
        }
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        UpdateWindow(hwnd());
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return 0;
    }

   protected:
    // One line a message: each handler below says what it is for.
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            HANDLE_MSG(hwnd(), WM_CREATE, this->OnCreate);
            HANDLE_MSG(hwnd(), WM_COMMAND, this->OnCommand);
            HANDLE_MSG(hwnd(), WM_DRAWITEM, this->OnDrawItem);
            HANDLE_MSG(hwnd(), WM_ACTIVATE, this->OnActivate);
            HANDLE_MSG(hwnd(), WM_CLOSE, this->OnClose);
            HANDLE_MSG(hwnd(), WM_DESTROY, this->OnDestroy);
            case WM_SYSCOMMAND:
                if ((wParam & 0xFFF0) == kTableMenuId) {
                    OpenContourTable();
                    return 0;
                }
                return DefaultProc(msg, wParam, lParam);
            case WM_ENDSESSION: OnEndSession(wParam != 0); return 0;
            case WM_DPICHANGED: return OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            case WM_DISPLAYCHANGE: KeepOnScreen(); return DefaultProc(msg, wParam, lParam);
            case WM_SETTINGCHANGE:
                if (wParam == SPI_SETWORKAREA) KeepOnScreen();
                return DefaultProc(msg, wParam, lParam);
            default: return DefaultProc(msg, wParam, lParam);
        }
    }

   private:
    // Builds the controls from the layout table.
    BOOL OnCreate(HWND, LPCREATESTRUCT) {
        desktop_.SetOwner(hwnd());
        fileDialogs_.SetOwner(hwnd());
        icons_.Set(hwnd(), &CreateAppIcon);
        buttons_.Create(hwnd(), instance_);
        // The contour table has no button of its own: the layout stays as designed.
        HMENU system = GetSystemMenu(hwnd(), FALSE);
        AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(system, MF_STRING, kTableMenuId, Widen(texts::kTableMenuItem).c_str());
        return TRUE;
    }

    // Steps of the window's load; false when the start must end without a word.
    bool Menu_Form_Load() {
        exeFolder_ = ExeFolder();
        if (!model_.LoadSettingsAtStart(store_, exeFolder_)) return false;
        PlaceAtTopRight();
        ApplyExtendLook();
        InitProfileState(profile_);
        SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        model_.SendStartupCommand();
        return true;
    }

    // Left edge at screen width - window width - 3200 twips, top edge at 0.
    void PlaceAtTopRight() {
        const int dpi = static_cast<int>(GetDpiForWindow(hwnd()));
        const SIZE outer = OuterSizeForClientTwips(hwnd(), kClientWidthTwips, kClientHeightTwips, static_cast<UINT>(dpi));
        const int left = GetSystemMetrics(SM_CXSCREEN) - outer.cx - TwipsToPixels(kRightMarginTwips, dpi);
        SetWindowPos(hwnd(), nullptr, left, 0, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Height, C_EXTEND caption and tooltip of the collapsed or expanded state.
    void ApplyExtendLook() {
        const ExtendLook look = model_.Look();
        const int dpi = static_cast<int>(GetDpiForWindow(hwnd()));
        RECT r;
        GetWindowRect(hwnd(), &r);
        SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, TwipsToPixels(look.heightTwips, dpi),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        buttons_.SetCaption("C_EXTEND", look.caption);
        buttons_.SetTip("C_EXTEND", look.tip);
    }

    void OnCommand(HWND, int id, HWND, UINT code) {
        if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return;  // a quick second click is a click too
        const ControlRow* row = buttons_.RowOf(id);
        if (!row) return;
        const auto index = FindCommand(row->name);
        if (!index) return;
        Click(kCommands[*index]);
    }

    void Click(const CommandRow& row) {
        switch (row.behaviour) {
            case Behaviour::Plain:
            case Behaviour::Sequence: model_.RunCommand(row); break;
            case Behaviour::AppSet: Menu_AppSet_Click(); break;
            case Behaviour::Extend: Menu_C_EXTEND_Click(); break;
            case Behaviour::ProfileFace: Menu_IN_FACE_Click(); break;
            case Behaviour::ProfileLong: Menu_IN_LONG_Click(); break;
            case Behaviour::ProfileTaper: Menu_IN_TAPER_Click(); break;
            case Behaviour::ProfileArc1: Menu_ARC_1_Click(); break;
            case Behaviour::ProfileArc2: Menu_ARC_2_Click(); break;
            case Behaviour::FileLoad: Menu_File_Load_Click(); break;
            case Behaviour::PartLoad: Menu_Part_box_Click(); break;
            case Behaviour::FileStore: Menu_File_Store_Click(); break;
            case Behaviour::DotGrid: Menu_DOT_GRID_Click(); break;
            case Behaviour::Spotlight: Menu_SPOTLIGHT_Click(); break;
            case Behaviour::NewFile: Menu_NEW_FILE_Click(); break;
            case Behaviour::HelpPdf: Menu_HELP_PDF_Click(); break;
            case Behaviour::Calculator: Menu_Calculator_Click(); break;
            default: break;
        }
    }

    // A file chosen in the common dialog, passed to the host's LOAD or STORE.
    void Menu_File_Load_Click() { files_.Menu_File_Load_Click(); }
    void Menu_Part_box_Click() { files_.Menu_Part_box_Click(); }
    void Menu_File_Store_Click() { files_.Menu_File_Store_Click(); }

    // Display toggles: the button's colour and tooltip follow through SetButtonLook.
    void Menu_DOT_GRID_Click() { toggles_.Menu_DOT_GRID_Click(); }
    void Menu_SPOTLIGHT_Click() { toggles_.Menu_SPOTLIGHT_Click(); }

    // Asks before the host's drawing is reset.
    // A reset host has no drawing left: the preview's contour goes with it.
    void Menu_NEW_FILE_Click() {
        if (kelo::Menu_NEW_FILE_Click(model_.channel())) contour_.Clear();
    }

    void Menu_HELP_PDF_Click() { OpenManual(hwnd(), exeFolder_); }
    void Menu_Calculator_Click() { StartCalculator(exeFolder_, desktop_); }

    void SetButtonLook(std::string_view button, ButtonBack back, std::string_view tip) override {
        constexpr COLORREF kOn = RGB(kLightCyan.red, kLightCyan.green, kLightCyan.blue);
        buttons_.SetBack(button, back == ButtonBack::LightCyan ? std::optional<COLORREF>(kOn) : std::nullopt);
        buttons_.SetTip(button, tip);
    }

    void Menu_AppSet_Click() { ShowAppNameSet(hwnd(), model_.settings().channel); }

    void Menu_C_EXTEND_Click() {
        model_.Menu_C_EXTEND_Click();
        ApplyExtendLook();
    }

    // The profile dialogs open modally, owned by the toolbar; they type their own lines.
    // The preview's table button closes a dialog to open the table in its place.
    void OpenProfileDialog(ProfileDialogKind kind) {
        if (ShowProfileDialog(hwnd(), kind, profile_, model_.channel(), contour_)) OpenContourTable();
    }
    // The whole contour as a table, from the window menu or the preview.
    void OpenContourTable() { ShowContourTable(hwnd(), profile_, model_.channel(), contour_, tableFolder_); }
    void Menu_IN_FACE_Click() { OpenProfileDialog(ProfileDialogKind::Face); }
    void Menu_IN_LONG_Click() { OpenProfileDialog(ProfileDialogKind::Long); }
    void Menu_IN_TAPER_Click() { OpenProfileDialog(ProfileDialogKind::Taper); }
    void Menu_ARC_1_Click() { OpenProfileDialog(ProfileDialogKind::Arc1); }
    void Menu_ARC_2_Click() { OpenProfileDialog(ProfileDialogKind::Arc2); }

    void OnDrawItem(HWND, const DRAWITEMSTRUCT* item) { buttons_.Draw(*item); }

    // Every activation puts the toolbar back on top of all windows.
    void OnActivate(HWND, UINT state, HWND, BOOL) {
        if (state != WA_INACTIVE) Menu_Form_Activate();
    }
    void Menu_Form_Activate() { SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE); }

    void OnClose(HWND) { DestroyWindow(hwnd()); }

    // Closing is never refused: the settings are stored and the program ends.
    void OnDestroy(HWND) {
        Menu_Form_Unload();
        PostQuitMessage(0);
    }
    void Menu_Form_Unload() { model_.Menu_Form_Unload(store_); }

    // At log-off or shut-down Windows ends the process without destroying the
    // window: store the settings now, as a close would.
    void OnEndSession(bool ending) {
        if (ending) Menu_Form_Unload();
    }

    // A monitor removed or a lower resolution must not leave the toolbar where nobody
    // can reach it: it moves onto the nearest monitor, its size as it is.
    void KeepOnScreen() {
        RECT r{};
        GetWindowRect(hwnd(), &r);
        const PixelRect now = ToPixelRect(r);
        const PixelRect moved = MoveInside(now, ToPixelRect(MonitorRectOf(hwnd())));
        if (moved != now)
            SetWindowPos(hwnd(), nullptr, moved.left, moved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    LRESULT OnDpiChanged(UINT dpi, const RECT* suggested) {
        SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        buttons_.Relayout(dpi);
        ApplyExtendLook();
        return 0;
    }

    HINSTANCE instance_ = nullptr;
    Win32Desktop desktop_;
    MenuModel model_{desktop_};
    Win32FileDialogs fileDialogs_;
    FileCommands files_{model_.channel(), model_.settings(), fileDialogs_};
    Toggles toggles_{model_.channel(), *this};
    std::string exeFolder_;
    ProfileState profile_;
    ContourChain contour_;  // every segment the profile dialogs typed since the start
    std::string tableFolder_;  // where the contour table's files were chosen last in this run
    RegistrySettingsStore store_;
    MenuButtons buttons_;
    WindowIcons icons_;
};

}  // namespace

int RunMenu(HINSTANCE instance) {
    MenuWindow window;
    return window.Run(instance);
}

}  // namespace kelo
