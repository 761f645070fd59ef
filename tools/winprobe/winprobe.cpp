// winprobe: asks Win32 about top-level windows and prints the answer as JSON, so that
// the end-to-end tests can compute click positions from the window manager's own view
// (X tools disagree with Win32 about frame and client offsets under Wine).
//
//   winprobe window <title-prefix>   windows whose title equals or begins with the prefix,
//                                    with their child windows
//   winprobe list                    all top-level windows, in Z order (topmost first)
//   winprobe dpi                     GetDpiForSystem and the screen size
//   winprobe close <title-prefix>    posts WM_CLOSE to the matching windows
//   winprobe endsession <title-prefix>  sends WM_QUERYENDSESSION and WM_ENDSESSION, as at log-off
//   winprobe settext <hwnd> <text>   sets a control's text (hwnd in hex, as the answers give it)
//   winprobe move <title-prefix> <x> <y>  moves the matching windows (their size kept)
//   winprobe displaychange <title-prefix>  sends WM_DISPLAYCHANGE with the screen as it is now
//   winprobe clipboard               the clipboard's Unicode text (null when it holds none)
//   winprobe setclipboard <text>     puts the text on the clipboard
//   winprobe version <file>          the file's version resource: fixed numbers and strings
//   winprobe state <title-prefix>    the first matching window's process memory, whether it
//                                    answers, and the key state (see ProcessState.h)
//   winprobe layout <klid>           loads the keyboard layout (e.g. 00000407) and prints what
//                                    VkKeyScanExW says of each character the toolbar may type
//   winprobe regget <key>            the key's text and number values (HKCU\... or HKCR\...)
//   winprobe regset <key> <name> <text>   writes a text value ("" names the default value)
//   winprobe regdword <key> <name> <n>    writes a number value
//   winprobe regdel <key> [<name>]   deletes the value, or the key with all below it
//   winprobe serve                   answers such requests read from stdin, one a line
//
// Output is UTF-8, one JSON value followed by a newline. Exit code 0 on success,
// 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

#include "ProcessState.h"

namespace {

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                        size, nullptr, nullptr);
    return out;
}

std::string Quote(const std::wstring& text) {
    std::string out = "\"";
    for (char c : ToUtf8(text)) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Hex(UINT_PTR value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "\"0x%llx\"", static_cast<unsigned long long>(value));
    return buf;
}

std::string RectJson(const RECT& r) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "{\"left\":%ld,\"top\":%ld,\"right\":%ld,\"bottom\":%ld}",
                  r.left, r.top, r.right, r.bottom);
    return buf;
}

// Reads another process's window text too: GetWindowTextW only returns captions across
// processes, while WM_GETTEXT is marshalled by the system (edit boxes need it).
std::wstring TextOf(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 1000, &copied))
        return {};
    text.resize(copied);
    return text;
}

// A window's text as the system keeps it, without a message to the window's thread
// (7 ms a window across processes under Wine, a second for the toolbar's buttons): right
// for captions, buttons and labels, not for edit boxes, combo boxes and tooltips, which
// keep their text themselves.
std::wstring TitleOf(HWND hwnd) {
    wchar_t title[1024] = {};
    InternalGetWindowText(hwnd, title, 1024);
    return title;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

// The lines of a list box, in order (the system marshals LB_GETTEXT across processes).
std::string ListItemsJson(HWND list) {
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count);
    std::string out = "[";
    for (DWORD_PTR i = 0; i < count && static_cast<LONG_PTR>(count) > 0; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 1000, &length);
        std::wstring text(static_cast<LONG_PTR>(length) > 0 ? length + 1 : 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 1000,
                            &copied);
        text.resize(static_cast<LONG_PTR>(copied) > 0 ? copied : 0);
        out += (i ? "," : "") + Quote(text);
    }
    return out + "]";
}

