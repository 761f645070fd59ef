#include "profiles/ProfileDialogs.h"

#include "profiles/ArcDialog.h"
#include "profiles/FaceDialog.h"
#include "profiles/LongDialog.h"
#include "profiles/TaperDialog.h"

namespace kelo {

std::unique_ptr<ProfileDialog> MakeProfileDialog(ProfileDialogKind kind, ProfileState& state, HostChannel& channel,
                                                 ProfileView& view) {
    switch (kind) {
        case ProfileDialogKind::Face: return std::make_unique<FaceDialog>(state, channel, view);
        case ProfileDialogKind::Long: return std::make_unique<LongDialog>(state, channel, view);
        case ProfileDialogKind::Taper: return std::make_unique<TaperDialog>(state, channel, view);
        case ProfileDialogKind::Arc1: return std::make_unique<Arc1Dialog>(state, channel, view);
        case ProfileDialogKind::Arc2: return std::make_unique<Arc2Dialog>(state, channel, view);
    }
    return nullptr;
}

}  // namespace kelo
