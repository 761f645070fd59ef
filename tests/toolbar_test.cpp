// The toolbar's tables and what its buttons type, over a recording desktop.
#include <gtest/gtest.h>

#include <set>

#include "FakeDesktop.h"
#include "toolbar/Commands.h"
#include "toolbar/Layout.h"
#include "toolbar/Menu.h"

namespace kelo {
namespace {

using testing::FakeDesktop;

TEST(ToolbarTables, EveryButtonHasOneCommandRowAndEveryRowOneButton) {
    std::set<std::string_view> buttons;
    for (const ControlRow& row : kLayout)
        if (row.kind != ControlKind::Frame) {
            EXPECT_TRUE(buttons.insert(row.name).second) << row.name;
            EXPECT_TRUE(FindCommand(row.name)) << row.name;
        }
    EXPECT_EQ(buttons.size(), kCommands.size());
}

TEST(ToolbarTables, NoTwoControlsOfOneContainerSharePositionAndFramesHoldTheirButtons) {
    std::set<std::tuple<std::string_view, int, int>> seen;
    for (const ControlRow& row : kLayout) {
        EXPECT_TRUE(seen.insert({row.frame, row.left, row.top}).second) << row.name;
        if (row.frame.empty()) continue;
        EXPECT_TRUE(FindControl(kLayout, row.frame)) << row.name;
        const TwipRect r = ClientRectTwips(row);
        EXPECT_LE(r.top + r.height, 1220) << row.name;  // inside the upper band
        EXPECT_GE(r.left, -120) << row.name;
    }
}

TEST(ToolbarTables, FramedButtonsSitAtTheirFramesOffset) {
    struct Case {
        std::string_view name;
        TwipRect rect;
    };
    const Case cases[] = {
        {"Dim_Line_PARALLEL", {0, 240, 495, 495}},      // Frame3 starts at -120
        {"Line_Poinr2", {3480, 240, 490, 490}},         // Frame2 at 3360
        {"AngBisect", {13680, 720, 490, 490}},          // Frame1 at 9720
        {"LINE_solid", {17160, 960, 495, 255}},         // Frame4 at 14160
        {"C_EXTEND", {18600, 840, 570, 375}},
        {"C_RED", {16680, 1440, 250, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ClientRectTwips(kLayout[*FindControl(kLayout, c.name)]), c.rect);
    }
    EXPECT_EQ(TwipsToPixels(1650, 96), 110);
    EXPECT_EQ(TwipsToPixels(3200, 144), 320);
    EXPECT_EQ(TwipsToPixels(490, 192), 65);
    EXPECT_EQ(TwipsToPixels(-120, 144), -12);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);  // half a pixel and less rounds to nearest
    EXPECT_EQ(TwipsToPixels(8, 96), 1);
}

struct Typed {
    std::string_view button;
    bool shift;
    std::string expected;  // what the host receives, waits left out
};

std::string StripWaits(std::string s) {
    for (std::size_t p; (p = s.find("[wait")) != std::string::npos;) s.erase(p, s.find(']', p) - p + 1);
    return s;
}

TEST(MenuCommands, ButtonsTypeTheirLinesWithTheShiftVariantAfterTheOpening) {
    const std::string open = testing::kActivateHost;
    const Typed cases[] = {
        {"Line_Poinr2", false, open + "^CLINE ASSIST TWO_PTS\r"},
        {"Line_Poinr2", true, open + "^CLINE TWO_PTS\r"},
        {"Dim_Line_HORIZONTAL", true, open + "^CDIM_LINE HORIZONTAL CLEAR_PREFIX\r"},
        {"TEXT_SIZE", true, open + "^CTEXT_SIZE\r"},
        {"C_BULE", true, open + "^CCHANGE_DIM_TEXT_AND_LINE_COLOR BLUE\r"},
        {"MODIFY_MIRROR_VERTIAL", true, open + "^CMODIFY ASSIST COPY MIRROR VERTICAL\r"},
        {"CM_END", true, open + "END\r"},
        {"CLIP_COPY", false, open + "COPY_TO_CLIPBOARD\r"},
        {"Fillet_Delete", false, open + "^CCHANGE_FILLET\r0\r"},
        {"TEXT_INPUT", true, open + "^CTEXT\r'"},
        {"ZERO", false, open + "^CC_LINE HORIZONTAL 0,0\rC_LINE VERTICAL 0,0\rTm_window_fit\r^C"},
        {"ADD_FAI", false, open + "^Cadd_dim_prefix #14'1'#15 end\r"},
        {"LINE_c_dash_d", false, open + "^Cvetra_line_change 'c_dash_d' 1\r"},
        {"Command10", true, ""},
        {"C_EXTEND", false, ""},
    };
    for (const Typed& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.shift ? " +shift" : ""));
        FakeDesktop desktop;
        desktop.shift = c.shift;
        MenuModel menu(desktop);
        MemorySettingsStore store;
        ASSERT_TRUE(menu.LoadSettingsAtStart(store, "C:\\k"));
        menu.RunCommand(kCommands[*FindCommand(c.button)]);
        EXPECT_EQ(StripWaits(desktop.transcript), c.expected);
    }
}

