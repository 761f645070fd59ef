// Prints the toolbar's own tables as one JSON document for the manual's generator:
// the layout, every command row with what a click types with and without Shift, the
// texts the manual quotes, every picture rendered by the toolbar's own renderer, and the
// built-in norm table of undercuts, which the release ships as a file of its own.
// The manual and the release are built from this output, so they cannot drift from the program.
//
//   dump_tables [--picture-size N]   (N pixels a side, default 48)
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "contour/Undercut.h"
#include "resources/Pictures.h"
#include "text/Texts.h"
#include "text/Version.h"
#include "toolbar/Commands.h"
#include "toolbar/Layout.h"

namespace kelo {
namespace {

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;  // UTF-8 passes through unchanged
                }
        }
    }
    return out + "\"";
}

std::string_view BehaviourName(Behaviour b) {
    switch (b) {
        case Behaviour::Plain: return "Plain";
        case Behaviour::Sequence: return "Sequence";
        case Behaviour::Inert: return "Inert";
        case Behaviour::AppSet: return "AppSet";
        case Behaviour::Extend: return "Extend";
        case Behaviour::Calculator: return "Calculator";
        case Behaviour::HelpPdf: return "HelpPdf";
        case Behaviour::NewFile: return "NewFile";
        case Behaviour::DotGrid: return "DotGrid";
        case Behaviour::Spotlight: return "Spotlight";
        case Behaviour::FileLoad: return "FileLoad";
        case Behaviour::FileStore: return "FileStore";
        case Behaviour::PartLoad: return "PartLoad";
        case Behaviour::ProfileFace: return "ProfileFace";
        case Behaviour::ProfileLong: return "ProfileLong";
        case Behaviour::ProfileTaper: return "ProfileTaper";
        case Behaviour::ProfileArc1: return "ProfileArc1";
        case Behaviour::ProfileArc2: return "ProfileArc2";
    }
    return "Unknown";
}

std::string_view KindName(ControlKind k) {
    switch (k) {
        case ControlKind::Label: return "Label";
        case ControlKind::Text: return "Text";
        case ControlKind::Button: return "Button";
        case ControlKind::Frame: return "Frame";
        case ControlKind::PictureButton: return "PictureButton";
        case ControlKind::Note: return "Note";
        case ControlKind::Readout: return "Readout";
        case ControlKind::List: return "List";
    }
    return "Unknown";
}

// The steps as the toolbar plans them: "text" pieces, "enter" and "cancel".
std::string StepsJson(const CommandPlan& plan) {
    std::string out = "[";
    for (std::size_t i = 0; i < plan.count; ++i) {
        const Step& s = plan.steps[i];
        if (i) out += ",";
        switch (s.kind) {
            case Step::Kind::Text: out += "{\"kind\":\"text\",\"text\":" + Quoted(s.text) + "}"; break;
            case Step::Kind::Enter: out += "{\"kind\":\"enter\"}"; break;
            case Step::Kind::Cancel: out += "{\"kind\":\"cancel\"}"; break;
        }
    }
    return out + "]";
}

