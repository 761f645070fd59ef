#pragma once
// The Win32 window of the contour table, built from its control table.
#include <windows.h>

#include <string>

#include "channel/HostChannel.h"
#include "contour/Contour.h"
#include "profiles/ProfileState.h"

namespace kelo {

// Shows the table modally, owned by `owner`, with the contour preview beside it, and
// returns when it is closed. What it types goes into `chain`. Its file dialogs open in
// `folder` and leave there the folder of the file last chosen.
void ShowContourTable(HWND owner, ProfileState& state, HostChannel& channel, ContourChain& chain,
                      std::string& folder);

}  // namespace kelo
