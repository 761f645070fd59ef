#include "toolbar/FileCommands.h"

#include "text/Texts.h"
#include "text/UpperCase.h"
#include "text/Utf.h"

namespace kelo {

namespace {

constexpr std::string_view kLoadFilter = "MI File (*.mi)|*.mi|DXF File (*.dxf)|*.dxf|All Files (*.*)|*.*";
constexpr std::string_view kStoreFilter = "MI File (*.MI)|*.MI|DXF File (*.DXF)|*.DXF|All Files (*.*)|*.*";

constexpr std::string_view kLoadHead = "LOAD '";
constexpr std::string_view kStoreMiHead = "STORE MI ALL DEL_OLD '";
constexpr std::string_view kStoreDxfHead = "STORE DXF ALL DEL_OLD '";
constexpr std::string_view kTail = "'";

constexpr std::string_view kKeyNotation = "+^%~(){}[]";

// Every small letter in its capital, as the platform capitalises a text: ASCII,
// full-width, accented Latin, Greek, Cyrillic and the rest.
std::string ToCapitals(std::string_view path) {
    std::u32string text = Utf8ToUtf32(path);
    for (char32_t& c : text) c = UpperCase(c);
    return Utf32ToUtf8(text);
}

// `path` is in capitals. The extension runs from the first "." of the whole
// path, folders included.
std::string_view StoreHead(std::string_view path) {
    const auto dot = path.find('.');
    const std::string_view extension = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
    if (extension.empty() || extension == "MI") return kStoreMiHead;
    if (extension == "DXF") return kStoreDxfHead;
    // A "." in a folder name, or an extension of another kind: the file name's
    // own last extension decides, so that the host never gets a bare path.
    const auto slash = path.find_last_of("\\/");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto last = name.rfind('.');
    if (last != std::string_view::npos && name.substr(last + 1) == "DXF") return kStoreDxfHead;
    return kStoreMiHead;
}

// The dialog moves the current directory to the chosen file's folder; where
// the platform could not say, that folder itself stands in for it.
void UpdateFolder(std::string& folder, const FileDialogResult& result) {
    if (!result.currentDirectory.empty()) {
        folder = result.currentDirectory;
        return;
    }
    std::string chosen = FolderOf(result.path);
    if (!chosen.empty()) folder = std::move(chosen);
}

}  // namespace

std::string EscapeKeyText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (kKeyNotation.find(c) != std::string_view::npos) {
            out += '{';
            out += c;
            out += '}';
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<FileDialogResult> FileCommands::Ask(const FileDialogRequest& request) {
    try {
        return dialogs_.Show(request);
    } catch (const FileDialogError&) {
        return std::nullopt;  // no dialog: the command ends in silence, as for a cancel
    }
}

void FileCommands::Menu_File_Load_Click() { LoadInto(settings_.openPathName); }

void FileCommands::Menu_Part_box_Click() { LoadInto(settings_.partPathName); }

void FileCommands::LoadInto(std::string& folder) {
    cancelError_ = true;  // before the trap; it stays on for every save that follows
    RunSilently(channel_.desktop(), [&] {
        const std::optional<FileDialogResult> shown = Ask({false, folder, kLoadFilter, filterIndex_, flags_});
        if (!shown || shown->cancelled) return;  // the cancel error: the folder keeps its value
        const FileDialogResult& result = *shown;
        RememberFilter(result);
        UpdateFolder(folder, result);
        if (result.path.empty() || !CanType(result.path)) return;
        channel_.BeginHostCommand();
        channel_.Type(kLoadHead);
        channel_.Type(EscapeKeyText(result.path));
        channel_.Type(kTail);
        channel_.SendEnter();
    });
}

void FileCommands::Menu_File_Store_Click() {
    RunSilently(channel_.desktop(), [&] {
        flags_ = kStoreDialogFlags;
        const std::optional<FileDialogResult> shown =
            Ask({true, settings_.openPathName, kStoreFilter, filterIndex_, flags_});
        if (!shown) return;
        const FileDialogResult& result = *shown;
        // Before any load a Cancel is no error: it gives an empty name, and the folder still moves.
        if (result.cancelled && cancelError_) return;
        RememberFilter(result);
        const std::string path = result.cancelled ? std::string() : ToCapitals(result.path);
        UpdateFolder(settings_.openPathName, result);
        if (path.empty() || !CanType(path)) return;
        channel_.BeginHostCommand();
        channel_.Type(StoreHead(path));
        channel_.Type(EscapeKeyText(path));
        channel_.Type(kTail);
        channel_.SendEnter();
    });
}

void FileCommands::RememberFilter(const FileDialogResult& result) {
    // A cancelled dialog reports no choice; the pair stays as it was.
    if (!result.cancelled && result.filterIndex >= 1) filterIndex_ = result.filterIndex;
}

bool FileCommands::CanType(std::string_view path) {
    if (path.find('\'') == std::string_view::npos) return true;
    channel_.desktop().ShowMessage(texts::kQuoteInPath, texts::kMenuMessageTitle, MessageStyle::Exclamation);
    return false;
}

}  // namespace kelo
