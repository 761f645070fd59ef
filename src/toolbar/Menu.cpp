#include "toolbar/Menu.h"

#include "text/Texts.h"
#include "toolbar/Layout.h"

namespace kelo {

bool MenuModel::LoadSettingsAtStart(SettingsStore& store, std::string_view exeFolder) {
    try {
        settings_ = LoadSettings(store, exeFolder);
        loaded_ = true;
    } catch (const std::runtime_error&) {  // a store that cannot be read, or a wait that is no number
        loaded_ = false;
    }
    return loaded_;
}

void MenuModel::SendStartupCommand() {
    RunSilently(channel_.desktop(), [&] {
        channel_.BeginHostCommand();
        channel_.Type(texts::kStartupCommand);
        channel_.SendEnter();
    });
}

void MenuModel::Menu_Form_Unload(SettingsStore& store) {
    // A failed start read only part of the values: storing them would replace good ones.
    if (loaded_) StoreSettings(store, settings_);
}

ExtendLook MenuModel::Look() const {
    if (IsExtended(settings_.extend)) return {kExpandedHeightTwips, texts::kCollapseCaption, texts::kCollapseTip};
    return {kCollapsedHeightTwips, texts::kExpandCaption, texts::kExpandTip};
}

void MenuModel::Menu_C_EXTEND_Click() { settings_.extend = !IsExtended(settings_.extend); }

void MenuModel::RunCommand(const CommandRow& row) {
    if (row.behaviour != Behaviour::Plain && row.behaviour != Behaviour::Sequence) return;
    RunHostCommand(channel_, [&] {
        if (row.opening == Opening::Short)
            channel_.ActivateHost();
        else
            channel_.BeginHostCommand();
        // The Shift test comes after the opening's waits, not at the click.
        const bool shift = !row.shiftLine.empty() && channel_.IsShiftHeld();
        const CommandPlan plan = PlanCommand(row, shift);
        for (std::size_t i = 0; i < plan.count; ++i) {
            const Step& step = plan.steps[i];
            switch (step.kind) {
                case Step::Kind::Text: channel_.Type(step.text); break;
                case Step::Kind::Enter: channel_.SendEnter(); break;
                case Step::Kind::Cancel: channel_.SendCancel(); break;
            }
        }
    });
}

}  // namespace kelo
