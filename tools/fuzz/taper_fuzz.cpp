// The taper dialog's live computations and OK, through its model: whatever is
// typed, left or pressed, no handler throws, every box the dialog fills holds a
// finite number, and the only messages are the ones of its OK: an empty
// required box (titled "テーパー") or the channel's one failure message.
#include <fuzzer/FuzzedDataProvider.h>

#include "DialogFuzz.h"
#include "text/Texts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    kelo::fuzz::FuzzRig rig;
    kelo::fuzz::PlayDialog(rig, kelo::ProfileDialogKind::Taper, in);
    namespace texts = kelo::texts;
    for (const auto& m : rig.desktop.messages) {
        const bool check = m.title == texts::kTaperCaption &&
                           (m.text == texts::kStartXMissing || m.text == texts::kStartZMissing ||
                            m.text == texts::kEndXMissing || m.text == texts::kEndZMissing);
        const bool trap = m.title == texts::kMenuMessageTitle && m.text == texts::kStartHostFirst;
        kelo::fuzz::Require(check || trap, "unexpected message \"" + m.text + "\" titled \"" + m.title + "\"");
    }
    return 0;
}
