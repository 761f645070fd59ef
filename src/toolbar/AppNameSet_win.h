#pragma once
#include <windows.h>

#include "toolbar/Settings.h"

namespace kelo {

// Shows the settings dialog modally over `owner`; O K changes `settings` in memory only.
void ShowAppNameSet(HWND owner, ChannelSettings& settings);

}  // namespace kelo
