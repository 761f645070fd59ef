// The six stored settings and the settings dialog, with what the next command does with them.
#include <gtest/gtest.h>

#include "Rig.h"
#include "toolbar/AppNameSet.h"
#include "toolbar/Settings.h"

namespace kelo {
namespace {

using testing::kFailure;
using testing::kHost;

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
        store.values = {std::nullopt, c.dTime1, c.dTime2, c.extend, "D:\\図面", std::nullopt};
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
        const std::array<std::string, 6> written{kHost, c.dTime1.value_or("0.1"), c.dTime2Written, c.extendWritten,
                                                 "D:\\図面", "C:\\Kelo"};  // the folders default to the program's
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
