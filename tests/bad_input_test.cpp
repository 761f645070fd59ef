// Bad input in every box of every dialog, through the models: each text typed
// into each box, the box left, then OK. Nothing throws, no box, field or typed
// line ever holds a non-finite number, the messages are exactly the dialogs'
// own, and the profile state is what the OK flows store (kept as far as a
// failed OK got, never advanced by it).
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "FakeDesktop.h"
#include "ProfileRig.h"
#include "text/NumberRules.h"
#include "text/Texts.h"
#include "toolbar/AppNameSet.h"
#include "toolbar/Settings.h"

namespace kelo {
namespace {

using testing::Rig;

std::string LongText() {
    std::string text;
    while (text.size() < 10000) text += "1234567890";
    return text;
}

const std::vector<std::string>& BadInputs() {
    static const std::vector<std::string> inputs{
        "", " ", "abc", "-", ".", "1e400", "-1e400", "-0", "1,5", "12.5mm", "&H10", "1 2", LongText(), "１２", "あ",
    };
    return inputs;
}

std::string Name(const std::string& text) { return text.size() > 20 ? "<10000 characters>" : "\"" + text + "\""; }

bool LooksNonFinite(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos;
}

std::optional<double> Strict(const std::string& text) {
    try {
        return ParseNumber(text);
    } catch (const NumberError&) {
        return std::nullopt;
    }
}

// A line dialog's OK as its rows say: each required box in order, its message
// when empty, the state field it fills, and whether its text is read as a
// number before anything is typed (start Z in 端面, end Z in 長手 and テーパー).
struct RequiredBox {
    int box;
    std::string_view message;
    enum Field { StartX, StartZ, EndX, EndZ } field;
    bool readBeforeTyping;
};

struct LineDialog {
    ProfileDialogKind kind;
    std::string_view caption;
    std::vector<const char*> fill;  // a complete, good segment
    std::vector<RequiredBox> required;
};

const std::vector<LineDialog>& LineDialogs() {
    static const std::vector<LineDialog> dialogs{
        {ProfileDialogKind::Face,
         texts::kFaceCaption,
         {"100", "0", "60"},
         {{1, texts::kStartXMissing, RequiredBox::StartX, false},
          {2, texts::kStartZMissing, RequiredBox::StartZ, true},
          {3, texts::kEndXMissing, RequiredBox::EndX, false}}},
        {ProfileDialogKind::Long,
         texts::kLongCaption,
         {"60", "0", "-25", nullptr},
         {{1, texts::kStartXMissing, RequiredBox::StartX, false},
          {2, texts::kStartZMissing, RequiredBox::StartZ, false},
          {4, texts::kEndZMissing, RequiredBox::EndZ, true}}},
        {ProfileDialogKind::Taper,
         texts::kTaperCaption,
         {"60", "-25", "30", "80", nullptr, "-7.6794"},
         {{1, texts::kStartXMissing, RequiredBox::StartX, false},
          {2, texts::kStartZMissing, RequiredBox::StartZ, false},
          {4, texts::kEndXMissing, RequiredBox::EndX, false},
          {6, texts::kEndZMissing, RequiredBox::EndZ, true}}},
    };
    return dialogs;
}

// Types `text` into `box` as a person would (a long text is pasted) and leaves
// the box for the next one, as Tab does.
void TypeAndLeave(Rig& rig, int box, const std::string& text) {
    if (text.size() > 100) {
        rig.Edit(box, text);
    } else {
        rig.Type(box, text);
    }
    rig.Leave(box, layout::kBoxNames[box % BoxCount(rig.dialog->form().controls)]);
}

void ExpectNothingNonFinite(const Rig& rig, const std::string& typed) {
    const int boxes = BoxCount(rig.dialog->form().controls);
    // None of the bad texts holds "inf" or "nan": any such text is the dialog's own.
    for (int box = 1; box <= boxes; ++box) EXPECT_FALSE(LooksNonFinite(rig.Box(box))) << "box " << box;
    EXPECT_FALSE(LooksNonFinite(typed));
    for (const TextOrNumber* field : {&rig.state.StartX, &rig.state.StartZ, &rig.state.EndX, &rig.state.CenterX,
                                      &rig.state.CenterZ, &rig.state.Radius}) {
        EXPECT_FALSE(LooksNonFinite(field->AsText()));
    }
    EXPECT_TRUE(std::isfinite(rig.state.EndZ));
}

struct Counts {
    int cases = 0, succeeded = 0, checkMessages = 0, trapMessages = 0, closedWithoutTyping = 0, stayedOpen = 0;
};

TEST(BadInput, LineDialogsShowTheirOwnMessagesAndStoreWhatTheyReached) {
    Counts counts;
    for (const LineDialog& d : LineDialogs()) {
        const int boxes = static_cast<int>(d.fill.size());
        for (int box = 1; box <= boxes; ++box) {
            for (const std::string& bad : BadInputs()) {
                SCOPED_TRACE(std::string(d.caption) + " Text" + std::to_string(box) + " " + Name(bad));
                ++counts.cases;
                Rig rig;
                rig.Open(d.kind);
                int filled = 1;
                for (const char* text : d.fill) {
                    if (text != nullptr) TypeAndLeave(rig, filled, text);
                    ++filled;
                }
                TypeAndLeave(rig, box, bad);
                EXPECT_TRUE(rig.desktop.messages.empty()) << "leaving a box shows nothing";
                rig.desktop.typed.clear();

                // What OK must do with the boxes as they now stand.
                std::map<RequiredBox::Field, std::string> stored;
                std::optional<std::string_view> message;
                std::string title;
                for (const RequiredBox& r : d.required) {
                    if (rig.Box(r.box).empty()) {
                        message = r.message;
                        title = std::string(d.caption);
                        break;
                    }
                    stored[r.field] = rig.Box(r.box);
                    if (r.readBeforeTyping && !Strict(rig.Box(r.box))) {
                        message = texts::kStartHostFirst;
                        title = std::string(texts::kMenuMessageTitle);
                        break;
                    }
                }
                if (!message) {
                    // The long dialog's end X is its start X; both X texts are read while typing.
                    const std::string endX = stored.count(RequiredBox::EndX) ? stored[RequiredBox::EndX]
                                                                             : stored[RequiredBox::StartX];
                    if (!Strict(stored[RequiredBox::StartX]) || !Strict(endX)) {
                        message = texts::kStartHostFirst;
                        title = std::string(texts::kMenuMessageTitle);
                    }
                }

                const ProfileState before = rig.state;
                ASSERT_NO_THROW(rig.dialog->OkClick());
                ExpectNothingNonFinite(rig, rig.desktop.typed);
                if (message) {
                    ASSERT_EQ(rig.desktop.messages.size(), 1u);
                    EXPECT_EQ(rig.desktop.messages[0].text, *message);
                    EXPECT_EQ(rig.desktop.messages[0].title, title);
                    EXPECT_EQ(rig.desktop.messages[0].style, MessageStyle::Exclamation);
                    EXPECT_FALSE(rig.closed);
                    // Stored as far as the flow got; the rest as it was.
                    EXPECT_EQ(rig.state.StartX, stored.count(RequiredBox::StartX)
                                                    ? TextOrNumber(stored[RequiredBox::StartX])
                                                    : before.StartX);
                    EXPECT_EQ(rig.state.StartZ, stored.count(RequiredBox::StartZ)
                                                    ? TextOrNumber(stored[RequiredBox::StartZ])
                                                    : before.StartZ);
                    EXPECT_EQ(rig.desktop.typed.find("<Enter>"), std::string::npos) << "no line was ended";
                    ++(title == texts::kMenuMessageTitle ? counts.trapMessages : counts.checkMessages);
                } else {
                    EXPECT_TRUE(rig.desktop.messages.empty());
                    EXPECT_TRUE(rig.closed);
                    const double endZ = d.kind == ProfileDialogKind::Face ? *Strict(stored[RequiredBox::StartZ])
                                                                          : *Strict(stored[RequiredBox::EndZ]);
                    const std::string endX = stored.count(RequiredBox::EndX) ? stored[RequiredBox::EndX]
                                                                             : stored[RequiredBox::StartX];
                    EXPECT_EQ(rig.desktop.typed, "<^C>LINE TWO_PTS " + stored[RequiredBox::StartZ] + "," +
                                                     NumberText(*Strict(stored[RequiredBox::StartX]) / 2) + " " +
                                                     NumberText(endZ) + "," + NumberText(*Strict(endX) / 2) +
                                                     "<Enter><^C>");
                    EXPECT_EQ(rig.state.StartX, TextOrNumber(endX));
                    EXPECT_EQ(rig.state.StartZ, TextOrNumber(endZ));
                    ++counts.succeeded;
                }
            }
        }
    }
    std::printf("line dialogs: %d cases, %d typed, %d check messages, %d failure messages\n", counts.cases,
                counts.succeeded, counts.checkMessages, counts.trapMessages);
    EXPECT_EQ(counts.cases, (3 + 4 + 6) * static_cast<int>(BadInputs().size()));
}

// The arc dialogs show no message box at all; the note says why the solver gave
// up. OK closes without typing when a centre or end box is empty, types when all
// it reads are numbers, and otherwise stays open, typing no complete line.
TEST(BadInput, ArcDialogsShowNoMessageAndKeepTheirStartPoint) {
    Counts counts;
    for (ProfileDialogKind kind : {ProfileDialogKind::Arc1, ProfileDialogKind::Arc2}) {
        for (int box = 1; box <= 7; ++box) {
            for (const std::string& bad : BadInputs()) {
                SCOPED_TRACE(std::string(kind == ProfileDialogKind::Arc1 ? "concave" : "convex") + " Text" +
                             std::to_string(box) + " " + Name(bad));
                ++counts.cases;
                Rig rig;
                rig.followFocus = true;
                rig.Open(kind);
                rig.focused = "Text3";
                for (auto [b, text] : {std::pair{1, "20"}, {2, "0"}, {3, "5"}, {6, "20"}, {7, "-8"}}) {
                    TypeAndLeave(rig, b, text);
                }
                ASSERT_EQ(rig.Box(4), kind == ProfileDialogKind::Arc1 ? "26" : "14");
                TypeAndLeave(rig, box, bad);
                ExpectNothingNonFinite(rig, rig.desktop.typed);
                rig.desktop.typed.clear();

                bool anyEmpty = false;
                for (int b = 4; b <= 7; ++b) anyEmpty = anyEmpty || rig.Box(b).empty();
                bool allNumbers = true;
                for (int b : {1, 2, 4, 6, 7}) allNumbers = allNumbers && Strict(rig.Box(b)).has_value();
                const ProfileState before = rig.state;
                const std::string endX = rig.Box(6), endZ = rig.Box(7);

                ASSERT_NO_THROW(rig.dialog->OkClick());
                ExpectNothingNonFinite(rig, rig.desktop.typed);
                EXPECT_TRUE(rig.desktop.messages.empty());
                if (anyEmpty) {
                    EXPECT_TRUE(rig.closed);
                    EXPECT_EQ(rig.desktop.typed, "");
                    EXPECT_EQ(rig.state.StartX, before.StartX);
                    EXPECT_EQ(rig.state.StartZ, before.StartZ);
                    ++counts.closedWithoutTyping;
                } else if (allNumbers) {
                    EXPECT_TRUE(rig.closed);
                    EXPECT_EQ(rig.state.StartX, TextOrNumber(endX));
                    EXPECT_EQ(rig.state.StartZ, TextOrNumber(*Strict(endZ)));
                    EXPECT_EQ(rig.desktop.typed.substr(0, 20), "<^C>ARC CEN_BEG_END ");
                    ++counts.succeeded;
                } else {
                    EXPECT_FALSE(rig.closed);
                    // Every box was stored as text before the reading failed; nothing advanced.
                    EXPECT_EQ(rig.state.StartX, TextOrNumber(rig.Box(1)));
                    EXPECT_EQ(rig.state.StartZ, TextOrNumber(rig.Box(2)));
                    EXPECT_EQ(rig.desktop.typed.find("<^C>", 4), std::string::npos) << "no complete arc";
                    ++counts.stayedOpen;
                }
            }
        }
    }
    std::printf("arc dialogs: %d cases, %d typed, %d closed untyped, %d stayed open\n", counts.cases,
                counts.succeeded, counts.closedWithoutTyping, counts.stayedOpen);
    EXPECT_EQ(counts.cases, 2 * 7 * static_cast<int>(BadInputs().size()));
}

// A number that only just fits the double range, carried from one dialog into
// the next: the start Z the next dialog shows still reads as a number.
TEST(BadInput, LargestEndZCarriesIntoTheNextDialog) {
    Rig rig;
    rig.Open(ProfileDialogKind::Long);
    rig.Fill({"60", "0", nullptr, "-1.7976931348623157E308"});
    rig.dialog->OkClick();
    ASSERT_TRUE(rig.closed);
    rig.Open(ProfileDialogKind::Face);
    EXPECT_NO_THROW(ParseNumber(rig.Box(2))) << rig.Box(2);
    rig.Type(3, "40");
    rig.desktop.typed.clear();
    rig.dialog->OkClick();
    EXPECT_TRUE(rig.desktop.messages.empty());
    EXPECT_EQ(rig.desktop.typed, "<^C>LINE TWO_PTS -1.79769313486231E308,30 -1.79769313486231E308,20<Enter><^C>");
}

// One host command as the toolbar's buttons run it, over a recording desktop.
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

const std::string kFailed = testing::kActivateHost + "[message " + std::string(texts::kStartHostFirst) + "|" +
                            std::string(texts::kMenuMessageTitle) + "|48]";

// The settings dialog takes any title and any Act. Time as typed; an Enter
// Time that is not a number keeps the dialog open with its message, and
// nothing already stored is lost.
TEST(BadInput, SettingsDialogTakesTitleAndActTimeAsTypedAndRefusesABadEnterTime) {
    int refused = 0, cases = 0;
    for (int box = 1; box <= 3; ++box) {
        for (const std::string& bad : BadInputs()) {
            SCOPED_TRACE("Text" + std::to_string(box) + " " + Name(bad));
            ++cases;
            ChannelSettings settings{testing::kHost, "0.1", 0.1f};
            AppNameSetModel model(settings);
            model.AppNameSet_Form_Load();
            (box == 1 ? model.text1 : box == 2 ? model.text2 : model.text3) = bad;
            bool closes = false;
            ASSERT_NO_THROW(closes = model.AppNameSet_Command1_Click());
            EXPECT_EQ(settings.appName, box == 1 ? bad : testing::kHost);
            EXPECT_EQ(settings.dTime1, box == 2 ? bad : "0.1");
            const auto seconds = Strict(model.text3);
            if (box == 3 && !(seconds && std::fabs(*seconds) < 3.4e38)) {
                EXPECT_FALSE(closes);
                EXPECT_EQ(model.message, texts::kEnterTimeNotNumber);
                EXPECT_EQ(settings.dTime2, 0.1f);
                ++refused;
            } else {
                EXPECT_TRUE(closes);
                EXPECT_EQ(model.message, "");
                EXPECT_TRUE(std::isfinite(settings.dTime2));
            }
            // The next command: a title that names no window, or an Act. Time that
            // is not a number, ends in the one message; nothing is typed.
            const std::string transcript = RunCommand(settings);
            if (box == 1) {
                EXPECT_EQ(transcript, "[message " + std::string(texts::kStartHostFirst) + "|" +
                                          std::string(texts::kMenuMessageTitle) + "|48]");
            } else if (!Strict(settings.dTime1)) {
                EXPECT_EQ(transcript, kFailed);
            } else {
                EXPECT_NE(transcript.find("LINE\r"), std::string::npos) << transcript;
            }
        }
    }
    std::printf("settings dialog: %d cases, %d refused\n", cases, refused);
}

// Stored waits: DTime2 that is not a number ends the start and nothing is
// written back; DTime1 is kept as text, and then every command fails at its
// first wait with the one message. No stored wait holds a command for longer
// than a minute.
TEST(BadInput, StoredWaitsStartOrFailAsSpecifiedAndNeverHangACommand) {
    struct Case {
        std::string dTime1, dTime2;
        bool starts;
        std::string transcript;  // of one command after the start
    };
    const std::string host = testing::kActivateHost;
    const Case cases[] = {
        {"0.1", "", false, ""},
        {"0.1", "abc", false, ""},
        {"0.1", "0,5", false, ""},
        {"0.1", "-1", true, host + "[wait 0.1]^CLINE\r"},
        {"0.1", "1e9", true, host + "[wait 0.1]^C[wait 60]LINE\r[wait 60]"},
        {"", "0.1", true, kFailed},
        {"abc", "0.1", true, kFailed},
        {"0,5", "0.1", true, kFailed},
        {"-1", "0.1", true, host + "^C[wait 0.1]LINE\r[wait 0.1]"},
        {"1e9", "0.1", true, host + "[wait 60]^C[wait 0.1]LINE\r[wait 0.1]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("DTime1 \"" + c.dTime1 + "\" DTime2 \"" + c.dTime2 + "\"");
        MemorySettingsStore store;
        store.values[1] = c.dTime1;
        store.values[2] = c.dTime2;
        std::optional<Settings> settings;
        if (!c.starts) {
            EXPECT_THROW(settings = LoadSettings(store, "C:\\Kelo"), std::exception);
            EXPECT_EQ(store.writeLog, "");
            continue;
        }
        ASSERT_NO_THROW(settings = LoadSettings(store, "C:\\Kelo"));
        EXPECT_EQ(settings->channel.dTime1, c.dTime1);  // as stored, never checked
        EXPECT_EQ(RunCommand(settings->channel), c.transcript);
        StoreSettings(store, *settings);
        EXPECT_EQ(store.values[1], c.dTime1);
    }
}

}  // namespace
}  // namespace kelo
