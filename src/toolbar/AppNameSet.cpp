#include "toolbar/AppNameSet.h"

#include "text/Texts.h"
#include "text/NumberRules.h"

namespace kelo {

void AppNameSetModel::AppNameSet_Form_Load() {
    text1 = settings_.appName;
    text2 = settings_.dTime1;
    text3 = SecondsText(settings_.dTime2);
    message.clear();
}

bool AppNameSetModel::AppNameSet_Command1_Click() {
    message.clear();
    settings_.appName = text1;
    settings_.dTime1 = text2;  // taken as typed; a bad value shows at the next command
    try {
        settings_.dTime2 = ParseSeconds(text3);
    } catch (const NumberError&) {
        // Title and Act. Time are taken; Enter Time keeps its last good value.
        message = std::string(texts::kEnterTimeNotNumber);
        return false;
    }
    return true;
}

}  // namespace kelo
