// The six stored settings and the settings dialog's model.
#include <gtest/gtest.h>

#include "text/Texts.h"

#include "toolbar/AppNameSet.h"
#include "toolbar/Settings.h"

namespace kelo {
namespace {

TEST(Settings, EmptyStoreGivesDefaultsAndClosingWritesAllSixInOrder) {
    MemorySettingsStore store;
    Settings s = LoadSettings(store, "C:\\Tools\\Kelo");
    EXPECT_EQ(s.channel.appName, std::string(texts::kDefaultHostTitle));
    EXPECT_EQ(s.channel.dTime1, "0.1");
    EXPECT_EQ(s.channel.dTime2, 0.1f);
    EXPECT_FALSE(IsExtended(s.extend));
    EXPECT_EQ(s.openPathName, "C:\\Tools\\Kelo");
    EXPECT_EQ(s.partPathName, "C:\\Tools\\Kelo");

    StoreSettings(store, s);
    EXPECT_EQ(store.writeLog, "AppName;DTime1;DTime2;EXTEND;OpenPathName;PartPathName;");
    const std::array<std::string, 6> expected{std::string(texts::kDefaultHostTitle), "0.1", "0.1", "False",
                                              "C:\\Tools\\Kelo", "C:\\Tools\\Kelo"};
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(store.values[i].value_or("<missing>"), expected[i]);
}

TEST(Settings, StoredTextsRoundTrip) {
    struct Case {
        std::string dTime1, dTime2, extend;
        std::string storedDTime2, storedExtend;
        bool extended;
    };
    const Case cases[] = {
        {"0.3", "0.25", "True", "0.25", "True", true},
        {"abc", "1", "False", "1", "False", false},   // Act. Time is kept as typed, never checked
        {"0.1", " 2 ", "true", "2", "True", true},
        {"0.1", "0.1", "Maybe", "0.1", "False", false},  // anything but "True" is collapsed
        {"0.1", "1E-2", "False", "0.01", "False", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dTime2 + " " + c.extend);
        MemorySettingsStore store;
        store.values = {"日本語のホスト", c.dTime1, c.dTime2, c.extend, "D:\\図面", "E:\\"};
        Settings s = LoadSettings(store, "unused");
        EXPECT_EQ(IsExtended(s.extend), c.extended);
        StoreSettings(store, s);
        EXPECT_EQ(*store.values[0], "日本語のホスト");
        EXPECT_EQ(*store.values[1], c.dTime1);
        EXPECT_EQ(*store.values[2], c.storedDTime2);
        EXPECT_EQ(*store.values[3], c.storedExtend);
        EXPECT_EQ(*store.values[4], "D:\\図面");
        EXPECT_EQ(*store.values[5], "E:\\");
    }
}

TEST(Settings, EnterTimeThatIsNotANumberFailsTheLoad) {
    for (const char* bad : {"abc", "", "0.1s", "1e40"}) {
        SCOPED_TRACE(bad);
        MemorySettingsStore store;
        store.values[2] = bad;
        EXPECT_ANY_THROW(LoadSettings(store, "x"));
    }
}

TEST(AppNameSet, LoadShowsMemoryAndOkTakesTheThreeValues) {
    ChannelSettings settings{std::string(texts::kDefaultHostTitle), "0.1", 0.1f};
    AppNameSetModel dialog(settings);
    dialog.AppNameSet_Form_Load();
    EXPECT_EQ(dialog.text1, std::string(texts::kDefaultHostTitle));
    EXPECT_EQ(dialog.text2, "0.1");
    EXPECT_EQ(dialog.text3, "0.1");

    dialog.text1 = "HostB";
    dialog.text2 = "slow";
    dialog.text3 = "0.5";
    EXPECT_TRUE(dialog.AppNameSet_Command1_Click());
    EXPECT_EQ(settings.appName, "HostB");
    EXPECT_EQ(settings.dTime1, "slow");
    EXPECT_EQ(settings.dTime2, 0.5f);
}

TEST(AppNameSet, EnterTimeThatIsNotANumberKeepsTheDialogOpenAndTheLastGoodWait) {
    ChannelSettings settings{"A", "0.1", 0.2f};
    AppNameSetModel dialog(settings);
    dialog.AppNameSet_Form_Load();
    dialog.text1 = "B";
    dialog.text3 = "fast";
    EXPECT_FALSE(dialog.AppNameSet_Command1_Click());
    EXPECT_FALSE(dialog.message.empty());
    EXPECT_EQ(settings.appName, "B");
    EXPECT_EQ(settings.dTime2, 0.2f);
}

}  // namespace
}  // namespace kelo

namespace kelo {
namespace {

TEST(Settings, FoldersDefaultToTheProgramsFolder) {
    const struct {
        const char* program;
        const char* folder;
    } cases[] = {
        {"C:\\Tools\\Kelo\\KeloMenu.exe", "C:\\Tools\\Kelo"},
        {"C:\\KeloMenu.exe", "C:\\"},  // a drive's root keeps its "\"
        {"\\\\server\\share\\KeloMenu.exe", "\\\\server\\share"},
        {"D:\\図面\\ツール\\KeloMenu.exe", "D:\\図面\\ツール"},
        {"Z:/work/build/win/KeloMenu.exe", "Z:/work/build/win"},
        {"KeloMenu.exe", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FolderOf(c.program), c.folder) << c.program;
}

}  // namespace
}  // namespace kelo