TEST(MenuCommands, EveryTypingRowPlansOnlyPlainCharacters) {
    for (const CommandRow& row : kCommands) {
        for (bool shift : {false, true}) {
            const CommandPlan plan = PlanCommand(row, shift);
            for (std::size_t i = 0; i < plan.count; ++i) {
                if (plan.steps[i].kind != Step::Kind::Text) continue;
                for (char ch : plan.steps[i].text) {
                    const bool plain = std::isalnum(static_cast<unsigned char>(ch)) ||
                                       std::string_view(" _'#,.-").find(ch) != std::string_view::npos;
                    EXPECT_TRUE(plain) << row.button << ": " << plan.steps[i].text;
                }
            }
        }
    }
}

TEST(MenuCommands, WithNoHostEachTypingRowShowsTheMessageOnceAndTypesNothing) {
    for (const CommandRow& row : kCommands) {
        if (row.behaviour != Behaviour::Plain && row.behaviour != Behaviour::Sequence) continue;
        FakeDesktop desktop;
        desktop.windows.clear();
        MenuModel menu(desktop);
        MemorySettingsStore store;
        menu.LoadSettingsAtStart(store, "C:\\k");
        menu.RunCommand(row);
        // No window has the title: nothing is asked of the system, the one message shows.
        EXPECT_EQ(desktop.transcript, "[message 始めにアプリの設定または起動してください。|Keloメニュー|48]")
            << row.button;
        EXPECT_TRUE(desktop.events.empty());
    }
}

TEST(MenuLifecycle, StartTypesTheStartupCommandSilentlyAndCloseStoresOnlyAfterAGoodStart) {
    FakeDesktop desktop;
    MenuModel menu(desktop);
    MemorySettingsStore store;
    ASSERT_TRUE(menu.LoadSettingsAtStart(store, "C:\\k"));
    menu.SendStartupCommand();
    EXPECT_EQ(StripWaits(desktop.transcript), testing::kActivateHost + "^CDIM_CATCH_ANGLE 1\r");

    FakeDesktop noHost;
    noHost.windows.clear();
    MenuModel quiet(noHost);
    quiet.LoadSettingsAtStart(store, "C:\\k");
    quiet.SendStartupCommand();
    EXPECT_EQ(noHost.transcript.find("[message"), std::string::npos);

    MemorySettingsStore bad;
    bad.values = {"Mine", "0.2", "abc", "True", "P", "Q"};
    MenuModel failed(desktop);
    EXPECT_FALSE(failed.LoadSettingsAtStart(bad, "C:\\k"));
    failed.Menu_Form_Unload(bad);
    EXPECT_TRUE(bad.writeLog.empty());
    EXPECT_EQ(*bad.values[2], "abc");
}

TEST(MenuLifecycle, ExtendToggleSwitchesHeightCaptionAndTip) {
    FakeDesktop desktop;
    MenuModel menu(desktop);
    MemorySettingsStore store;
    menu.LoadSettingsAtStart(store, "C:\\k");
    const ExtendLook looks[] = {{1650, "▼", "アイコンを拡張します。"},
                                {2160, "▲", "アイコンを縮小します。"},
                                {1650, "▼", "アイコンを拡張します。"}};
    for (const ExtendLook& want : looks) {
        const ExtendLook got = menu.Look();
        EXPECT_EQ(got.heightTwips, want.heightTwips);
        EXPECT_EQ(got.caption, want.caption);
        EXPECT_EQ(got.tip, want.tip);
        menu.Menu_C_EXTEND_Click();
    }
    menu.Menu_Form_Unload(store);
    EXPECT_EQ(*store.values[3], "True");
}

}  // namespace
}  // namespace kelo
