// The toolbar's tables and what its buttons do, over the recording desktop: the command
// rows, the start and close, ▼/▲, the display toggles, 新規, the launcher paths, and the
// six stored settings and the settings dialog with what the next command does with them.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "Rig.h"
#include "text/Paths.h"
#include "toolbar/Commands.h"
#include "toolbar/Launchers.h"
#include "toolbar/Layout.h"
#include "toolbar/AppNameSet.h"
#include "toolbar/Menu.h"
#include "toolbar/NewFile.h"
#include "toolbar/Toggles.h"

namespace kelo {
namespace {

using testing::FakeDesktop;
using testing::kFailure;
using testing::Seen;
using testing::kHost;

// Every button has one command row and every row one button; no two controls of one
// container share a place; framed controls lie inside the upper band at their frame's offset.
TEST(ToolbarTables, ButtonsRowsAndFramesAgree) {
    std::set<std::string_view> buttons;
    std::set<std::tuple<std::string_view, int, int>> places;
    for (const ControlRow& row : kLayout) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_TRUE(places.insert({row.frame, row.left, row.top}).second);
        EXPECT_TRUE(row.kind == ControlKind::Frame || (buttons.insert(row.name).second && FindCommand(row.name)));
        if (row.frame.empty()) continue;
        EXPECT_TRUE(FindControl(kLayout, row.frame));
        const TwipRect r = ClientRectTwips(row);
        EXPECT_TRUE(r.top + r.height <= 1220 && r.left >= -120);
    }
    EXPECT_EQ(buttons.size(), kCommands.size());
    const std::pair<std::string_view, TwipRect> framed[] = {
        {"Dim_Line_PARALLEL", {0, 240, 495, 495}}, {"Line_Poinr2", {3480, 240, 490, 490}},
        {"AngBisect", {13680, 720, 490, 490}},    {"LINE_solid", {17160, 960, 495, 255}},
        {"C_EXTEND", {18600, 840, 570, 375}},     {"C_RED", {16680, 1440, 250, 255}},
    };
    for (const auto& [name, rect] : framed) EXPECT_EQ(ClientRectTwips(kLayout[*FindControl(kLayout, name)]), rect);
    for (auto [twips, dpi, pixels] : {std::tuple{1650, 96, 110}, {3200, 144, 320}, {490, 192, 65}, {-120, 144, -12},
                                      {7, 96, 0}, {8, 96, 1}})
        EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
}

// A toolbar started over a store that holds `dTime2`.
struct Toolbar {
    FakeDesktop desktop;
    MemorySettingsStore store;
    MenuModel menu{desktop};
    bool started;
    explicit Toolbar(std::optional<std::string> dTime2 = {}, bool host = true) {
        if (!host) desktop.windows.clear();
        store.values[2] = dTime2;
        started = menu.LoadSettingsAtStart(store, "C:\\k");
    }
};

TEST(MenuCommands, ButtonsTypeTheirLinesWithTheShiftVariantAfterTheOpening) {
    const struct {
        std::string_view button;
        bool shift;
        const char* seen;
    } cases[] = {
        {"Line_Poinr2", false, "^CLINE ASSIST TWO_PTS\r"},
        {"Line_Poinr2", true, "^CLINE TWO_PTS\r"},
        {"Dim_Line_HORIZONTAL", true, "^CDIM_LINE HORIZONTAL CLEAR_PREFIX\r"},
        {"TEXT_SIZE", true, "^CTEXT_SIZE\r"},  // no second form
        {"C_BULE", true, "^CCHANGE_DIM_TEXT_AND_LINE_COLOR BLUE\r"},
        {"MODIFY_MIRROR_VERTIAL", true, "^CMODIFY ASSIST COPY MIRROR VERTICAL\r"},
        {"CM_END", true, "END\r"},  // END and the clipboard copy do not cancel the host's command
        {"CLIP_COPY", false, "COPY_TO_CLIPBOARD\r"},
        {"Fillet_Delete", false, "^CCHANGE_FILLET\r0\r"},
        {"TEXT_INPUT", true, "^CTEXT\r'"},
        {"ZERO", false, "^CC_LINE HORIZONTAL 0,0\rC_LINE VERTICAL 0,0\rTm_window_fit\r^C"},
        {"ADD_FAI", false, "^Cadd_dim_prefix #14'1'#15 end\r"},
        {"LINE_c_dash_d", false, "^Cvetra_line_change 'c_dash_d' 1\r"},
        {"Command10", true, ""},
        {"C_EXTEND", false, ""},
    };
    for (const auto& c : cases) {
        Toolbar toolbar;
        toolbar.desktop.shift = c.shift;
        toolbar.menu.RunCommand(kCommands[*FindCommand(c.button)]);
        EXPECT_EQ(Seen(toolbar.desktop.transcript), c.seen) << c.button << (c.shift ? " +shift" : "");
    }
}

// Every row types only characters every layout has, and with no host shows the one
// message and asks nothing of the system.
TEST(MenuCommands, EveryTypingRowTypesPlainCharactersOrShowsTheMessageWithoutAHost) {
    for (const CommandRow& row : kCommands) {
        SCOPED_TRACE(std::string(row.button));
        for (bool shift : {false, true}) {
            const CommandPlan plan = PlanCommand(row, shift);
            for (std::size_t i = 0; i < plan.count; ++i)
                for (char ch : plan.steps[i].kind == Step::Kind::Text ? plan.steps[i].text : "")
                    EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(ch)) || strchr(" _'#,.-", ch)) << ch;
        }
        Toolbar toolbar({}, false);
        toolbar.menu.RunCommand(row);
        const bool types = row.behaviour == Behaviour::Plain || row.behaviour == Behaviour::Sequence;
        EXPECT_EQ(toolbar.desktop.transcript, types ? kFailure : "");
        EXPECT_TRUE(toolbar.desktop.events.empty());
    }
}

