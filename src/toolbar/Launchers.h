#pragma once
// The two files beside the program that HELP_PDF and Calculator open.
#include <string>
#include <string_view>

namespace kelo {

// `appFolder` is the program's own folder as FolderOf gives it: no trailing
// "\" except at a drive's root ("C:\"), where no second one is added.
std::string ManualPath(std::string_view appFolder);
std::string CalculatorPath(std::string_view appFolder);

// The message for a calculator that could not be started; it names the file.
std::string CalculatorNotStartedMessage(std::string_view calculatorPath);

}  // namespace kelo