void PrintTexts() {
    const std::pair<std::string_view, std::string_view> texts[] = {
        {"programTitle", texts::kProgramTitle},
        {"defaultHostTitle", texts::kDefaultHostTitle},
        {"startHostFirst", texts::kStartHostFirst},
        {"menuMessageTitle", texts::kMenuMessageTitle},
        {"startupCommand", texts::kStartupCommand},
        {"expandCaption", texts::kExpandCaption},
        {"expandTip", texts::kExpandTip},
        {"collapseCaption", texts::kCollapseCaption},
        {"collapseTip", texts::kCollapseTip},
        {"appSetCaption", texts::kAppSetCaption},
        {"appSetPrompt", texts::kAppSetPrompt},
        {"enterTimeNotNumber", texts::kEnterTimeNotNumber},
        {"faceCaption", texts::kFaceCaption},
        {"longCaption", texts::kLongCaption},
        {"taperCaption", texts::kTaperCaption},
        {"arc1Caption", texts::kArc1Caption},
        {"arc2Caption", texts::kArc2Caption},
        {"startXMissing", texts::kStartXMissing},
        {"startZMissing", texts::kStartZMissing},
        {"endXMissing", texts::kEndXMissing},
        {"endZMissing", texts::kEndZMissing},
        {"ok", texts::kOk},
        {"cancel", texts::kCancel},
        {"previewCaption", texts::kPreviewCaption},
        {"arcStartIsEnd", texts::kArcStartIsEnd},
        {"arcZeroRadius", texts::kArcZeroRadius},
        {"arcChordTooLong", texts::kArcChordTooLong},
        {"arcEndOutOfReach", texts::kArcEndOutOfReach},
        {"quoteInPath", texts::kQuoteInPath},
        {"dotGridSwitchOnTip", texts::kDotGridSwitchOnTip},
        {"dotGridSwitchOffTip", texts::kDotGridSwitchOffTip},
        {"spotlightSwitchOnTip", texts::kSpotlightSwitchOnTip},
        {"spotlightSwitchOffTip", texts::kSpotlightSwitchOffTip},
        {"newFileQuestion", texts::kNewFileQuestion},
        {"newFileTitle", texts::kNewFileTitle},
        {"manualFileName", texts::kManualFileName.substr(1)},
        {"calculatorFileName", texts::kCalculatorFileName.substr(1)},
        {"calculatorNotStarted", texts::kCalculatorNotStarted},
        {"calcCaption", texts::kCalcCaption},
        {"calcExpressionLabel", texts::kCalcExpressionLabel},
        {"calcResultLabel", texts::kCalcResultLabel},
        {"calcHistoryLabel", texts::kCalcHistoryLabel},
        {"calcCopyButton", texts::kCalcCopyButton},
        {"calcDivideByZero", texts::kCalcDivideByZero},
        {"calcCopyTooLarge", texts::kCalcCopyTooLarge},
        {"calcNothingToCopy", texts::kCalcNothingToCopy},
        {"calcCopied", texts::kCalcCopied},
        {"tableCaption", texts::kTableCaption},
        {"tableDraw", texts::kTableDraw},
        {"tableOpen", texts::kTableOpen},
        {"tableSave", texts::kTableSave},
        {"tableNew", texts::kTableNew},
        {"tableCopy", texts::kTableCopy},
        {"tableKeptFile", texts::kTableKeptFile},
        {"clipboardBusy", texts::kCalcClipboardBusy},
        {"tableColumnWorked", texts::kTableColumnWorked},
        {"tableHint", texts::kTableHint},
        {"tableRowProblem", texts::kTableRowProblem},
        {"tableXNotNumber", texts::kTableXNotNumber},
        {"tableFirstRowNumbers", texts::kTableFirstRowNumbers},
        {"tableElementUnreadable", texts::kTableElementUnreadable},
        {"tableChordTooLong", texts::kTableChordTooLong},
        {"tableUndetermined", texts::kTableUndetermined},
        {"tableOffAngleLine", texts::kTableOffAngleLine},
        {"tableBehindAngle", texts::kTableBehindAngle},
        {"tableParallelAngles", texts::kTableParallelAngles},
        {"tableOffTangentArc", texts::kTableOffTangentArc},
        {"tableTangentNeverReaches", texts::kTableTangentNeverReaches},
        {"tableTangentAtFirst", texts::kTableTangentAtFirst},
        {"tableCornerUnreadable", texts::kTableCornerUnreadable},
        {"tableKeptFile", texts::kTableKeptFile},
        {"undercutNotCylinderAndFace", texts::kUndercutNotCylinderAndFace},
        {"undercutOutsideCorner", texts::kUndercutOutsideCorner},
        {"undercutCylinderShort", texts::kUndercutCylinderShort},
        {"undercutFaceShort", texts::kUndercutFaceShort},
        {"undercutNoDiameter", texts::kUndercutNoDiameter},
        {"undercutNoDesignation", texts::kUndercutNoDesignation},
        {"undercutNoPitch", texts::kUndercutNoPitch},
        {"undercutBadShape", texts::kUndercutBadShape},
        {"normBadRow", texts::kNormBadRow},
        {"normUserFile", texts::kNormUserFile},
    };
    std::printf("\"texts\":{");
    bool first = true;
    for (const auto& [name, text] : texts) {
        std::printf("%s%s:%s", first ? "" : ",", Quoted(name).c_str(), Quoted(text).c_str());
        first = false;
    }
    std::printf("},\n");
}

