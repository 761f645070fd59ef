// The file commands through their click handlers, over a recording desktop
// and a file dialog that answers from a script.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <stdexcept>

#include "FakeDesktop.h"
#include "channel/KeyString.h"
#include "text/Texts.h"
#include "text/Utf.h"
#include "toolbar/FileCommands.h"

namespace kelo {
namespace {

using testing::FakeDesktop;

const std::string kOpen = testing::kActivateHost + "^C";
const std::string kQuoteRefused = "[message " + std::string(texts::kQuoteInPath) + "|Keloメニュー|48]";
constexpr std::string_view kLoadFilter = "MI File (*.mi)|*.mi|DXF File (*.dxf)|*.dxf|All Files (*.*)|*.*";
constexpr std::string_view kStoreFilter = "MI File (*.MI)|*.MI|DXF File (*.DXF)|*.DXF|All Files (*.*)|*.*";

class ScriptedDialogs : public FileDialogs {
   public:
    std::deque<FileDialogResult> answers;
    std::vector<FileDialogRequest> requests;

    FileDialogResult Show(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) throw std::runtime_error("the dialog could not be shown");
        FileDialogResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

FileDialogResult Chosen(std::string path, std::string currentDirectory, int filterIndex = 1) {
    return {false, std::move(path), std::move(currentDirectory), filterIndex};
}

FileDialogResult Cancelled(std::string currentDirectory) { return {true, "", std::move(currentDirectory), 1}; }

std::string StripWaits(std::string s) {
    for (std::size_t p; (p = s.find("[wait")) != std::string::npos;) s.erase(p, s.find(']', p) - p + 1);
    return s;
}

struct Rig {
    FakeDesktop desktop;
    Settings settings;
    HostChannel channel{desktop, settings.channel};
    ScriptedDialogs dialogs;
    FileCommands files{channel, settings, dialogs};