std::string ChildJson(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    std::string out = "{\"hwnd\":" + Hex(reinterpret_cast<UINT_PTR>(child));
    out += ",\"parent\":" + Hex(reinterpret_cast<UINT_PTR>(GetParent(child)));
    const std::wstring cls = ClassOf(child);
    out += ",\"class\":" + Quote(cls);
    const bool ownText = lstrcmpiW(cls.c_str(), L"Edit") == 0 || lstrcmpiW(cls.c_str(), L"ComboBox") == 0;
    out += ",\"text\":" + Quote(ownText ? TextOf(child) : TitleOf(child));
    out += ",\"id\":" + std::to_string(GetDlgCtrlID(child));
    out += ",\"rect\":" + RectJson(r);
    out += ",\"visible\":" + std::string(IsWindowVisible(child) ? "true" : "false");
    out += ",\"enabled\":" + std::string(IsWindowEnabled(child) ? "true" : "false");
    out += ",\"style\":" + Hex(static_cast<UINT_PTR>(GetWindowLongW(child, GWL_STYLE)) & 0xffffffffu);
    if (lstrcmpiW(cls.c_str(), L"ListBox") == 0) {
        DWORD_PTR itemHeight = 0;
        SendMessageTimeoutW(child, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 1000, &itemHeight);
        out += ",\"item_height\":" + std::to_string(itemHeight) + ",\"items\":" + ListItemsJson(child);
    }
    return out + "}";
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

std::string WindowJson(HWND hwnd, bool withChildren) {
    RECT r{}, client{};
    GetWindowRect(hwnd, &r);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
    char buf[160];
    std::string out = "{\"hwnd\":" + Hex(reinterpret_cast<UINT_PTR>(hwnd));
    out += ",\"pid\":" + std::to_string(pid);
    out += ",\"title\":" + Quote(TextOf(hwnd));
    out += ",\"class\":" + Quote(ClassOf(hwnd));
    out += ",\"rect\":" + RectJson(r);
    std::snprintf(buf, sizeof buf, ",\"client_origin\":{\"x\":%ld,\"y\":%ld}", origin.x, origin.y);
    out += buf;
    std::snprintf(buf, sizeof buf, ",\"client_size\":{\"width\":%ld,\"height\":%ld}",
                  client.right - client.left, client.bottom - client.top);
    out += buf;
    out += ",\"visible\":" + std::string(IsWindowVisible(hwnd) ? "true" : "false");
    out += ",\"enabled\":" + std::string(IsWindowEnabled(hwnd) ? "true" : "false");
    out += ",\"topmost\":" + std::string((exStyle & WS_EX_TOPMOST) ? "true" : "false");
    out += ",\"style\":" + Hex(static_cast<UINT_PTR>(style) & 0xffffffffu);
    out += ",\"exstyle\":" + Hex(static_cast<UINT_PTR>(exStyle) & 0xffffffffu);
    out += ",\"owner\":" + Hex(reinterpret_cast<UINT_PTR>(GetWindow(hwnd, GW_OWNER)));
    if (withChildren) {
        std::vector<HWND> children;
        EnumChildWindows(hwnd, CollectChild, reinterpret_cast<LPARAM>(&children));
        out += ",\"children\":[";
        for (size_t i = 0; i < children.size(); ++i) {
            if (i) out += ",";
            out += ChildJson(children[i]);
        }
        out += "]";
    }
    return out + "}";
}

struct Search {
    std::wstring prefix;
    bool all = false;
    std::vector<HWND> exact;
    std::vector<HWND> prefixed;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (search->all) {
        search->exact.push_back(hwnd);
        return TRUE;
    }
    std::wstring title = TitleOf(hwnd);
    if (title == search->prefix)
        search->exact.push_back(hwnd);
    else if (title.compare(0, search->prefix.size(), search->prefix) == 0)
        search->prefixed.push_back(hwnd);
    return TRUE;
}

// Exact title matches first, then those that only begin with the prefix; Z order
// within each group.
std::vector<HWND> FindWindows(const std::wstring& prefix, bool all) {
    Search search{prefix, all, {}, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    std::vector<HWND> found = search.exact;
    found.insert(found.end(), search.prefixed.begin(), search.prefixed.end());
    return found;
}

std::string ClipboardJson() {
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
    std::string text = "null";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Quote(chars);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return "{\"text\":" + text + "}";
}

bool SetClipboard(const std::wstring& text) {
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool done = false;
    if (memory != nullptr) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        done = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!done) GlobalFree(memory);
    }
    CloseClipboard();
    return done;
}

