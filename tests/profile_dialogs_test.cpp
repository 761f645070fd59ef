#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "channel/HostChannel.h"
#include "channel/Texts.h"
#include "channel/Utf.h"
#include "profiles/FaceDialog.h"
#include "profiles/LongDialog.h"
#include "profiles/NumberRules.h"
#include "profiles/ProfileDialogs.h"
#include "profiles/TaperDialog.h"

namespace kelo {
namespace {

struct Message {
    std::string text, title;
    MessageStyle style;
    std::string typedBefore;  // what the host had received when it showed
};

// A desktop whose host types every character as Unicode; the injected events
// are turned back into what the host would read ("<^C>" for Ctrl+C,
// "<Enter>" for the Enter key).
class FakeDesktop : public Desktop {
   public:
    bool hostOpen = true;
    std::string typed;
    std::vector<Message> messages;

    bool ActivateWindow(std::string_view) override { return hostOpen; }
    bool ForegroundIsHost(std::string_view) override { return hostOpen; }
    Layout ForegroundLayout() override {
        return [](char16_t) { return std::optional<LayoutKey>{}; };
    }
    std::uint8_t HeldModifiers() override { return 0; }
    void Inject(std::span<const KeyEvent> events) override {
        for (const auto& e : events) {
            if (e.unicode) {
                if (!e.up) typed += Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(e.scan)));
            } else if (e.vkey == vk::kControl || e.vkey == vk::kLControl || e.vkey == vk::kRControl) {
                ctrl_ = !e.up;
            } else if (!e.up && e.vkey == vk::kReturn) {
                typed += "<Enter>";
            } else if (!e.up && ctrl_ && e.vkey == 'C') {
                typed += "<^C>";
            } else if (!e.up) {
                typed += "<?>";
            }
        }
    }
    bool ShiftDown() override { return false; }
    Clock::time_point Now() override { return now_; }
    void ProcessEventsUntil(Clock::time_point deadline) override { now_ = deadline; }
    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        messages.push_back({std::string(text), std::string(title), style, typed});
        return MessageAnswer::Ok;
    }

   private:
    bool ctrl_ = false;
    Clock::time_point now_{};
};

// The window side as the Win32 view plays it, with a person at the keyboard.
class Rig : public ProfileView {
   public:
    FakeDesktop desktop;
    ChannelSettings settings{"Host", "0", 0.0f};
    HostChannel channel{desktop, settings};
    ProfileState state;
    std::unique_ptr<ProfileDialog> dialog;
    std::vector<std::string> focus;
    std::map<int, std::string> shown;  // what the boxes on screen hold
    bool closed = false;

    Rig() { InitProfileState(state); }

    void Open(ProfileDialogKind kind) {
        closed = false;
        focus.clear();
        shown.clear();
        dialog = MakeProfileDialog(kind, state, channel, *this);
        dialog->FormLoad();
        dialog->FormActivate();
    }
    // Types `text` into box `box` one keystroke at a time, after clearing it.
    void Type(int box, const std::string& text) {
        Edit(box, "");
        for (std::size_t n = 1; n <= text.size(); ++n) Edit(box, text.substr(0, n));
    }
    void Edit(int box, const std::string& text) {
        if (dialog->BoxText(box) == text) return;  // an edit box reports no change then
        shown[box] = text;
        dialog->UserChangedText(box, text);
    }
    // Fills boxes 1.. in order; nullptr leaves a box as it is.
    void Fill(std::initializer_list<const char*> texts) {
        int box = 1;
        for (const char* text : texts) {
            if (text != nullptr) Type(box, text);
            ++box;
        }
    }
    std::string Box(int box) const { return dialog->BoxText(box); }

    MessageAnswer ShowMessage(std::string_view text, std::string_view title, MessageStyle style) override {
        return channel.desktop().ShowMessage(text, title, style);
    }
    void MoveFocus(std::string_view control) override { focus.emplace_back(control); }
    void Close() override { closed = true; }
    void ShowBoxText(int box, std::string_view text) override { shown[box] = std::string(text); }
};

const std::string kTrap = std::string(texts::kStartHostFirst);

