#include "toolbar/NewFile.h"

#include "text/Texts.h"

namespace kelo {

bool Menu_NEW_FILE_Click(HostChannel& channel) {
    bool reset = false;
    RunHostCommand(channel, [&] {
        const MessageAnswer answer =
            channel.desktop().ShowMessage(texts::kNewFileQuestion, texts::kNewFileTitle, MessageStyle::YesNo);
        if (answer != MessageAnswer::Yes) return;
        channel.BeginHostCommand();
        channel.Type("RESET_SYSTEM");
        channel.SendEnter();
        channel.Type("CONFIRM");
        channel.SendEnter();
        reset = true;
    });
    return reset;
}

}  // namespace kelo
