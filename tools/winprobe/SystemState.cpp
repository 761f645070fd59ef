#include "SystemState.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "Json.h"

namespace {

// "HKCU\\Software\\..." as a root key and the path below it.
HKEY RootOf(const std::wstring& key, std::wstring& path) {
    const size_t slash = key.find(L'\\');
    path = slash == std::wstring::npos ? L"" : key.substr(slash + 1);
    const std::wstring root = key.substr(0, slash);
    return root == L"HKCU" ? HKEY_CURRENT_USER : root == L"HKCR" ? HKEY_CLASSES_ROOT : nullptr;
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

}  // namespace

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

bool SetClipboardFromFile(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) return false;
    std::string bytes;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, n);
    std::fclose(file);
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                        text.data(), static_cast<int>(text.size()))));
    return SetClipboard(text);
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
