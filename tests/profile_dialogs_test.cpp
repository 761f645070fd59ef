// What every profile dialog shares: the Enter chain and the control tables.
#include <gtest/gtest.h>

#include "ProfileRig.h"
#include "toolbar/AppNameSet.h"

namespace kelo {
namespace {

using testing::kTrap;
using testing::Rig;

TEST(ProfileDialogs, EnterWalksTheChainToOkWithoutPressingIt) {
    const struct {
        ProfileDialogKind kind;
        std::vector<std::string> chain;
    } cases[] = {
        {ProfileDialogKind::Face, {"Text2", "Text3", "OKButton"}},
        {ProfileDialogKind::Long, {"Text2", "Text3", "Text4", "OKButton"}},
        {ProfileDialogKind::Taper, {"Text2", "Text3", "Text4", "Text5", "Text6", "OKButton"}},
        {ProfileDialogKind::Arc1, {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "OKButton"}},
        {ProfileDialogKind::Arc2, {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "OKButton"}},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.Open(c.kind);
        SCOPED_TRACE(std::string(rig.dialog->form().name));
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

// The preview's chain holds what was typed completely, as the host drew it: not a
// command cut off by an error, not a cancelled dialog.
TEST(ProfileDialogs, ChainRecordsOnlyWhatWasTypedCompletely) {
    Rig rig;
    rig.Open(ProfileDialogKind::Face);
    rig.Fill({"100", "0", "60"});
    rig.dialog->OkClick();
    rig.Open(ProfileDialogKind::Long);
    rig.Type(3, "-25");
    rig.dialog->CancelClick();
    rig.Open(ProfileDialogKind::Long);
    rig.desktop.hostOpen = false;  // the command fails: nothing drawn
    rig.Type(3, "-25");
    rig.dialog->OkClick();
    rig.desktop.hostOpen = true;
    rig.Open(ProfileDialogKind::Arc2);
    rig.Fill({nullptr, nullptr, "5", nullptr, nullptr, "50", "-5"});
    rig.dialog->LostFocus(7);
    rig.dialog->OkClick();
    ASSERT_EQ(rig.chain.Size(), 2u);
    const auto& face = rig.chain.Segments()[0];
    EXPECT_EQ(face.shape, SegmentShape(LineShape{{0, 50}, {0, 30}}));
    EXPECT_EQ(face.end.xText, "60");
    const auto& arc = rig.chain.Segments()[1];
    ASSERT_TRUE(std::holds_alternative<ArcShape>(arc.shape));
    // Typed start first (start Z 0 is not below end Z -5): the host's first point is the start.
    EXPECT_EQ(std::get<ArcShape>(arc.shape).first, (ContourPoint{0, 30}));
    EXPECT_EQ(std::get<ArcShape>(arc.shape).second, (ContourPoint{-5, 25}));
    EXPECT_EQ(arc.end.zText, "-5");
}

TEST(ProfileDialogs, ControlTablesAreConsistent) {
    for (const FormSpec* form : {&kFaceForm, &kLongForm, &kTaperForm, &kArc1Form, &kArc2Form, &kAppSetForm}) {
        SCOPED_TRACE(std::string(form->name));
        std::vector<int> tabs;
        for (const auto& row : form->controls) {
            EXPECT_LE(row.left + row.width, form->clientWidth);
            // Notes lie below the designed area, shown only while they have a text.
            if (row.kind == ControlKind::Note) {
                EXPECT_GE(row.top, form->clientHeight);
                continue;
            }
            EXPECT_LE(row.top + row.height, form->clientHeight);
            if (!row.enterTarget.empty()) {
                EXPECT_TRUE(FindControl(form->controls, row.enterTarget)) << row.name;
            }
            if (row.kind != ControlKind::Label) tabs.push_back(row.tabIndex);
        }
        std::sort(tabs.begin(), tabs.end());
        EXPECT_EQ(std::adjacent_find(tabs.begin(), tabs.end()), tabs.end());
        EXPECT_EQ(tabs.front(), 0);
    }
    for (const FormSpec* form : {&kFaceForm, &kLongForm, &kTaperForm, &kArc1Form, &kArc2Form}) {
        EXPECT_EQ(form->controls[*FindControl(form->controls, "OKButton")].tabIndex, 0);
        EXPECT_EQ(form->textFont, FormFont::Gothic12);
    }
}

}  // namespace
}  // namespace kelo
