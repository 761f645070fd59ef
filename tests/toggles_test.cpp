// The display toggles, the new-drawing question and the launcher paths.
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "text/Texts.h"
#include "toolbar/Launchers.h"
#include "toolbar/NewFile.h"
#include "toolbar/Settings.h"
#include "toolbar/Toggles.h"

namespace kelo {
namespace {

using testing::FakeDesktop;

const std::string& kActivate = testing::kActivateHost;
const std::string kFailure =
    "[message " + std::string(texts::kStartHostFirst) + "|" + std::string(texts::kMenuMessageTitle) + "|48]";

// Writes each change of look into the desktop's transcript, so that its
// place among the keystrokes shows.
class RecordingView : public ButtonLookView {
   public:
    explicit RecordingView(std::string& transcript) : transcript_(transcript) {}
    void SetButtonLook(std::string_view button, ButtonBack back, std::string_view tip) override {
        const char* backs[] = {"as laid out", "light cyan", "button face"};
        transcript_ += "[look " + std::string(button) + " " + backs[static_cast<int>(back)] + "|" + std::string(tip) +
                       "]";
    }

   private:
    std::string& transcript_;
};

std::string StripWaits(std::string s) {
    for (std::size_t p; (p = s.find("[wait")) != std::string::npos;) s.erase(p, s.find(']', p) - p + 1);
    return s;
}

std::string Look(std::string_view button, const char* back, std::string_view tip) {
    return "[look " + std::string(button) + " " + back + "|" + std::string(tip) + "]";
}

struct Rig {
    FakeDesktop desktop;
    ChannelSettings settings{testing::kHost, "0.1", 0.1f};
    HostChannel channel{desktop, settings};
    RecordingView view{desktop.transcript};
    Toggles toggles{channel, view};
};

TEST(Toggles, EachToggleFlipsItsOwnStateOnly) {
    enum Button { kDot, kSpot };
    struct Step {
        Button click;
        std::string typed;  // waits left out
        bool dotGridOn;
        bool spotlightOn;
    };
    const Step steps[] = {
        {kDot, "DOT_GRID ON" + Look("DOT_GRID", "light cyan", texts::kDotGridSwitchOffTip), true, false},
        {kSpot, "SPOTLIGHT ON" + Look("SPOTLIGHT", "light cyan", texts::kSpotlightSwitchOffTip), true, true},
        {kDot, "DOT_GRID OFF" + Look("DOT_GRID", "button face", texts::kDotGridSwitchOnTip), false, true},
        {kDot, "DOT_GRID ON" + Look("DOT_GRID", "light cyan", texts::kDotGridSwitchOffTip), true, true},
        {kSpot, "SPOTLIGHT OFF" + Look("SPOTLIGHT", "button face", texts::kSpotlightSwitchOnTip), true, false},
        {kSpot, "SPOTLIGHT ON" + Look("SPOTLIGHT", "light cyan", texts::kSpotlightSwitchOffTip), true, true},
    };
    Rig rig;
    EXPECT_FALSE(rig.toggles.DotGridOn());
    EXPECT_FALSE(rig.toggles.SpotlightOn());
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        rig.desktop.transcript.clear();
        rig.desktop.foreground.clear();  // the click on the toolbar took the foreground
        if (steps[i].click == kDot)
            rig.toggles.Menu_DOT_GRID_Click();
        else
            rig.toggles.Menu_SPOTLIGHT_Click();
        EXPECT_EQ(StripWaits(rig.desktop.transcript), kActivate + "^C" + steps[i].typed + "\r");
        EXPECT_EQ(rig.toggles.DotGridOn(), steps[i].dotGridOn);
        EXPECT_EQ(rig.toggles.SpotlightOn(), steps[i].spotlightOn);
    }
}

TEST(Toggles, FailedActivationLeavesFlagColourAndTipAsTheyWere) {
    Rig rig;
    rig.toggles.Menu_SPOTLIGHT_Click();  // on
    const auto host = rig.desktop.windows;
    rig.desktop.windows.clear();
    rig.desktop.transcript.clear();
    rig.toggles.Menu_SPOTLIGHT_Click();
    rig.toggles.Menu_DOT_GRID_Click();
    EXPECT_EQ(rig.desktop.transcript, kFailure + kFailure);
    EXPECT_TRUE(rig.toggles.SpotlightOn());
    EXPECT_FALSE(rig.toggles.DotGridOn());

    rig.desktop.windows = host;
    rig.desktop.transcript.clear();
    rig.desktop.foreground.clear();
    rig.toggles.Menu_DOT_GRID_Click();
    rig.desktop.foreground.clear();
    rig.toggles.Menu_SPOTLIGHT_Click();
    EXPECT_EQ(StripWaits(rig.desktop.transcript),
              kActivate + "^CDOT_GRID ON" + Look("DOT_GRID", "light cyan", texts::kDotGridSwitchOffTip) + "\r" +
                  kActivate + "^CSPOTLIGHT OFF" + Look("SPOTLIGHT", "button face", texts::kSpotlightSwitchOnTip) +
                  "\r");
}

TEST(NewFile, AsksFirstAndResetsOnlyOnYes) {
    const std::string question =
        "[message " + std::string(texts::kNewFileQuestion) + "|" + std::string(texts::kNewFileTitle) + "|4]";
    struct Case {
        const char* name;
        MessageAnswer answer;
        bool hostRunning;
        std::string transcript;
        bool reset;
    };
    const Case cases[] = {
        {"yes", MessageAnswer::Yes, true,
         question + kActivate + "[wait 0.1]^C[wait 0.1]RESET_SYSTEM\r[wait 0.1]CONFIRM\r[wait 0.1]", true},
        {"no", MessageAnswer::No, true, question, false},
        {"no, without a host", MessageAnswer::No, false, question, false},
        {"yes, without a host", MessageAnswer::Yes, false, question + kFailure, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.desktop.answer = c.answer;
        if (!c.hostRunning) rig.desktop.windows.clear();
        EXPECT_EQ(Menu_NEW_FILE_Click(rig.channel), c.reset);
        EXPECT_EQ(rig.desktop.transcript, c.transcript);
    }
}

TEST(Launchers, FilesLieBesideTheProgramWithOneSeparator) {
    struct Case {
        std::string exe;
        std::string folder;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Kelo\\KeloMenu.exe", "C:\\Program Files\\Kelo"},
        {"C:\\KeloMenu.exe", "C:\\"},
        {"\\\\server\\tools\\KeloMenu.exe", "\\\\server\\tools"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exe);
        const std::string folder = FolderOf(c.exe);
        const std::string root = c.folder.back() == '\\' ? c.folder : c.folder + "\\";
        EXPECT_EQ(ManualPath(folder), root + "Keloメニュー マニュアル.pdf");
        EXPECT_EQ(CalculatorPath(folder), root + "KeloCalculator.EXE");
    }
    const std::string message = CalculatorNotStartedMessage("C:\\Kelo\\KeloCalculator.EXE");
    EXPECT_EQ(message, std::string(texts::kCalculatorNotStarted) + "\nC:\\Kelo\\KeloCalculator.EXE");
}

}  // namespace
}  // namespace kelo