void PrintLayout() {
    std::printf("\"layout\":{\"clientWidth\":%d,\"clientHeight\":%d,\"collapsedHeight\":%d,"
                "\"expandedHeight\":%d,\"controls\":[\n",
                kClientWidthTwips, kClientHeightTwips, kCollapsedHeightTwips, kExpandedHeightTwips);
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        const ControlRow& row = kLayout[i];
        const TwipRect r = ClientRectTwips(row);
        std::printf("%s{\"name\":%s,\"kind\":%s,\"frame\":%s,\"caption\":%s,\"pictures\":%d,"
                    "\"left\":%d,\"top\":%d,\"width\":%d,\"height\":%d}\n",
                    i ? "," : "", Quoted(row.name).c_str(), Quoted(KindName(row.kind)).c_str(),
                    Quoted(row.frame).c_str(), Quoted(row.caption).c_str(), row.pictures, r.left, r.top,
                    r.width, r.height);
    }
    std::printf("]},\n");
}

void PrintCommands() {
    std::printf("\"commands\":[\n");
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        const CommandRow& row = kCommands[i];
        const CommandPlan plain = PlanCommand(row, false);
        const CommandPlan shifted = PlanCommand(row, true);
        std::printf("%s{\"button\":%s,\"frame\":%s,\"tip\":%s,\"behaviour\":%s,\"opening\":%s,"
                    "\"readsShift\":%s,\"plain\":%s,\"shift\":%s}\n",
                    i ? "," : "", Quoted(row.button).c_str(), Quoted(row.frame).c_str(), Quoted(row.tip).c_str(),
                    Quoted(BehaviourName(row.behaviour)).c_str(),
                    row.opening == Opening::Full ? "\"full\"" : "\"short\"", plain.readsShift ? "true" : "false",
                    StepsJson(plain).c_str(), StepsJson(shifted).c_str());
    }
    std::printf("],\n");
}

// Each picture as rows of 0xAARRGGBB hex, transparent pixels left fully transparent.
void PrintPictures(int sizePx) {
    std::printf("\"pictures\":[\n");
    bool first = true;
    for (const Picture& picture : AllPictures()) {
        const int size = picture.size == kPictureSize ? sizePx : picture.size;
        const auto pixels = RenderPicture(picture, size, 0x00000000u);
        std::printf("%s{\"name\":%s,\"size\":%d,\"rows\":[", first ? "" : ",", Quoted(picture.name).c_str(), size);
        for (int y = 0; y < size; ++y) {
            std::printf("%s\"", y ? "," : "");
            for (int x = 0; x < size; ++x)
                std::printf("%08x", static_cast<unsigned>(pixels[static_cast<std::size_t>(y) * size + x]));
            std::printf("\"");
        }
        std::printf("]}\n");
        first = false;
    }
    std::printf("]\n");
}

}  // namespace
}  // namespace kelo

int main(int argc, char** argv) {
    int sizePx = 48;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--picture-size" && i + 1 < argc) {
            sizePx = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: dump_tables [--picture-size N]\n");
            return 2;
        }
    }
    if (sizePx < 24 || sizePx > 240) {
        std::fprintf(stderr, "dump_tables: picture size %d out of 24..240\n", sizePx);
        return 2;
    }
    std::printf("{\"version\":%s,\"product\":%s,\n", kelo::Quoted(KELO_VERSION_TEXT).c_str(),
                kelo::Quoted(KELO_PRODUCT_NAME).c_str());
    kelo::PrintTexts();
    std::printf("\"undercutNorms\":%s,\n", kelo::Quoted(kelo::UndercutNorms::BuiltInText()).c_str());
    kelo::PrintLayout();
    kelo::PrintCommands();
    kelo::PrintPictures(sizePx);
    std::printf("}\n");
    return 0;
}