// ---- the face dialog --------------------------------------------------------

TEST(FaceDialog, OpensAtTheCurrentStartPointWithEndXFocused) {
    Rig rig;
    rig.Open(ProfileDialogKind::Face);
    EXPECT_EQ(rig.Box(1), "0");
    EXPECT_EQ(rig.Box(2), "0");
    EXPECT_EQ(rig.Box(3), "");
    EXPECT_EQ(rig.shown, (std::map<int, std::string>{{1, "0"}, {2, "0"}, {3, ""}}));
    EXPECT_EQ(rig.focus, std::vector<std::string>{"Text3"});
}

TEST(FaceDialog, OkTypesTheLineAndChainsTheEndPoint) {
    const struct {
        const char *x, *z, *endX, *line;
    } cases[] = {
        {"100", "0", "60", "<^C>LINE TWO_PTS 0,50 0,30<Enter><^C>"},
        {"100", "5.0", "60", "<^C>LINE TWO_PTS 5.0,50 5,30<Enter><^C>"},  // start Z as typed, end Z as a number
        {"25.5", "0", "0.3", "<^C>LINE TWO_PTS 0,12.75 0,0.15<Enter><^C>"},
        {" 100 ", "-1E1", "60", "<^C>LINE TWO_PTS -1E1,50 -10,30<Enter><^C>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Rig rig;
        rig.Open(ProfileDialogKind::Face);
        rig.Fill({c.x, c.z, c.endX});
        rig.dialog->OkClick();
        EXPECT_EQ(rig.desktop.typed, c.line);
        EXPECT_TRUE(rig.desktop.messages.empty());
        EXPECT_TRUE(rig.closed);
        EXPECT_EQ(rig.state.StartX, TextOrNumber(c.endX));
        EXPECT_EQ(rig.state.StartZ, TextOrNumber(ParseNumber(c.z)));
    }
}

TEST(FaceDialog, NextDialogStartsWhereTheLastEnded) {
    Rig rig;
    rig.Open(ProfileDialogKind::Face);
    rig.Fill({"100", "0", "60"});
    rig.dialog->OkClick();
    for (auto kind : {ProfileDialogKind::Face, ProfileDialogKind::Long, ProfileDialogKind::Taper}) {
        rig.Open(kind);
        EXPECT_EQ(rig.Box(1), "60");
        EXPECT_EQ(rig.Box(2), "0");
    }
}

// Each required box is checked in order; the boxes before it are stored already.
TEST(FaceDialog, EmptyRequiredBoxShowsItsMessageAndKeepsTheDialog) {
    const struct {
        const char *x, *z, *endX;
        std::string_view message;
        TextOrNumber startX, startZ;
    } cases[] = {
        {"", "", "", texts::kStartXMissing, 0.0, 0.0},
        {"80", "", "", texts::kStartZMissing, "80", 0.0},
        {"80", "3", "", texts::kEndXMissing, "80", "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.message));
        Rig rig;
        rig.Open(ProfileDialogKind::Face);
        rig.Type(1, c.x);
        rig.Type(2, c.z);
        rig.Type(3, c.endX);
        rig.dialog->OkClick();
        ASSERT_EQ(rig.desktop.messages.size(), 1u);
        EXPECT_EQ(rig.desktop.messages[0].text, c.message);
        EXPECT_EQ(rig.desktop.messages[0].title, "端面");
        EXPECT_EQ(rig.desktop.messages[0].style, MessageStyle::Exclamation);
        EXPECT_EQ(rig.desktop.typed, "");
        EXPECT_FALSE(rig.closed);
        EXPECT_EQ(rig.focus, std::vector<std::string>{"Text3"});  // only the opening moved it
        EXPECT_EQ(rig.state.StartX, c.startX);
        EXPECT_EQ(rig.state.StartZ, c.startZ);

        rig.dialog->CancelClick();  // keeps what the check stored
        EXPECT_TRUE(rig.closed);
        rig.Open(ProfileDialogKind::Face);
        EXPECT_EQ(rig.Box(1), c.startX.AsText());
    }
}

// The trap's message, and how much of the line was typed before the error.
TEST(FaceDialog, ErrorsShowTheChannelMessageWhereTheyArise) {
    const struct {
        const char *x, *z, *endX;
        bool hostOpen;
        const char* typedBefore;
    } cases[] = {
        {"100", "abc", "", false, ""},  // the start Z is read before the end X is tested
        {"100", "abc", "", true, ""},
        {"100", " ", "60", true, ""},  // a blank passes the check, not the reading
        {"100", "0", "60", false, ""},
        {"abc", "0", "60", true, "<^C>LINE TWO_PTS 0,"},
        {"100", "0", "6x", true, "<^C>LINE TWO_PTS 0,50 0,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.x) + "|" + c.z + "|" + c.endX);
        Rig rig;
        rig.desktop.hostOpen = c.hostOpen;
        rig.Open(ProfileDialogKind::Face);
        rig.Fill({c.x, c.z, c.endX});
        rig.dialog->OkClick();
        ASSERT_EQ(rig.desktop.messages.size(), 1u);
        EXPECT_EQ(rig.desktop.messages[0].text, kTrap);
        EXPECT_EQ(rig.desktop.messages[0].title, "Keloメニュー");
        EXPECT_EQ(rig.desktop.messages[0].style, MessageStyle::Exclamation);
        EXPECT_EQ(rig.desktop.typed, c.typedBefore);
        EXPECT_FALSE(rig.closed);
    }
}

TEST(FaceDialog, CancelLeavesTheStateAlone) {
    Rig rig;
    rig.Open(ProfileDialogKind::Face);
    rig.Fill({"5", "6", "7"});
    rig.dialog->CancelClick();
    EXPECT_TRUE(rig.closed);
    EXPECT_EQ(rig.desktop.typed, "");
    rig.Open(ProfileDialogKind::Face);
    EXPECT_EQ(rig.Box(1), "0");
    EXPECT_EQ(rig.Box(2), "0");
}

// ---- the Enter chain of every dialog -----------------------------------------

TEST(ProfileDialogs, EnterWalksTheChainToOkWithoutPressingIt) {
    const struct {
        ProfileDialogKind kind;
        std::vector<std::string> chain;
    } cases[] = {
        {ProfileDialogKind::Face, {"Text2", "Text3", "OKButton"}},
        {ProfileDialogKind::Long, {"Text2", "Text3", "Text4", "OKButton"}},
        {ProfileDialogKind::Taper, {"Text2", "Text3", "Text4", "Text5", "Text6", "OKButton"}},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.Open(c.kind);
        SCOPED_TRACE(std::string(rig.dialog->layout().name));
        rig.focus.clear();
        for (int box = 1; box <= static_cast<int>(c.chain.size()); ++box) {
            rig.dialog->KeyPress(box, u'a');  // other keys are left to the box
            rig.dialog->KeyPress(box, u'\n');
            rig.dialog->KeyPress(box, u'\r');
        }
        EXPECT_EQ(rig.focus, c.chain);
        EXPECT_EQ(rig.desktop.typed, "");
        EXPECT_FALSE(rig.closed);
    }
}

TEST(ProfileDialogs, ControlTablesAreConsistent) {
    for (const DialogLayout* dialog : {&kFaceLayout, &kLongLayout, &kTaperLayout}) {
        SCOPED_TRACE(std::string(dialog->name));
        std::vector<int> tabs;
        for (const auto& row : dialog->controls) {
            EXPECT_LE(row.left + row.width, dialog->clientWidth);
            EXPECT_LE(row.top + row.height, dialog->clientHeight);
            if (row.kind == ControlKind::Text) {
                EXPECT_NE(FindControl(*dialog, row.enterTarget), nullptr);
            }
            if (row.kind != ControlKind::Label) tabs.push_back(row.tabIndex);
        }
        std::sort(tabs.begin(), tabs.end());
        EXPECT_EQ(std::adjacent_find(tabs.begin(), tabs.end()), tabs.end());
        EXPECT_EQ(tabs.front(), 0);
        EXPECT_EQ(FindControl(*dialog, "OKButton")->tabIndex, 0);
    }
}

// ---- the longitudinal dialog ------------------------------------------------

TEST(LongDialog, OpensWithEmptyRelativeAndEndZ) {
    Rig rig;
    rig.Open(ProfileDialogKind::Long);
    EXPECT_EQ(rig.Box(1), "0");
    EXPECT_EQ(rig.Box(2), "0");
    EXPECT_EQ(rig.Box(3), "");
    EXPECT_EQ(rig.Box(4), "");
    EXPECT_EQ(rig.shown[4], "");
    EXPECT_EQ(rig.focus, std::vector<std::string>{"Text3"});
}

TEST(LongDialog, RelativeZRefillsEndZOnEveryKeystroke) {
    const struct {
        const char* startZ;
        const char* relative;
        std::vector<std::string> endZ;  // after each keystroke
    } cases[] = {
        {"0", "-25", {"0", "-2", "-25"}},
        {"10", "-25", {"10", "8", "-15"}},
        {"1000", "0.0001", {"1000", "1000", "1000", "1000", "1000", "1000"}},
        {"-25", "17.3205", {"-24", "-8", "-8", "-7.7", "-7.68", "-7.68", "-7.6795"}},
        {"abc", "5mm", {"5", "5", "5"}},
        {"3", "1E39", {"4", "4", "1003", "1003"}},  // beyond single precision: end Z kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.startZ) + " + " + c.relative);
        Rig rig;
        rig.Open(ProfileDialogKind::Long);
        rig.Type(2, c.startZ);
        std::vector<std::string> seen;
        const std::string relative = c.relative;
        for (std::size_t n = 1; n <= relative.size(); ++n) {
            rig.Edit(3, relative.substr(0, n));
            seen.push_back(rig.Box(4));
            EXPECT_EQ(rig.shown[4], rig.Box(4));
        }
        EXPECT_EQ(seen, c.endZ);
    }
}

TEST(LongDialog, EmptiedRelativeZGivesStartZAndStartZAloneChangesNothing) {
    Rig rig;
    rig.Open(ProfileDialogKind::Long);
    rig.Type(2, "12.5");
    EXPECT_EQ(rig.Box(4), "");  // a change of start Z does not update end Z
    rig.Type(3, "4");
    EXPECT_EQ(rig.Box(4), "16.5");
    rig.Type(4, "99");  // typed by hand, then overwritten by the next relative change
    rig.Edit(3, "");
    EXPECT_EQ(rig.Box(4), "12.5");
}

TEST(LongDialog, OkTypesTheLine) {
    const struct {
        const char *x, *z, *relative, *endZ, *line;
        TextOrNumber startX, startZ;
    } cases[] = {
        {"60", "0", "-25", nullptr, "<^C>LINE TWO_PTS 0,30 -25,30<Enter><^C>", "60", -25.0},
        {"60", "0", nullptr, "-25.50", "<^C>LINE TWO_PTS 0,30 -25.5,30<Enter><^C>", "60", -25.5},
        {"60", "abc", nullptr, "10", "<^C>LINE TWO_PTS abc,30 10,30<Enter><^C>", "60", 10.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Rig rig;
        rig.Open(ProfileDialogKind::Long);
        rig.Fill({c.x, c.z, c.relative, c.endZ});
        rig.dialog->OkClick();
        EXPECT_EQ(rig.desktop.typed, c.line);
        EXPECT_TRUE(rig.desktop.messages.empty());
        EXPECT_TRUE(rig.closed);
        EXPECT_EQ(rig.state.StartX, c.startX);
        EXPECT_EQ(rig.state.StartZ, c.startZ);
    }
}

TEST(LongDialog, OkChecksAndErrors) {
    const struct {
        const char *x, *z, *endZ;
        std::string message, title, typed;
        TextOrNumber startX, startZ;
    } cases[] = {
        {"", "0", "5", std::string(texts::kStartXMissing), "長手", "", 0.0, 0.0},
        {"60", "", "5", std::string(texts::kStartZMissing), "長手", "", "60", 0.0},
        {"60", "7", "", std::string(texts::kEndZMissing), "長手", "", "60", "7"},
        {"60", "7", "abc", kTrap, "Keloメニュー", "", "60", "7"},
        {"6o", "7", "5", kTrap, "Keloメニュー", "<^C>LINE TWO_PTS 7,", "6o", "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Rig rig;
        rig.Open(ProfileDialogKind::Long);
        rig.Type(1, c.x);
        rig.Type(2, c.z);
        rig.Type(4, c.endZ);
        rig.dialog->OkClick();
        ASSERT_EQ(rig.desktop.messages.size(), 1u);
        EXPECT_EQ(rig.desktop.messages[0].text, c.message);
        EXPECT_EQ(rig.desktop.messages[0].title, c.title);
        EXPECT_EQ(rig.desktop.typed, c.typed);
        EXPECT_FALSE(rig.closed);
        EXPECT_EQ(rig.state.StartX, c.startX);
        EXPECT_EQ(rig.state.StartZ, c.startZ);
    }
}

// ---- the taper dialog -------------------------------------------------------

TEST(TaperDialog, OpensWithOnlyTheStartPoint) {
    Rig rig;
    rig.Open(ProfileDialogKind::Taper);
    for (int box = 3; box <= 6; ++box) EXPECT_EQ(rig.Box(box), "");
    EXPECT_EQ(rig.focus, std::vector<std::string>{"Text3"});
}

TEST(TaperDialog, LeavingEndXComputesEndZFromTheAngle) {
    const struct {
        const char *x, *z, *angle, *endX, *endZ;  // endZ: nullptr when nothing may change
    } cases[] = {
        {"60", "-25", "30", "80", "-7.6794"},
        {"60", "0", "45", "80", "10.0001"},  // the margin
        {"60", "0", "90", "80", "0.0001"},   // the converted 90 degrees has a finite tangent
        {"60", "0", "-45", "80", "-9.9999"},
        {"60", "0", "0", "80", nullptr},     // tangent zero
        {"60", "0", "abc", "80", nullptr},
        {"60", "0", " ", "80", nullptr},     // a blank reads as 0
        {"60", "0", "45", "", nullptr},
        {"", "0", "45", "80", nullptr},
        {"-1E308", "0", "45", "1E308", nullptr},  // overflow
        {"0", "0", "1E400", "10", nullptr},       // no finite angle
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.x) + "|" + c.z + "|" + c.angle + "|" + c.endX);
        Rig rig;
        rig.Open(ProfileDialogKind::Taper);
        rig.Fill({c.x, c.z, c.angle, c.endX, nullptr, "keep"});
        rig.dialog->LostFocus(4);
        EXPECT_EQ(rig.Box(6), c.endZ ? c.endZ : "keep");
        EXPECT_EQ(rig.shown[6], rig.Box(6));
        EXPECT_EQ(rig.Box(5), "");  // the relative Z is not updated
        EXPECT_TRUE(rig.desktop.messages.empty());
    }
}

TEST(TaperDialog, LeavingEndZComputesTheAngleOrEndX) {
    const struct {
        const char *x, *z, *angle, *endX, *relative, *endZ;  // endZ nullptr: what relative Z gave
        const char *angleAfter, *endXAfter;
    } cases[] = {
        {"100", "0", "", "150", "-25", nullptr, "135.0001", "150"},
        {"100", "0", "", "50", "-25", nullptr, "-134.9999", "50"},
        {"100", "0", "", "100", "-25", nullptr, "0.0001", "100"},
        {"100", "0", "", "150", "25", nullptr, "45.0001", "150"},
        {"100", "0", "", "50", "25", nullptr, "-44.9999", "50"},
        {"60", "-25", "30", "", "17.3205", nullptr, "30", "80.0001"},
        {"60", "-25", "30", "99", "17.3205", nullptr, "30", "80.0001"},  // overwrites a typed end X
        {"60", "0", "30", "", "", "10", "30", ""},                       // end Z typed directly: nothing
        {"100", "0", "", "150", "0", nullptr, "", "150"},                // zero change of Z
        {"60", "0", "", "", "5", nullptr, "", ""},                       // neither angle nor end X
        {"60", "0", "45", "", "5", "1E308", "45", ""},                   // overflow
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.x) + "|" + c.z + "|" + c.angle + "|" + c.endX + "|" + c.relative);
        Rig rig;
        rig.Open(ProfileDialogKind::Taper);
        rig.Fill({c.x, c.z, c.angle, c.endX, c.relative, c.endZ});
        rig.dialog->LostFocus(6);
        EXPECT_EQ(rig.Box(3), c.angleAfter);
        EXPECT_EQ(rig.Box(4), c.endXAfter);
        EXPECT_EQ(rig.shown[3], rig.Box(3));
        EXPECT_EQ(rig.shown[4], rig.Box(4));
    }
}

TEST(TaperDialog, RelativeZRefillsEndZ) {
    Rig rig;
    rig.Open(ProfileDialogKind::Taper);
    rig.Fill({"60", "-25", nullptr, nullptr, "17.3205"});
    EXPECT_EQ(rig.Box(6), "-7.6795");
    rig.Type(2, "1000");
    rig.Type(5, "0.0001");
    EXPECT_EQ(rig.Box(6), "1000");
    rig.Edit(5, "");
    EXPECT_EQ(rig.Box(6), "1000");
}

TEST(TaperDialog, OkSendsTheComputedEndPoint) {
    Rig rig;
    rig.Open(ProfileDialogKind::Taper);
    rig.Fill({"60", "-25", "30", "80"});
    rig.dialog->LostFocus(4);  // a click on OK leaves end X first
    rig.dialog->OkClick();
    EXPECT_EQ(rig.desktop.typed, "<^C>LINE TWO_PTS -25,30 -7.6794,40<Enter><^C>");
    EXPECT_TRUE(rig.closed);
    EXPECT_EQ(rig.state.StartX, TextOrNumber("80"));
    EXPECT_EQ(rig.state.StartZ, TextOrNumber(-7.6794));
}

TEST(TaperDialog, OkReadsOnlyItsFourBoxes) {
    Rig rig;
    rig.Open(ProfileDialogKind::Taper);
    rig.Fill({"10", "2", "abc", "20", nullptr, "7"});
    rig.Edit(5, "");
    rig.Type(6, "7");
    rig.dialog->OkClick();
    EXPECT_EQ(rig.desktop.typed, "<^C>LINE TWO_PTS 2,5 7,10<Enter><^C>");
}

TEST(TaperDialog, OkChecksAndErrors) {
    const struct {
        const char *x, *z, *endX, *endZ;
        std::string message, title, typed;
    } cases[] = {
        {"", "0", "1", "2", std::string(texts::kStartXMissing), "テーパー", ""},
        {"1", "", "1", "2", std::string(texts::kStartZMissing), "テーパー", ""},
        {"1", "0", "", "2", std::string(texts::kEndXMissing), "テーパー", ""},
        {"1", "0", "3", "", std::string(texts::kEndZMissing), "テーパー", ""},
        {"1", "0", "3", "z", kTrap, "Keloメニュー", ""},
        {"1", "0", "x", "2", kTrap, "Keloメニュー", "<^C>LINE TWO_PTS 0,0.5 2,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Rig rig;
        rig.Open(ProfileDialogKind::Taper);
        rig.Fill({c.x, c.z, nullptr, c.endX, nullptr, c.endZ});
        rig.Edit(6, c.endZ);
        rig.dialog->OkClick();
        ASSERT_EQ(rig.desktop.messages.size(), 1u);
        EXPECT_EQ(rig.desktop.messages[0].text, c.message);
        EXPECT_EQ(rig.desktop.messages[0].title, c.title);
        EXPECT_EQ(rig.desktop.typed, c.typed);
        EXPECT_FALSE(rig.closed);
    }
    // An empty end Z: the boxes checked before it are stored already.
    Rig rig;
    rig.Open(ProfileDialogKind::Taper);
    rig.Fill({"1", "2", nullptr, "3"});
    rig.dialog->OkClick();
    EXPECT_EQ(rig.state.StartX, TextOrNumber("1"));
    EXPECT_EQ(rig.state.StartZ, TextOrNumber("2"));
    EXPECT_EQ(rig.state.EndX, TextOrNumber("3"));
}

}  // namespace
}  // namespace kelo