// The start types its command silently; closing stores the settings only after a good start.
TEST(MenuLifecycle, StartCloseAndTheExtendButton) {
    Toolbar good, quiet({}, false), bad("abc");
    for (Toolbar* t : {&good, &quiet, &bad}) t->menu.SendStartupCommand();
    EXPECT_EQ(Seen(good.desktop.transcript), "^CDIM_CATCH_ANGLE 1\r");
    EXPECT_EQ(quiet.desktop.transcript, "");
    EXPECT_TRUE(good.started && !bad.started);
    const std::pair<int, std::string_view> looks[] = {{1650, "▼ アイコンを拡張します。"},
                                                      {2160, "▲ アイコンを縮小します。"},
                                                      {1650, "▼ アイコンを拡張します。"}};
    for (const auto& [height, text] : looks) {
        const ExtendLook look = good.menu.Look();
        EXPECT_EQ(look.heightTwips, height);
        EXPECT_EQ(std::string(look.caption) + " " + std::string(look.tip), text);
        good.menu.Menu_C_EXTEND_Click();
    }
    for (Toolbar* t : {&good, &bad}) t->menu.Menu_Form_Unload(t->store);
    EXPECT_EQ(good.store.values[3], "True");
    EXPECT_EQ(bad.store.writeLog, "");
    EXPECT_EQ(bad.store.values[2], "abc");
}

// Each toggle flips its own state, typed in the command frame; the button's look changes
// between the line and its Enter, only when the line reached the host.
TEST(Toggles, EachFlipsItsOwnStateAndLookOnlyWhenTheHostGotIt) {
    class View : public ButtonLookView {
       public:
        explicit View(std::string& transcript) : transcript_(transcript) {}
        void SetButtonLook(std::string_view button, ButtonBack back, std::string_view tip) override {
            transcript_ += "[" + std::string(button) + (back == ButtonBack::LightCyan ? " cyan|" : " face|") +
                           std::string(tip) + "]";
        }
        std::string& transcript_;
    };
    testing::Host host;
    FakeDesktop& desktop = host.desktop;
    View view{desktop.transcript};
    Toggles toggles{host.channel, view};
    const std::string dotOn = "^CDOT_GRID ON[DOT_GRID cyan|" + std::string(texts::kDotGridSwitchOffTip) + "]\r";
    const std::string dotOff = "^CDOT_GRID OFF[DOT_GRID face|" + std::string(texts::kDotGridSwitchOnTip) + "]\r";
    const std::string spotOn = "^CSPOTLIGHT ON[SPOTLIGHT cyan|" + std::string(texts::kSpotlightSwitchOffTip) + "]\r";
    const std::string spotOff = "^CSPOTLIGHT OFF[SPOTLIGHT face|" + std::string(texts::kSpotlightSwitchOnTip) + "]\r";
    const struct {
        char click;  // 'D' ドット グリッド, 'S' スポットライト
        bool host;
        std::string seen;
        bool dotGrid, spotlight;
    } steps[] = {
        {'D', true, dotOn, true, false},     {'S', true, spotOn, true, true},   {'D', true, dotOff, false, true},
        {'D', false, kFailure, false, true}, {'S', false, kFailure, false, true}, {'D', true, dotOn, true, true},
        {'S', true, spotOff, true, false},   {'S', true, spotOn, true, true},
    };
    EXPECT_FALSE(toggles.DotGridOn() || toggles.SpotlightOn());
    for (const auto& s : steps) {
        desktop.transcript.clear();
        desktop.foreground.clear();  // the click on the toolbar took the foreground
        desktop.windows = s.host ? std::vector{testing::kHost} : std::vector<std::string>{};
        s.click == 'D' ? toggles.Menu_DOT_GRID_Click() : toggles.Menu_SPOTLIGHT_Click();
        EXPECT_EQ(Seen(desktop.transcript), s.seen);
        EXPECT_EQ(toggles.DotGridOn(), s.dotGrid);
        EXPECT_EQ(toggles.SpotlightOn(), s.spotlight);
    }
}

