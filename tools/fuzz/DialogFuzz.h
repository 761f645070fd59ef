#pragma once
// Drives a profile dialog model from fuzz input as a person at the keyboard would (texts
// typed, boxes left by a click or Tab, Enter, OK, the host open or not), checking after
// every step that nothing the dialog wrote or typed holds a non-finite number.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "Rig.h"
#include "text/NumberRules.h"

namespace kelo::fuzz {

// The texts a person may type into a number box. The letters i, n, f and a
// never appear, so any "inf" or "nan" in a box or in the host is the code's own.
inline std::string BoxText(FuzzedDataProvider& in) {
    static const char* const kValues[] = {
        "", " ", "0", "-0", "1e308", "-1e308", "1e400", "1E-320", "&HFFFFFFFFFFFFFFFF", "&O777", "&H", "12.5mm",
        "1 2", "\t-3\n", "90", "-90", "180", "45", "3.4E38", "-3.4E39", "1e15", ".", "-", "+", "E5", "0.0001", "1e-5",
        "100", "60", "-25", "20", "5", "-8", "26", "-4", "1,5", "1.2.3", "１２", "10", "-10", "30", "1e154", "1e-154",
        "2.5E12", "999999999999999.9"};
    if (in.ConsumeBool()) return kValues[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kValues) - 1)];
    static constexpr char kAlphabet[] = "0123456789.-+eE &HhOo,x\t";
    std::string text;
    const auto length = in.ConsumeIntegralInRange<std::size_t>(0, 24);
    for (std::size_t i = 0; i < length && in.remaining_bytes() > 0; ++i)
        text += kAlphabet[in.ConsumeIntegralInRange<std::size_t>(0, sizeof kAlphabet - 2)];
    return text;
}

// A number the dialog computed must read back as a finite number.
inline void RequireNumberText(const std::string& text, const std::string& where) {
    double value = NAN;
    try {
        value = ParseNumber(text);
    } catch (const NumberError&) {
    }
    Require(std::isfinite(value), where + ": the dialog wrote \"" + text + "\"");
}

inline void RequireFiniteState(const ProfileState& s) {
    for (const TextOrNumber* f : {&s.StartX, &s.StartZ, &s.EndX, &s.CenterX, &s.CenterZ, &s.Radius})
        if (!f->HoldsText()) Require(std::isfinite(f->AsNumber()), "a field holds " + Show(f->AsNumber()));
    for (double value : {s.EndZ, s.Pi, s.CosRatio, s.OffsetR, s.OffsetZ, s.Chord, s.ChordAngle, s.BaseAngle})
        Require(std::isfinite(value), "a number field holds " + Show(value));
}

// Plays the input into a freshly opened dialog of `kind` until it closes or the input ends.
inline void PlayDialog(testing::Rig& rig, ProfileDialogKind kind, FuzzedDataProvider& in) {
    rig.followFocus = kind == ProfileDialogKind::Arc1 || kind == ProfileDialogKind::Arc2;
    if (in.ConsumeIntegralInRange(0, 7) == 0) rig.desktop.windows.clear();
    rig.Open(kind);
    rig.written.clear();
    const int boxes = BoxCount(rig.dialog->form().controls);
    rig.focused = std::string(layout::kBoxNames[2]);
    for (int step = 0; step < 24 && !rig.closed && in.remaining_bytes() > 0; ++step) {
        const int box = in.ConsumeIntegralInRange(1, boxes);
        switch (in.ConsumeIntegralInRange(0, 5)) {
            case 0:
            case 1: rig.Type(box, BoxText(in)); break;
            case 2: {  // a click or Tab into another box, or onto a button
                const int to = in.ConsumeIntegralInRange(1, boxes + 2);
                rig.Leave(box, to <= boxes ? layout::kBoxNames[to - 1]
                                           : (to == boxes + 1 ? layout::kOkButton : layout::kCancelButton));
                break;
            }
            case 3: rig.dialog->KeyPress(box, u'\r'); break;
            case 4: rig.dialog->OkClick(); break;
            default: rig.Edit(box, BoxText(in)); break;  // pasted at once
        }
        for (const std::string& text : rig.written) RequireNumberText(text, "box text");
        RequireFiniteState(rig.state);
        Require(!LooksNonFinite(rig.desktop.transcript), "the host received \"" + rig.desktop.transcript + "\"");
        Require(rig.focusMoves < 1000, "the focus never comes to rest");
    }
}

}  // namespace kelo::fuzz