// The version resource as Explorer's properties show it: the fixed numbers, the
// translation and the strings of the first translation.
std::string VersionJson(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return "{\"error\":\"no version resource\"}";
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return "{\"error\":\"unreadable\"}";
    char buf[160];
    std::string out = "{";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr) {
        std::snprintf(buf, sizeof buf, "\"file_version\":[%u,%u,%u,%u],\"product_version\":[%u,%u,%u,%u],",
                      HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                      LOWORD(fixed->dwFileVersionLS), HIWORD(fixed->dwProductVersionMS),
                      LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS),
                      LOWORD(fixed->dwProductVersionLS));
        out += buf;
    }
    WORD* translation = nullptr;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                        &length) || length < 4)
        return out + "\"error\":\"no translation\"}";
    wchar_t block[64];
    std::swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    std::snprintf(buf, sizeof buf, "\"translation\":\"%04x%04x\",\"strings\":{", translation[0], translation[1]);
    out += buf;
    const wchar_t* names[] = {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName",
                              L"LegalCopyright", L"OriginalFilename", L"ProductName", L"ProductVersion"};
    bool first = true;
    for (const wchar_t* name : names) {
        wchar_t* value = nullptr;
        if (!VerQueryValueW(data.data(), (std::wstring(block) + name).c_str(), reinterpret_cast<void**>(&value),
                            &length) || value == nullptr)
            continue;
        out += (first ? "" : ",") + Quote(name) + ":" + Quote(value);
        first = false;
    }
    return out + "}}";
}

std::string ForegroundJson() {
    HWND fg = GetForegroundWindow();
    return "\"foreground\":{\"hwnd\":" + Hex(reinterpret_cast<UINT_PTR>(fg)) +
           ",\"title\":" + Quote(fg ? TextOf(fg) : std::wstring()) + "}";
}

// "HKCU\\Software\\..." as a root key and the path below it.
HKEY RootOf(const std::wstring& key, std::wstring& path) {
    const size_t slash = key.find(L'\\');
    path = slash == std::wstring::npos ? L"" : key.substr(slash + 1);
    const std::wstring root = key.substr(0, slash);
    return root == L"HKCU" ? HKEY_CURRENT_USER : root == L"HKCR" ? HKEY_CLASSES_ROOT : nullptr;
}

