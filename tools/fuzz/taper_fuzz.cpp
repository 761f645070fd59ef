// The taper dialog's live computations and OK, through its model: whatever is
// typed, left or pressed, no handler throws, every box the dialog fills holds a
// finite number, and the only messages are the ones of its OK: an empty
// required box (titled "テーパー") or the channel's one failure message.
#include "DialogFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    kelo::testing::Rig rig;
    kelo::fuzz::PlayDialog(rig, kelo::ProfileDialogKind::Taper, in);
    namespace texts = kelo::texts;
    for (const std::string& m : kelo::fuzz::Messages(rig)) {
        bool known = m == kelo::testing::kFailure;
        for (auto check : {texts::kStartXMissing, texts::kStartZMissing, texts::kEndXMissing, texts::kEndZMissing})
            known = known || m == kelo::testing::Message(check, texts::kTaperCaption);
        kelo::fuzz::Require(known, "unexpected message " + m);
    }
    return 0;
}
