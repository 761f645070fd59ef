#include "toolbar/Launchers.h"

#include "text/Texts.h"

namespace kelo {

namespace {

// `fileName` starts with its separator; a folder that already ends in one
// (a drive's root) keeps it single.
std::string BesideProgram(std::string_view appFolder, std::string_view fileName) {
    std::string path(appFolder);
    if (!path.empty() && (path.back() == '\\' || path.back() == '/')) fileName.remove_prefix(1);
    path += fileName;
    return path;
}

}  // namespace

std::string ManualPath(std::string_view appFolder) { return BesideProgram(appFolder, texts::kManualFileName); }

std::string CalculatorPath(std::string_view appFolder) {
    return BesideProgram(appFolder, texts::kCalculatorFileName);
}

std::string CalculatorNotStartedMessage(std::string_view calculatorPath) {
    std::string text(texts::kCalculatorNotStarted);
    text += '\n';
    text += calculatorPath;
    return text;
}

}  // namespace kelo