    Rig() {
        settings.channel = {testing::kHost, "0.1", 0.1f};
        settings.openPathName = "C:\\Kelo";
        settings.partPathName = "C:\\Parts";
    }
    void Load(FileDialogResult answer) {
        dialogs.answers.push_back(std::move(answer));
        files.Menu_File_Load_Click();
    }
    void Part(FileDialogResult answer) {
        dialogs.answers.push_back(std::move(answer));
        files.Menu_Part_box_Click();
    }
    void Store(FileDialogResult answer) {
        dialogs.answers.push_back(std::move(answer));
        files.Menu_File_Store_Click();
    }
};

TEST(FileCommands, LoadTypesTheChosenPathInTheCommandFrame) {
    Rig rig;
    rig.Load(Chosen("C:\\DATA\\Part1.mi", "C:\\DATA"));
    EXPECT_EQ(rig.desktop.transcript,
              testing::kActivateHost + "[wait 0.1]^C[wait 0.1]"
              "LOAD 'C:\\DATA\\Part1.mi'\r[wait 0.1]");
    ASSERT_EQ(rig.dialogs.requests.size(), 1u);
    const FileDialogRequest& request = rig.dialogs.requests[0];
    EXPECT_FALSE(request.save);
    EXPECT_EQ(request.initialFolder, "C:\\Kelo");
    EXPECT_EQ(request.filter, kLoadFilter);
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(request.flags, 0u);
    EXPECT_EQ(rig.settings.openPathName, "C:\\DATA");
    EXPECT_EQ(rig.settings.partPathName, "C:\\Parts");
}

TEST(FileCommands, StoreChoosesItsHeadFromTheCapitalisedPath) {
    struct Case {
        std::string chosen;
        std::string line;  // what the host receives between the opening and the Enter
    };
    const Case cases[] = {
        {"C:\\DATA\\part2.dxf", "STORE DXF ALL DEL_OLD 'C:\\DATA\\PART2.DXF'"},
        {"C:\\DATA\\part2.mi", "STORE MI ALL DEL_OLD 'C:\\DATA\\PART2.MI'"},
        {"C:\\DATA\\Part2.Mi", "STORE MI ALL DEL_OLD 'C:\\DATA\\PART2.MI'"},
        {"C:\\DATA\\part3", "STORE MI ALL DEL_OLD 'C:\\DATA\\PART3'"},      // no extension is added
        {"C:\\DATA\\part3.", "STORE MI ALL DEL_OLD 'C:\\DATA\\PART3.'"},    // empty extension
        // A "." in a folder, or another extension: the file name's own extension decides.
        {"C:\\DATA.V1\\part.dxf", "STORE DXF ALL DEL_OLD 'C:\\DATA.V1\\PART.DXF'"},
        {"C:\\DATA.V1\\part.mi", "STORE MI ALL DEL_OLD 'C:\\DATA.V1\\PART.MI'"},
        {"C:\\DATA.V1\\part", "STORE MI ALL DEL_OLD 'C:\\DATA.V1\\PART'"},
        {"C:\\DATA\\part.bmp", "STORE MI ALL DEL_OLD 'C:\\DATA\\PART.BMP'"},
        {"C:\\DATA\\part.mi.dxf", "STORE DXF ALL DEL_OLD 'C:\\DATA\\PART.MI.DXF'"},
        {"C:\\DATA\\part.dxf.bak", "STORE MI ALL DEL_OLD 'C:\\DATA\\PART.DXF.BAK'"},
        {"C:\\DATA\\part.dxfx", "STORE MI ALL DEL_OLD 'C:\\DATA\\PART.DXFX'"},
        // Full-width Latin letters become capitals too; nothing else changes.
        {"C:\\図面\\ａｂｚ.dxf", "STORE DXF ALL DEL_OLD 'C:\\図面\\ＡＢＺ.DXF'"},
        {"C:\\Ｄ\\｀ｚ｛é ß α.mi", "STORE MI ALL DEL_OLD 'C:\\Ｄ\\｀Ｚ｛É ß Α.MI'"},  // ß has no one-letter capital
        {"C:\\données\\ćwiek ăș\\σχέδιο ς\\дом ёж.dxf", "STORE DXF ALL DEL_OLD 'C:\\DONNÉES\\ĆWIEK ĂȘ\\ΣΧΈΔΙΟ Σ\\ДОМ ЁЖ.DXF'"},
        // Key-notation characters reach the host as they stand.
        {"C:\\A+B\\x(1)%^~{2}[3].dxf", "STORE DXF ALL DEL_OLD 'C:\\A+B\\X(1)%^~{2}[3].DXF'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        Rig rig;
        rig.Store(Chosen(c.chosen, "C:\\DATA"));
        EXPECT_EQ(StripWaits(rig.desktop.transcript), kOpen + c.line + "\r");
    }
}

TEST(FileCommands, RememberedFoldersChangeExactlyAsEachBranchSays) {
    struct Case {
        const char* name;
        std::function<void(Rig&)> clicks;
        std::string open;
        std::string part;
        std::string typed;  // waits left out
    };
    const Case cases[] = {
        {"load chosen", [](Rig& r) { r.Load(Chosen("D:\\X\\a.mi", "D:\\X")); }, "D:\\X", "C:\\Parts",
         kOpen + "LOAD 'D:\\X\\a.mi'\r"},
        {"load cancelled", [](Rig& r) { r.Load(Cancelled("D:\\X")); }, "C:\\Kelo", "C:\\Parts", ""},
        {"load with an empty name", [](Rig& r) { r.Load(Chosen("", "D:\\X")); }, "D:\\X", "C:\\Parts", ""},
        {"part chosen", [](Rig& r) { r.Part(Chosen("D:\\P\\b.dxf", "D:\\P")); }, "C:\\Kelo", "D:\\P",
         kOpen + "LOAD 'D:\\P\\b.dxf'\r"},
        {"part cancelled", [](Rig& r) { r.Part(Cancelled("D:\\P")); }, "C:\\Kelo", "C:\\Parts", ""},
        {"store chosen: the folder as the dialog left it, not in capitals",
         [](Rig& r) { r.Store(Chosen("D:\\s\\c.mi", "D:\\s")); }, "D:\\s", "C:\\Parts",
         kOpen + "STORE MI ALL DEL_OLD 'D:\\S\\C.MI'\r"},
        {"store cancelled before any load", [](Rig& r) { r.Store(Cancelled("D:\\S")); }, "D:\\S", "C:\\Parts", ""},
        {"store cancelled after a cancelled load",
         [](Rig& r) {
             r.Load(Cancelled("D:\\X"));
             r.Store(Cancelled("D:\\S"));
         },
         "C:\\Kelo", "C:\\Parts", ""},
        {"store cancelled after a part load",
         [](Rig& r) {
             r.Part(Chosen("D:\\P\\b.mi", "D:\\P"));
             r.desktop.transcript.clear();
             r.Store(Cancelled("D:\\S"));
         },
         "C:\\Kelo", "D:\\P", ""},
        {"the option stays on after later saves",
         [](Rig& r) {
             r.Load(Cancelled("D:\\X"));
             r.Store(Chosen("D:\\S\\c", "D:\\S"));
             r.desktop.transcript.clear();
             r.Store(Cancelled("D:\\T"));
         },
         "D:\\S", "C:\\Parts", ""},
        {"load with no host",
         [](Rig& r) {
             r.desktop.windows.clear();
             r.Load(Chosen("D:\\X\\a.mi", "D:\\X"));
         },
         "D:\\X", "C:\\Parts", ""},
        {"part with no host",
         [](Rig& r) {
             r.desktop.windows.clear();
             r.Part(Chosen("D:\\P\\b.mi", "D:\\P"));
         },
         "C:\\Kelo", "D:\\P", ""},
        {"store with no host",
         [](Rig& r) {
             r.desktop.windows.clear();
             r.Store(Chosen("D:\\S\\c.mi", "D:\\S"));
         },
         "D:\\S", "C:\\Parts", ""},
        {"platform did not say the current directory",
         [](Rig& r) { r.Load(Chosen("E:\\a.mi", "")); }, "E:\\", "C:\\Parts", kOpen + "LOAD 'E:\\a.mi'\r"},
        {"load path with a single quote", [](Rig& r) { r.Load(Chosen("D:\\X\\O'Neil.mi", "D:\\X")); }, "D:\\X",
         "C:\\Parts", kQuoteRefused},
        {"store path with a single quote", [](Rig& r) { r.Store(Chosen("D:\\it's\\c.mi", "D:\\it's")); },
         "D:\\it's", "C:\\Parts", kQuoteRefused},
        {"dialog that cannot be shown", [](Rig& r) { r.files.Menu_File_Store_Click(); }, "C:\\Kelo", "C:\\Parts", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        c.clicks(rig);
        EXPECT_EQ(rig.settings.openPathName, c.open);
        EXPECT_EQ(rig.settings.partPathName, c.part);
        EXPECT_EQ(StripWaits(rig.desktop.transcript), c.typed);
    }
}

TEST(FileCommands, TheSharedDialogCarriesFlagsAndFilterFromOneCommandToTheNext) {
    Rig rig;
    rig.desktop.windows.clear();  // what is typed does not matter here
    rig.Load(Chosen("D:\\X\\a.dxf", "D:\\X", 2));
    rig.Part(Cancelled("D:\\P"));
    rig.Store(Chosen("D:\\X\\b.mi", "D:\\X", 3));
    rig.Load(Cancelled("D:\\X"));
    rig.Part(Chosen("D:\\P\\c.mi", "D:\\P", 1));
    rig.Load(Chosen("D:\\X\\d.mi", "D:\\X", 1));
    struct Want {
        bool save;
        std::string folder;
        int filterIndex;
        unsigned flags;
    };
    const Want wants[] = {
        {false, "C:\\Kelo", 1, 0},     // first dialog of the run: first pair, no flags
        {false, "C:\\Parts", 2, 0},    // the pair chosen in the load
        {true, "D:\\X", 2, 2050},
        {false, "D:\\X", 3, 2050},     // opens inherit the save's flags
        {false, "C:\\Parts", 3, 2050}, // a cancelled dialog leaves the pair as it was
        {false, "D:\\X", 1, 2050},
    };
    ASSERT_EQ(rig.dialogs.requests.size(), std::size(wants));
    for (std::size_t i = 0; i < std::size(wants); ++i) {
        SCOPED_TRACE(i);
        const FileDialogRequest& got = rig.dialogs.requests[i];
        EXPECT_EQ(got.save, wants[i].save);
        EXPECT_EQ(got.initialFolder, wants[i].folder);
        EXPECT_EQ(got.filterIndex, wants[i].filterIndex);
        EXPECT_EQ(got.flags, wants[i].flags);
        EXPECT_EQ(got.filter, got.save ? kStoreFilter : kLoadFilter);
    }
}

TEST(EscapeKeyText, BracesEveryKeyNotationCharacterAndNothingElse) {
    struct Case {
        std::string text;
        std::string escaped;
    };
    const Case cases[] = {
        {"", ""},
        {"C:\\DATA\\Part1.mi", "C:\\DATA\\Part1.mi"},
        {"+^%~", "{+}{^}{%}{~}"},
        {"(a)", "{(}a{)}"},
        {"{}", "{{}{}}"},
        {"[x]", "{[}x{]}"},
        {"C:\\図面 (旧)\\ａ+ｂ's.mi", "C:\\図面 {(}旧{)}\\ａ{+}ｂ's.mi"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string escaped = EscapeKeyText(c.text);
        EXPECT_EQ(escaped, c.escaped);
        // The notation reads it back as exactly the original characters, no modifier held.
        std::u16string typed;
        for (const KeyStroke& stroke : ParseKeyString(Utf8ToUtf16(escaped))) {
            EXPECT_EQ(stroke.kind, KeyStroke::Kind::Char);
            EXPECT_EQ(stroke.mods, 0);
            typed += stroke.ch;
        }
        EXPECT_EQ(Utf16ToUtf8(typed), c.text);
    }
}

}  // namespace
}  // namespace kelo
