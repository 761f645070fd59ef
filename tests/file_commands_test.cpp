// The file commands through their click handlers, over the recording desktop and a
// file dialog that answers from a script.
#include <gtest/gtest.h>

#include "Rig.h"
#include "channel/KeyString.h"
#include "text/Utf.h"
#include "toolbar/FileCommands.h"

namespace kelo {
namespace {

// One click: 'L' 読み込み, 'P' 部品図, 'S' 保存; the dialog's answer: the path chosen
// (nullptr: Cancel, "!": the dialog cannot be shown), the current directory it leaves.
struct Click {
    char command;
    const char* path;
    const char* folder = "";
    int filter = 1;
};

class FileRig : public FileDialogs {
   public:
    testing::FakeDesktop desktop;
    Settings settings{{testing::kHost, "0", 0.0f}, std::string("False"), "C:\\Kelo", "C:\\Parts"};
    HostChannel channel{desktop, settings.channel};
    FileCommands files{channel, settings, *this};
    std::string requests;  // "open|save folder filter flags;" for every dialog shown
    const Click* answer = nullptr;

    void Run(const std::vector<Click>& clicks) {
        for (const Click& click : clicks) {
            answer = &click;
            click.command == 'L' ? files.Menu_File_Load_Click()
                                 : click.command == 'P' ? files.Menu_Part_box_Click() : files.Menu_File_Store_Click();
        }
    }
    FileDialogResult Show(const FileDialogRequest& r) override {
        requests += std::string(r.save ? "save " : "open ") + r.initialFolder + " " + std::to_string(r.filterIndex) +
                    " " + std::to_string(r.flags) + ";";
        EXPECT_EQ(r.filter, r.save ? "MI File (*.MI)|*.MI|DXF File (*.DXF)|*.DXF|All Files (*.*)|*.*"
                                   : "MI File (*.mi)|*.mi|DXF File (*.dxf)|*.dxf|All Files (*.*)|*.*");
        if (answer->path && answer->path == std::string_view("!")) throw FileDialogError("cannot be shown");
        return {answer->path == nullptr, answer->path ? answer->path : "", answer->folder, answer->filter};
    }
};

// 保存 types the path in capitals after a head chosen from its extension.
TEST(FileCommands, StoreChoosesItsHeadFromTheCapitalisedPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\DATA\\part2.dxf", "DXF ALL DEL_OLD 'C:\\DATA\\PART2.DXF'"},
        {"C:\\DATA\\Part2.Mi", "MI ALL DEL_OLD 'C:\\DATA\\PART2.MI'"},
        {"C:\\DATA\\part3", "MI ALL DEL_OLD 'C:\\DATA\\PART3'"},  // no extension is added
        {"C:\\DATA\\part3.", "MI ALL DEL_OLD 'C:\\DATA\\PART3.'"},
        // A "." in a folder, or another extension: the file name's own last extension decides.
        {"C:\\DATA.V1\\part.dxf", "DXF ALL DEL_OLD 'C:\\DATA.V1\\PART.DXF'"},
        {"C:\\DATA.V1\\part.mi", "MI ALL DEL_OLD 'C:\\DATA.V1\\PART.MI'"},
        {"C:\\DATA.V1\\part", "MI ALL DEL_OLD 'C:\\DATA.V1\\PART'"},
        {"C:\\DATA\\part.bmp", "MI ALL DEL_OLD 'C:\\DATA\\PART.BMP'"},
        {"C:\\DATA\\part.mi.dxf", "DXF ALL DEL_OLD 'C:\\DATA\\PART.MI.DXF'"},
        {"C:\\DATA\\part.dxf.bak", "MI ALL DEL_OLD 'C:\\DATA\\PART.DXF.BAK'"},
        {"C:\\DATA\\part.dxfx", "MI ALL DEL_OLD 'C:\\DATA\\PART.DXFX'"},
        {"part.dxf", "DXF ALL DEL_OLD 'PART.DXF'"},     {".mi", "MI ALL DEL_OLD '.MI'"},
        {"C:\\図面\\ａｂｚ.dxf", "DXF ALL DEL_OLD 'C:\\図面\\ＡＢＺ.DXF'"},  // full-width letters too
        {"C:\\Ｄ\\｀ｚ｛é ß α.mi", "MI ALL DEL_OLD 'C:\\Ｄ\\｀Ｚ｛É ß Α.MI'"},  // ß has no one-letter capital
        {"C:\\données\\ćwiek ăș\\σχέδιο ς\\дом ёж.dxf", "DXF ALL DEL_OLD 'C:\\DONNÉES\\ĆWIEK ĂȘ\\ΣΧΈΔΙΟ Σ\\ДОМ ЁЖ.DXF'"},
        {"C:\\A+B\\x(1)%^~{2}[3].dxf", "DXF ALL DEL_OLD 'C:\\A+B\\X(1)%^~{2}[3].DXF'"},  // key notation as it stands
    };
    for (const auto& [chosen, line] : cases) {
        FileRig rig;
        rig.Run({{'S', chosen, "C:\\DATA"}});
        EXPECT_EQ(testing::Seen(rig.desktop.transcript), "^CSTORE " + std::string(line) + "\r") << chosen;
    }
}

// The remembered folders after each branch, what the host received, and the shared dialog's
// settings: the pair picked last, and the save's flags for every dialog after it.
TEST(FileCommands, RememberedFoldersAndTheSharedDialog) {
    const std::string quote = testing::Message(texts::kQuoteInPath, texts::kMenuMessageTitle);
    const struct {
        std::vector<Click> clicks;
        const char *open, *part;
        std::string seen;
        const char* requests = nullptr;
        bool noHost = false;
    } cases[] = {
        {{{'L', "D:\\X\\a.mi", "D:\\X"}}, "D:\\X", "C:\\Parts", "^CLOAD 'D:\\X\\a.mi'\r", "open C:\\Kelo 1 0;"},
        {{{'L', nullptr, "D:\\X"}}, "C:\\Kelo", "C:\\Parts", ""},
        {{{'L', "", "D:\\X"}}, "D:\\X", "C:\\Parts", ""},  // an empty name
        {{{'P', "D:\\P\\b.dxf", "D:\\P"}}, "C:\\Kelo", "D:\\P", "^CLOAD 'D:\\P\\b.dxf'\r", "open C:\\Parts 1 0;"},
        {{{'P', nullptr, "D:\\P"}}, "C:\\Kelo", "C:\\Parts", ""},
        // The folder as the dialog left it, not in capitals.
        {{{'S', "D:\\s\\c.mi", "D:\\s"}}, "D:\\s", "C:\\Parts", "^CSTORE MI ALL DEL_OLD 'D:\\S\\C.MI'\r"},
        // Cancel of 保存 moves the folder until an open dialog has been shown.
        {{{'S', nullptr, "D:\\S"}}, "D:\\S", "C:\\Parts", ""},
        {{{'L', nullptr, "D:\\X"}, {'S', nullptr, "D:\\S"}}, "C:\\Kelo", "C:\\Parts", ""},
        {{{'P', "D:\\P\\b.mi", "D:\\P"}, {'S', nullptr, "D:\\S"}}, "C:\\Kelo", "D:\\P", "^CLOAD 'D:\\P\\b.mi'\r"},
        {{{'L', nullptr, "D:\\X"}, {'S', "D:\\S\\c", "D:\\S"}, {'S', nullptr, "D:\\T"}}, "D:\\S", "C:\\Parts",
         "^CSTORE MI ALL DEL_OLD 'D:\\S\\C'\r"},
        {{{'L', "D:\\X\\a.mi", "D:\\X"}}, "D:\\X", "C:\\Parts", "", nullptr, true},
        {{{'P', "D:\\P\\b.mi", "D:\\P"}}, "C:\\Kelo", "D:\\P", "", nullptr, true},
        {{{'S', "D:\\S\\c.mi", "D:\\S"}}, "D:\\S", "C:\\Parts", "", nullptr, true},
        {{{'L', "E:\\a.mi", ""}}, "E:\\", "C:\\Parts", "^CLOAD 'E:\\a.mi'\r"},  // no current directory said
        {{{'L', "D:\\X\\O'Neil.mi", "D:\\X"}}, "D:\\X", "C:\\Parts", quote},
        {{{'S', "D:\\it's\\c.mi", "D:\\it's"}}, "D:\\it's", "C:\\Parts", quote},
        {{{'S', "!"}}, "C:\\Kelo", "C:\\Parts", "", "save C:\\Kelo 1 2050;"},
        {{{'L', "D:\\X\\a.dxf", "D:\\X", 2}, {'P', nullptr, "D:\\P", 1}, {'S', "D:\\X\\b.mi", "D:\\X", 3},
          {'L', nullptr, "D:\\X", 1}, {'P', "D:\\P\\c.mi", "D:\\P", 1}, {'L', "D:\\X\\d.mi", "D:\\X", 0},
          {'L', "D:\\X\\d.mi", "D:\\X", 1}},
         "D:\\X", "D:\\P", "",
         "open C:\\Kelo 1 0;open C:\\Parts 2 0;save D:\\X 2 2050;open D:\\X 3 2050;open C:\\Parts 3 2050;"
         "open D:\\X 1 2050;open D:\\X 1 2050;",
         true},
    };
    for (const auto& c : cases) {
        FileRig rig;
        if (c.noHost) rig.desktop.windows.clear();
        rig.Run(c.clicks);
        SCOPED_TRACE(rig.requests);
        EXPECT_EQ(rig.settings.openPathName, c.open);
        EXPECT_EQ(rig.settings.partPathName, c.part);
        EXPECT_EQ(testing::Seen(rig.desktop.transcript), c.seen);
        EXPECT_EQ(c.requests ? rig.requests : "", c.requests ? c.requests : "");
    }
}

TEST(EscapeKeyText, BracesEveryKeyNotationCharacterAndNothingElse) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"C:\\DATA\\Part1.mi", "C:\\DATA\\Part1.mi"}, {"+^%~", "{+}{^}{%}{~}"}, {"(a)", "{(}a{)}"},
        {"{}", "{{}{}}"}, {"[x]", "{[}x{]}"}, {"C:\\図面 (旧)\\ａ+ｂ's.mi", "C:\\図面 {(}旧{)}\\ａ{+}ｂ's.mi"},
    };
    for (const auto& [text, escaped] : cases) {
        EXPECT_EQ(EscapeKeyText(text), escaped);
        // The notation reads it back as exactly the original characters, no modifier held.
        std::u16string typed;
        for (const KeyStroke& stroke : ParseKeyString(Utf8ToUtf16(escaped))) {
            EXPECT_TRUE(stroke.kind == KeyStroke::Kind::Char && stroke.mods == 0) << text;
            typed += stroke.ch;
        }
        EXPECT_EQ(Utf16ToUtf8(typed), text);
    }
}

}  // namespace
}  // namespace kelo
