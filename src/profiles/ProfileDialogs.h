#pragma once
// Which profile dialog to open, and its model.
#include <cstdint>
#include <memory>

#include "profiles/ProfileDialog.h"
#include "profiles/ProfileKinds.h"

namespace kelo {

// Contract: state, channel and view outlive the result.
std::unique_ptr<ProfileDialog> MakeProfileDialog(ProfileDialogKind kind, ProfileState& state, HostChannel& channel,
                                                 ProfileView& view);

}  // namespace kelo
