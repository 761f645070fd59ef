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
//   winprobe setclipboardfile <file> puts the UTF-8 file's text on the clipboard, tabs and line ends kept
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

#include "Json.h"
#include "ProcessState.h"
#include "SystemState.h"

namespace {

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

std::string ForegroundJson() {
    HWND fg = GetForegroundWindow();
    return "\"foreground\":{\"hwnd\":" + Hex(reinterpret_cast<UINT_PTR>(fg)) +
           ",\"title\":" + Quote(fg ? TextOf(fg) : std::wstring()) + "}";
}

void Print(const std::string& json) {
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int Usage() {
    std::fputs("usage: winprobe window <title-prefix> | list | dpi | close <title-prefix> | endsession <title-prefix> |\n"
               "       clipboard | setclipboard <text> | setclipboardfile <file> | version <file> | layout <klid> |\n"
               "       state <title-prefix> |\n"
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
    if (mode == L"setclipboardfile" && args.size() == 2) {
        out = SetClipboardFromFile(args[1]) ? "{\"done\":true}" : "{\"error\":\"no file or clipboard busy\"}";
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