TEST(NewFile, AsksFirstAndResetsOnlyOnYes) {
    const std::string question = testing::Message(texts::kNewFileQuestion, texts::kNewFileTitle, 4);
    const struct {
        MessageAnswer answer;
        bool host;
        std::string seen;
    } cases[] = {
        {MessageAnswer::Yes, true, question + "^CRESET_SYSTEM\rCONFIRM\r"},
        {MessageAnswer::No, true, question},
        {MessageAnswer::No, false, question},
        {MessageAnswer::Yes, false, question + kFailure},
    };
    for (const auto& c : cases) {
        testing::Host host;
        host.desktop.answer = c.answer;
        if (!c.host) host.desktop.windows.clear();
        EXPECT_EQ(Menu_NEW_FILE_Click(host.channel), c.seen.ends_with("CONFIRM\r"));
        EXPECT_EQ(Seen(host.desktop.transcript), c.seen);
    }
}

// The manual and the calculator lie in the program's own folder, joined with one separator.
TEST(Launchers, FilesLieBesideTheProgram) {
    const std::tuple<const char*, const char*, const char*> cases[] = {  // program, folder, the files' start
        {"C:\\Tools\\Kelo\\KeloMenu.exe", "C:\\Tools\\Kelo", "C:\\Tools\\Kelo\\"},
        {"C:\\KeloMenu.exe", "C:\\", "C:\\"},  // a drive's root keeps its "\\"
        {"\\\\server\\share\\KeloMenu.exe", "\\\\server\\share", "\\\\server\\share\\"},
        {"D:\\図面\\ツール\\KeloMenu.exe", "D:\\図面\\ツール", "D:\\図面\\ツール\\"},
        {"Z:/work/win/KeloMenu.exe", "Z:/work/win", "Z:/work/win\\"}, {"Z:/KeloMenu.exe", "Z:\\", "Z:\\"},
        {"KeloMenu.exe", "", "\\"},
    };
    for (const auto& [program, folder, start] : cases) {
        EXPECT_EQ(FolderOf(program), folder);
        EXPECT_EQ(ManualPath(folder), std::string(start) + "Keloメニュー マニュアル.pdf");
        EXPECT_EQ(CalculatorPath(folder), std::string(start) + "KeloCalculator.EXE");
    }
    EXPECT_EQ(ManualPath("Z:/"), "Z:/Keloメニュー マニュアル.pdf");
    EXPECT_EQ(CalculatorNotStartedMessage("C:\\K\\KeloCalculator.EXE"),
              std::string(texts::kCalculatorNotStarted) + "\nC:\\K\\KeloCalculator.EXE");
}


// One host command as the toolbar's buttons run it: the whole transcript, waits included.
std::string RunCommand(const ChannelSettings& settings) {
    testing::FakeDesktop desktop;
    HostChannel channel(desktop, settings);
    RunHostCommand(channel, [&] {
        channel.BeginHostCommand();
        channel.Type("LINE");
        channel.SendEnter();
    });
    return desktop.transcript;
}

