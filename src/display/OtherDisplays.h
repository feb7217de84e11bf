#pragma once

#include "display/DisplaySet.h"
#include "display/ModeTable.h"
#include "display/OverrideEngine.h"

#include <memory>
#include <string>
#include <vector>

namespace tvm {

// The displays attached to the desktop besides the primary, each with a mode table of
// its own that the override engine keeps. A display is known by its monitor, not by its
// GDI name, which changes when monitors are added or reordered; one that goes keeps its
// table (and so its Set At values) until it comes back.
class OtherDisplays {
public:
    struct Entry {
        DisplayInfo Info;
        DisplayService* Service;
        ModeTable Table;
        bool Attached = true;
    };

    OtherDisplays(DisplaySet& set, OverrideEngine& override) : set_(set), override_(override) {}

    // Looks at the desktop again. Returns the displays that appeared (or came back with
    // other modes): their tables are built, with every Set At "0" or the fastest rate as
    // `automatic` says, for the caller to give them their saved values.
    std::vector<Entry*> Refresh(bool automatic);
    // Every table's Set At values become the fastest rates (automatic) or "0".
    void ApplyFastest(bool automatic);

    const std::vector<std::unique_ptr<Entry>>& Entries() const { return entries_; }
    // The primary display as the last look found it.
    const DisplayInfo& PrimaryInfo() const { return primary_; }
    // How many displays are attached besides the primary.
    std::size_t AttachedCount() const;
    // The name a display's saved values go under: its monitor's identity.
    static std::string Identity(const DisplayInfo& info) {
        return info.MonitorId.empty() ? info.DeviceName : info.MonitorId;
    }

private:
    DisplaySet& set_;
    OverrideEngine& override_;
    std::vector<std::unique_ptr<Entry>> entries_;
    DisplayInfo primary_{"\\\\.\\DISPLAY1", "", "", 1, true};
};

// A display as the user tells it apart, the way the system's display settings do: its
// number, the monitor's name, and which is the main display.
std::string DisplayCaption(const DisplayInfo& info);

} // namespace tvm
