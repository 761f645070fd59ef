// The taper dialog's live computations and OK through its model: whatever is typed, left or
// pressed, every box it fills holds a finite number, and the only messages are its OK's: an
// empty required box (titled "テーパー") or the channel's one failure message.
#include "DialogFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    kelo::testing::Rig rig;
    kelo::fuzz::PlayDialog(rig, kelo::ProfileDialogKind::Taper, in);
    namespace texts = kelo::texts;
    std::string rest = rig.desktop.transcript;
    for (auto check : {texts::kStartHostFirst, texts::kStartXMissing, texts::kStartZMissing, texts::kEndXMissing,
                       texts::kEndZMissing}) {
        const std::string m = check == texts::kStartHostFirst ? kelo::testing::kFailure
                                                              : kelo::testing::Message(check, texts::kTaperCaption);
        for (std::size_t p; (p = rest.find(m)) != std::string::npos;) rest.erase(p, m.size());
    }
    kelo::fuzz::Require(rest.find("[message") == std::string::npos, "unexpected message in " + rig.desktop.transcript);
    return 0;
}
