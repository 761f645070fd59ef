#pragma once
// The Win32 window of every profile dialog, built from the dialog's control table.
#include <windows.h>

#include "channel/HostChannel.h"
#include "contour/Contour.h"
#include "profiles/ProfileDialogs.h"
#include "profiles/ProfileState.h"

namespace kelo {

// Shows the dialog modally, owned by `owner`, and returns when it is closed
// (OK, "ｷｬﾝｾﾙ" or the close box). The dialog is built afresh at every call; the
// contour preview stands beside it, and what the dialog types goes into `chain`.
// True when the dialog was closed by the preview's "輪郭表..." button: the caller
// opens the contour table next.
bool ShowProfileDialog(HWND owner, ProfileDialogKind kind, ProfileState& state, HostChannel& channel,
                       ContourChain& chain);

}  // namespace kelo