std::string RegistryJson(const std::vector<std::wstring>& args) {
    std::wstring path;
    const HKEY root = RootOf(args[1], path);
    if (root == nullptr) return "{\"error\":\"unknown root key\"}";
    HKEY key = nullptr;
    LSTATUS status = ERROR_SUCCESS;
    if (args[0] == L"regget") {
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "{\"values\":{}}";
        std::string out = "{\"values\":{";
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            BYTE data[8192];
            DWORD nameSize = 256, dataSize = sizeof data - 2, type = 0;
            if (RegEnumValueW(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
            data[dataSize] = data[dataSize + 1] = 0;
            std::string value = type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(data))
                                                  : Quote(reinterpret_cast<const wchar_t*>(data));
            out += (i ? "," : "") + Quote(name) + ":" + value;
        }
        RegCloseKey(key);
        return out + "}}";
    }
    if (args[0] == L"regdel") {
        status = args.size() == 3 ? RegDeleteKeyValueW(root, path.c_str(), args[2].c_str())
                                  : RegDeleteTreeW(root, path.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? "{\"done\":true}" : "{\"error\":\"not deleted\"}";
    }
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return "{\"error\":\"key not made\"}";
    if (args[0] == L"regdword") {
        const DWORD number = static_cast<DWORD>(std::wcstoul(args[3].c_str(), nullptr, 10));
        status = RegSetValueExW(key, args[2].c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    } else {
        status = RegSetValueExW(key, args[2].c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(args[3].c_str()),
                                static_cast<DWORD>((args[3].size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? "{\"done\":true}" : "{\"error\":\"not written\"}";
}

void Print(const std::string& json) {
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The characters a layout table covers: printable ASCII, and what a Japanese
// path or a dialog box may add (kanji, kana, full-width forms, the yen sign,
// the accented letters of German and French folder names).
std::wstring LayoutCharacters() {
    std::wstring chars;
    for (wchar_t c = 0x20; c <= 0x7E; ++c) chars += c;
    chars += L"\u00A5\u00A7\u00B0\u00B4\u00B5\u00C4\u00D6\u00DC\u00DF\u00E0\u00E4\u00E7\u00E8\u00E9\u00F6\u00F9\u00FC"
             L"\u20AC\u3000\u3001\u3002\u30FC\u56F3\u9762\u90E8\u54C1\u3042\u30A2\uFF08\uFF09\uFF11\uFF12";
    return chars;
}

// Each character as [code, vkey, modifiers, dead]: VkKeyScanExW's low byte, its
// high byte (1 Shift, 2 Ctrl, 4 Alt), and 1 when ToUnicodeEx calls that key a
// dead key (it types nothing alone, but changes the next character). A
// character the layout cannot type has vkey 255 and modifiers 255.
std::string LayoutJson(const std::wstring& klid) {
    HKL layout = LoadKeyboardLayoutW(klid.c_str(), KLF_ACTIVATE);
    char head[96];
    std::snprintf(head, sizeof head, "{\"klid\":\"%s\",\"hkl\":%s,\"keys\":[", ToUtf8(klid).c_str(),
                  Hex(reinterpret_cast<UINT_PTR>(layout)).c_str());
    std::string out = head;
    const std::wstring chars = LayoutCharacters();
    for (size_t i = 0; i < chars.size(); ++i) {
        const SHORT scan = VkKeyScanExW(chars[i], layout);
        const UINT vkey = static_cast<UINT>(scan) & 0xFF, mods = (static_cast<UINT>(scan) >> 8) & 0xFF;
        int dead = 0;
        if (scan != -1) {
            BYTE state[256] = {};
            if (mods & 1) state[VK_SHIFT] = 0x80;
            if (mods & 2) state[VK_CONTROL] = 0x80;
            if (mods & 4) state[VK_MENU] = 0x80;
            wchar_t typed[8];
            const UINT code = MapVirtualKeyExW(vkey, MAPVK_VK_TO_VSC, layout);
            dead = ToUnicodeEx(vkey, code, state, typed, 8, 0, layout) < 0 ? 1 : 0;
            // A dead key stays pending in the layout's state: a second stroke clears it.
            if (dead) ToUnicodeEx(vkey, code, state, typed, 8, 0, layout);
        }
        char row[48];
        std::snprintf(row, sizeof row, "%s[%u,%u,%u,%d]", i ? "," : "", static_cast<unsigned>(chars[i]), vkey, mods,
                      dead);
        out += row;
    }
    return out + "]}";
}

int Usage() {
    std::fputs("usage: winprobe window <title-prefix> | list | dpi | close <title-prefix> | endsession <title-prefix> |\n"
               "       clipboard | setclipboard <text> | version <file> | layout <klid> | state <title-prefix> |\n"
               "       regget <key> | regset <key> <name> <text> | regdword <key> <name> <n> | regdel <key> [<name>] |\n"
               "       serve\n",
               stderr);
    return 2;
}

// One request: the mode and its argument. Returns false on bad arguments.
bool Run(const std::vector<std::wstring>& args, std::string& out) {
    if (args.empty()) return false;
    const std::wstring& mode = args[0];
    if (mode == L"dpi" && args.size() == 1) {
        char buf[160];
        std::snprintf(buf, sizeof buf, "{\"dpi\":%u,\"screen\":{\"width\":%d,\"height\":%d}}",
                      GetDpiForSystem(), GetSystemMetrics(SM_CXSCREEN),
                      GetSystemMetrics(SM_CYSCREEN));
        out = buf;
        return true;
    }
    if (mode == L"list" && args.size() == 1) {
        out = "{" + ForegroundJson() + ",\"windows\":[";
        std::vector<HWND> all = FindWindows(L"", true);
        for (size_t i = 0; i < all.size(); ++i) {
            if (i) out += ",";
            out += WindowJson(all[i], false);
        }
        out += "]}";
        return true;
    }
    if (mode == L"state" && args.size() == 2) {
        std::vector<HWND> found = FindWindows(args[1], false);
        out = found.empty() ? "{\"error\":\"no such window\"}" : ProcessStateJson(found[0]);
        return true;
    }
    if (mode == L"layout" && args.size() == 2) {
        out = LayoutJson(args[1]);
        return true;
    }
    if (mode == L"settext" && args.size() == 3) {
        // As another program may: the control's text changes without any key or focus move.
        HWND control = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::wcstoull(args[1].c_str(), nullptr, 16)));
        DWORD_PTR answer = 0;
        const bool sent = IsWindow(control) && SendMessageTimeoutW(control, WM_SETTEXT, 0,
                                                                   reinterpret_cast<LPARAM>(args[2].c_str()),
                                                                   SMTO_ABORTIFHUNG, 5000, &answer);
        out = sent ? "{\"ok\":true}" : "{\"error\":\"no such window\"}";
        return true;
    }
    if ((mode == L"move" && args.size() == 4) || (mode == L"displaychange" && args.size() == 2)) {
        std::vector<HWND> found = FindWindows(args[1], false);
        for (HWND w : found) {
            if (mode == L"move") {
                SetWindowPos(w, nullptr, _wtoi(args[2].c_str()), _wtoi(args[3].c_str()), 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            } else {
                DWORD_PTR answer = 0;
                SendMessageTimeoutW(w, WM_DISPLAYCHANGE, 32,
                                    MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)),
                                    SMTO_ABORTIFHUNG, 5000, &answer);
            }
        }
        out = "{\"count\":" + std::to_string(found.size()) + "}";
        return true;
    }
    if ((mode == L"regget" && args.size() == 2) || (mode == L"regdel" && (args.size() == 2 || args.size() == 3)) ||
        ((mode == L"regset" || mode == L"regdword") && args.size() == 4)) {
        out = RegistryJson(args);
        return true;
    }
    if (mode == L"clipboard" && args.size() == 1) {
        out = ClipboardJson();
        return true;
    }
    if (mode == L"setclipboard" && args.size() == 2) {
        out = SetClipboard(args[1]) ? "{\"done\":true}" : "{\"error\":\"clipboard busy\"}";
        return true;
    }
    if (mode == L"version" && args.size() == 2) {
        out = VersionJson(args[1]);
        return true;
    }
    if ((mode == L"window" || mode == L"close" || mode == L"endsession") && args.size() == 2) {
        std::vector<HWND> found = FindWindows(args[1], false);
        out = "{" + ForegroundJson() + ",\"windows\":[";
        for (size_t i = 0; i < found.size(); ++i) {
            if (i) out += ",";
            out += WindowJson(found[i], mode == L"window");
            if (mode == L"close") PostMessageW(found[i], WM_CLOSE, 0, 0);
            if (mode == L"endsession") {
                DWORD_PTR answer = 0;
                SendMessageTimeoutW(found[i], WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
                SendMessageTimeoutW(found[i], WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
            }
        }
        out += "]}";
        return true;
    }
    return false;
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// Answers requests from stdin, one per line (UTF-8, arguments separated by tabs), one
// JSON line each, until stdin ends. Saves a Wine process start per question, and keeps
// the prefix's Wine services running between the tests' own programs.
int Serve() {
    _setmode(_fileno(stdin), _O_BINARY);
    std::string line;
    int c;
    while ((c = std::fgetc(stdin)) != EOF) {
        if (c != '\n') {
            line += static_cast<char>(c);
            continue;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::wstring> args;
        size_t start = 0;
        while (true) {
            size_t tab = line.find('\t', start);
            args.push_back(FromUtf8(line.substr(start, tab - start)));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        std::string out;
        if (!Run(args, out)) out = "{\"error\":\"bad request\"}";
        Print(out);
        line.clear();
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetProcessDPIAware();
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 2 && std::wstring(argv[1]) == L"serve") return Serve();
    std::vector<std::wstring> args(argv + 1, argv + argc);
    std::string out;
    if (!Run(args, out)) return Usage();
    Print(out);
    return 0;
}
