#pragma once
// The toolbar window's model: its start, its state, and what its typing buttons do.
#include <string_view>

#include "channel/HostChannel.h"
#include "toolbar/Commands.h"
#include "toolbar/Settings.h"

namespace kelo {

struct ExtendLook {
    int heightTwips;
    std::string_view caption;
    std::string_view tip;
};

class MenuModel {
   public:
    explicit MenuModel(Desktop& desktop) : channel_(desktop, settings_.channel) {}

    // Reads the six settings. False when the start must end without a word
    // (an unreadable store, a stored DTime2 that is not a number); nothing is
    // then stored at close.
    bool LoadSettingsAtStart(SettingsStore& store, std::string_view exeFolder);

    // Types the start-up command; its trap ends it silently.
    void SendStartupCommand();

    // Stores the six settings, unless the start failed.
    void Menu_Form_Unload(SettingsStore& store);

    ExtendLook Look() const;
    void Menu_C_EXTEND_Click();

    // The click handler of every typing button (`Menu_Line_Poinr2_Click` and
    // its siblings), made from the button's row: runs a Plain or Sequence row
    // in the command frame. Rows of other kinds do nothing here.
    void RunCommand(const CommandRow& row);

    Settings& settings() { return settings_; }
    HostChannel& channel() { return channel_; }
    bool loaded() const { return loaded_; }

   private:
    Settings settings_;
    HostChannel channel_;
    bool loaded_ = false;
};

}  // namespace kelo
