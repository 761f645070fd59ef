// The host command channel through its public operations, over a recording desktop.
#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "channel/HostChannel.h"
#include "text/Texts.h"

namespace kelo {
namespace {

using testing::FakeDesktop;

const std::string kFailure = "[message 始めにアプリの設定または起動してください。|Keloメニュー|48]";
std::string Said(std::string_view text) { return "[message " + std::string(text) + "|Keloメニュー|48]"; }

struct Fixture {
    FakeDesktop desktop;
    ChannelSettings settings{std::string(texts::kDefaultHostTitle), "0.1", 0.1f};
    HostChannel channel{desktop, settings};
};

TEST(HostChannel, PlainCommandFrameRunsItsStepsInOrder) {
    Fixture f;
    EXPECT_TRUE(RunHostCommand(f.channel, [&] {
        f.channel.BeginHostCommand();
        f.channel.Type("LINE ASSIST TWO_PTS");
        f.channel.SendEnter();
    }));
    EXPECT_EQ(f.desktop.transcript,
              testing::kActivateHost + "[wait 0.1]^C[wait 0.1]LINE ASSIST TWO_PTS\r[wait 0.1]");
}

TEST(HostChannel, FailuresEndTheCommandWithTheOneMessage) {
    struct Case {
        const char* name;
        std::function<void(Fixture&)> arrange;
        std::string expected;
    };
    const Case cases[] = {
        {"no host window", [](Fixture& f) { f.desktop.windows.clear(); }, kFailure},
        {"empty title never matches", [](Fixture& f) { f.settings.appName.clear(); }, kFailure},
        {"Act. Time that is not a number", [](Fixture& f) { f.settings.dTime1 = "abc"; },
         testing::kActivateHost + kFailure},
        {"input blocked", [](Fixture& f) { f.desktop.blockInput = true; },
         testing::kActivateHost + "[wait 0.1]" + kFailure},
        // Not a missing host: the message says what to do, and nothing is typed.
        {"host's input method will not close", [](Fixture& f) { f.desktop.imeStaysOpen = true; },
         testing::kActivateHost + "[wait 0.1][message " + std::string(texts::kHostImeOpen) + "|Keloメニュー|48]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        c.arrange(f);
        EXPECT_FALSE(RunHostCommand(f.channel, [&] {
            f.channel.BeginHostCommand();
            f.channel.Type("LINE ASSIST TWO_PTS");
            f.channel.SendEnter();
        }));
        EXPECT_EQ(f.desktop.transcript, c.expected);
    }
}

TEST(HostChannel, HostWhoseTitleOnlyBeginsWithTheNameIsFound) {
    Fixture f;
    f.desktop.windows = {testing::kHost + " - [part1.mi]"};
    EXPECT_TRUE(RunHostCommand(f.channel, [&] { f.channel.ActivateHost(); }));
    EXPECT_EQ(f.desktop.foreground, testing::kHost + " - [part1.mi]");
}

TEST(HostChannel, WaitsReturnAtOnceForZeroOrLessAndReadTextEachTime) {
    struct Case {
        std::function<void(HostChannel&)> wait;
        int pumps;
        double seconds;
    };
    const Case cases[] = {
        {[](HostChannel& c) { c.WaitSeconds(0.0); }, 0, 0},
        {[](HostChannel& c) { c.WaitSeconds(-1.0); }, 0, 0},
        {[](HostChannel& c) { c.WaitSeconds(std::string_view("0.1")); }, 1, 0.1},
        {[](HostChannel& c) { c.WaitSeconds(std::string_view(" 2.5 ")); }, 1, 2.5},
        {[](HostChannel& c) { c.WaitSeconds(1e300); }, 1, 60},  // capped: a minute at most
    };
    for (const Case& c : cases) {
        Fixture f;
        const auto start = f.desktop.now;
        c.wait(f.channel);
        EXPECT_EQ(f.desktop.eventPumps, c.pumps);
        EXPECT_NEAR(std::chrono::duration<double>(f.desktop.now - start).count(), c.seconds, 1e-6);
    }
    Fixture f;
    EXPECT_THROW(f.channel.WaitSeconds(std::string_view("1,5x")), std::exception);
}

TEST(HostChannel, ForegroundTakenJustBeforeTypingBringsTheHostBackAndTypesOnce) {
    struct Case {
        int thefts;
        bool typed;
        std::string transcript;
    };
    const std::string again = "[stolen]" + testing::kActivateHost;
    const Case cases[] = {
        {1, true, again + "END"},
        {2, true, again + again + "END"},
        {3, false, again + again + "[stolen]"},  // a thief that always wins: nothing typed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.thefts);
        Fixture f;
        f.desktop.windows.push_back("Thief");
        f.channel.ActivateHost();
        f.desktop.transcript.clear();
        f.desktop.thefts = c.thefts;
        if (c.typed) {
            f.channel.Type("END");
        } else {
            EXPECT_THROW(f.channel.Type("END"), HostError);
        }
        EXPECT_EQ(f.desktop.transcript, c.transcript);
    }
}

TEST(HostChannel, KeyStringCutShortIsCancelledAndNoEnterRunsIt) {
    Fixture f;
    f.desktop.windows.push_back("Thief");
    EXPECT_FALSE(RunHostCommand(f.channel, [&] {
        f.channel.BeginHostCommand();
        f.desktop.cuts = 1;
        f.channel.Type("LINE ASSIST TWO_PTS");
        f.channel.SendEnter();
    }));
    EXPECT_EQ(f.desktop.transcript, testing::kActivateHost + "[wait 0.1]^C[wait 0.1]L[cut]" + testing::kActivateHost +
                                         "^C" + Said(texts::kHostForegroundTaken));
}

TEST(HostChannel, ForegroundGuardActivatesTheHostAgainBeforeTyping) {
    Fixture f;
    f.desktop.windows.push_back("Notepad");
    f.channel.ActivateHost();
    f.desktop.foreground = "Notepad";  // the user clicked elsewhere during the wait
    f.desktop.transcript.clear();
    f.channel.Type("END");
    EXPECT_EQ(f.desktop.transcript, testing::kActivateHost + "END");

    // The host is gone: nothing is typed into the other program.
    f.desktop.foreground = "Notepad";
    f.desktop.windows = {"Notepad"};
    f.desktop.transcript.clear();
    EXPECT_THROW(f.channel.Type("END"), std::exception);
    EXPECT_EQ(f.desktop.transcript, "");
}

// The foreground can go back to another window right after the host got it (the
// toolbar itself takes it back once its modal dialog has closed): the host is asked
// again, and a key string that found another window in front is sent again, as
// long as nothing of it was typed.
TEST(HostChannel, HostIsAskedAgainWhenTheForegroundGoesBack) {
    const struct {
        const char* name;
        int takeBack, thefts;
        bool typed;
        int activations;
    } cases[] = {
        {"taken back once after the request", 1, 0, true, 2},
        {"taken back for longer than the activation may take", 1000, 0, false, 20},  // every 50 ms for 1 s
        {"lost twice just before the keys", 0, 2, true, 3},
        {"lost at every try", 0, 3, false, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.settings.dTime1 = "0";
        f.desktop.takeBack = c.takeBack;
        f.desktop.thefts = c.thefts;
        const bool done = RunHostCommand(f.channel, [&] {
            f.channel.ActivateHost();
            f.channel.Type("END");
        });
        EXPECT_EQ(done, c.typed);
        const std::string& t = f.desktop.transcript;
        EXPECT_EQ(t.find("END") != std::string::npos, c.typed);
        // The host is there: the message says another window was in front, not that it is missing.
        EXPECT_EQ(t.find(texts::kHostForegroundTaken) != std::string::npos, !c.typed);
        int activations = 0;
        for (std::size_t p = 0; (p = t.find("[activate", p)) != std::string::npos; ++p) ++activations;
        EXPECT_EQ(activations, c.activations);
    }
}

TEST(HostChannel, SettingsChangesApplyFromTheNextCall) {
    Fixture f;
    f.desktop.windows.push_back("HostB");
    f.settings = {"HostB", "0.25", 0.5f};
    f.channel.BeginHostCommand();
    EXPECT_EQ(f.desktop.transcript, "[activate HostB][wait 0.25]^C[wait 0.5]");
}

TEST(HostChannel, ShiftTestReadsTheKeyStateWhenAsked) {
    Fixture f;
    EXPECT_FALSE(f.channel.IsShiftHeld());
    f.desktop.shift = true;
    EXPECT_TRUE(f.channel.IsShiftHeld());
}

TEST(HostChannel, NestedCommandRunsToItsEndInsideTheFirstOnesWait) {
    Fixture f;
    f.desktop.onWait = [&] {
        RunHostCommand(f.channel, [&] {
            f.channel.Type("SECOND");
            f.channel.SendEnter();
        });
    };
    RunHostCommand(f.channel, [&] {
        f.channel.ActivateHost();
        f.channel.Type("FIRST");
        f.channel.SendEnter();
    });
    EXPECT_EQ(f.desktop.transcript,
              testing::kActivateHost + "[wait 0.1]SECOND\r[wait 0.1]FIRST\r[wait 0.1]");
}

// The silent trap ends silently on what a command raises on purpose; a fault of the
// program's own is told as one by every trap, never as a missing host.
TEST(HostChannel, TrapsTellAFaultOfTheProgramsOwnAsOne) {
    Fixture f;
    f.desktop.windows.clear();
    EXPECT_FALSE(RunSilently(f.desktop, [&] { f.channel.BeginHostCommand(); }));
    EXPECT_EQ(f.desktop.transcript.find("[message"), std::string::npos);
    const auto fault = [] { throw std::logic_error("a bug"); };
    EXPECT_FALSE(RunSilently(f.desktop, fault));
    EXPECT_FALSE(RunHostCommand(f.channel, fault));
    RunEvent(f.desktop, fault);
    const std::string internal = Said(texts::kInternalError);
    EXPECT_EQ(f.desktop.transcript, internal + internal + internal);
}

}  // namespace
}  // namespace kelo