// DTime1 stays the text it was, DTime2 must be a number or the start stops with nothing
// written, EXTEND is "True" in any case or else "False"; no stored wait holds a command
// for more than a minute; closing writes all six in order.
TEST(Settings, StoredTextsAreReadAtStartAndWrittenBackAtClose) {
    const std::string host = testing::kActivateHost, failed = host + kFailure;
    const struct {
        std::optional<std::string> dTime1, dTime2, extend;
        const char* dTime2Written;  // nullptr: the start fails
        const char* extendWritten;
        std::string command;
    } cases[] = {
        {{}, {}, {}, "0.1", "False", host + "[wait 0.1]^C[wait 0.1]LINE\r[wait 0.1]"},
        {"0.3", "0.25", "True", "0.25", "True", host + "[wait 0.3]^C[wait 0.25]LINE\r[wait 0.25]"},
        {"0.1", " 2 ", "true", "2", "True", host + "[wait 0.1]^C[wait 2]LINE\r[wait 2]"},
        {"0.1", "1E-2", "Maybe", "0.01", "False", host + "[wait 0.1]^C[wait 0.01]LINE\r[wait 0.01]"},
        {"0.1", "-1", {}, "-1", "False", host + "[wait 0.1]^CLINE\r"},
        {"0.1", "1e9", {}, "1000000000", "False", host + "[wait 0.1]^C[wait 60]LINE\r[wait 60]"},
        {"", "0.1", {}, "0.1", "False", failed},
        {"abc", "0.1", {}, "0.1", "False", failed},
        {"0,5", "0.1", {}, "0.1", "False", failed},
        {"-1", "0.1", {}, "0.1", "False", host + "^C[wait 0.1]LINE\r[wait 0.1]"},
        {"1e9", "0.1", {}, "0.1", "False", host + "[wait 60]^C[wait 0.1]LINE\r[wait 0.1]"},
        {"0.1", "", {}, nullptr},
        {"0.1", "abc", {}, nullptr},
        {"0.1", "0,5", {}, nullptr},
        {"0.1", "0.1s", {}, nullptr},
        {"0.1", "1e40", {}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("DTime1 " + c.dTime1.value_or("-") + " DTime2 " + c.dTime2.value_or("-"));
        MemorySettingsStore store;
        store.values = {"Creo Elements", c.dTime1, c.dTime2, c.extend, "D:\\図面", std::nullopt};  // a title's beginning
        if (!c.dTime2Written) {
            EXPECT_THROW(LoadSettings(store, "C:\\Kelo"), std::exception);
            EXPECT_EQ(store.writeLog, "");
            continue;
        }
        const Settings settings = LoadSettings(store, "C:\\Kelo");
        EXPECT_EQ(IsExtended(settings.extend), c.extendWritten == std::string("True"));
        EXPECT_EQ(RunCommand(settings.channel), c.command);
        StoreSettings(store, settings);
        EXPECT_EQ(store.writeLog, "AppName;DTime1;DTime2;EXTEND;OpenPathName;PartPathName;");
        const std::array<std::string, 6> written{"Creo Elements", c.dTime1.value_or("0.1"), c.dTime2Written,
                                                 c.extendWritten, "D:\\図面", "C:\\Kelo"};  // the program's folder
        for (std::size_t i = 0; i < written.size(); ++i) EXPECT_EQ(store.values[i], written[i]) << i;
    }
}

// Title and Act. Time are taken as typed; an Enter Time that is not a number keeps the
// dialog open with its message and the last good wait.
TEST(AppNameSet, TakesTitleAndActTimeAsTypedAndRefusesAnEnterTimeThatIsNotANumber) {
    const std::string texts[] = {"",    " ",      "abc",  "-",   ".",   "1e400", "-1e400", "-0", "1,5",
                                 "12.5mm", "&H10", "1 2", std::string(10000, '7'), "１２", "あ", "0.5"};
    for (int box = 1; box <= 3; ++box) {
        for (const std::string& text : texts) {
            SCOPED_TRACE("Text" + std::to_string(box) + " " + text.substr(0, 20));
            ChannelSettings settings{kHost, "0.1", 0.2f};
            AppNameSetModel dialog(settings);
            dialog.AppNameSet_Form_Load();
            EXPECT_EQ(dialog.text1 + "|" + dialog.text2 + "|" + dialog.text3, kHost + "|0.1|0.2");
            (box == 1 ? dialog.text1 : box == 2 ? dialog.text2 : dialog.text3) = text;
            const bool number = text == "-0" || text == "0.5";
            const bool closes = dialog.AppNameSet_Command1_Click();
            EXPECT_EQ(closes, box != 3 || number);
            EXPECT_EQ(dialog.message, closes ? "" : texts::kEnterTimeNotNumber);
            EXPECT_EQ(settings.appName, box == 1 ? text : kHost);
            EXPECT_EQ(settings.dTime1, box == 2 ? text : "0.1");
            EXPECT_EQ(settings.dTime2, box == 3 && number ? std::stof(text) : 0.2f);
            // A title that names no window, or an Act. Time that is not a number: the one message.
            const bool fails = box == 1 || (box == 2 && !number);
            EXPECT_EQ(testing::Seen(RunCommand(settings)), fails ? kFailure : "^CLINE\r");
        }
    }
}

}  // namespace
}  // namespace kelo
