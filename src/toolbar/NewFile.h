#pragma once
// NEW_FILE: asks first, then resets the host's drawing.
#include "channel/HostChannel.h"

namespace kelo {

// Asks "...新規にしますか?" (Yes/No) before anything is typed; on Yes types
// RESET_SYSTEM and CONFIRM, each with its Enter, in the command frame with the
// one message when the host is not running. True only when the whole reset
// was typed, so that whatever mirrors the host's drawing can clear too.
bool Menu_NEW_FILE_Click(HostChannel& channel);

}  // namespace kelo
