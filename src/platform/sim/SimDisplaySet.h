#pragma once

#include "display/DisplaySet.h"
#include "platform/sim/SimDisplay.h"

#include <memory>
#include <string>
#include <vector>

namespace tvm {

// The displays of a simulated desktop: the primary (the program's first display, kept
// by whoever made it) and any number of others, each with its own mode list, current
// mode and failures to inject. A change on any of them is announced once, through the
// primary's listener, as Windows announces every display's change to every window.
class SimDisplaySet : public DisplaySet {
public:
    SimDisplaySet(SimDisplay& primary, std::string primaryMonitorId = "MONITOR\\PRIMARY",
                  std::string primaryName = "Generic PnP Monitor");

    std::vector<DisplayInfo> Attached() override;
    DisplayService& Display(const std::string& deviceName) override;
    DisplayService& Primary() override { return primary_; }

    // A monitor plugged in (or docked): the next free \\.\DISPLAYn unless one is given.
    SimDisplay& Attach(SimDisplay display, const std::string& monitorId,
                       const std::string& friendlyName, std::string deviceName = "");
    // A monitor unplugged: its service stays and answers as a display without modes.
    void Detach(const std::string& deviceName);

private:
    struct Entry {
        DisplayInfo Info;
        std::unique_ptr<SimDisplay> Display;
        bool Attached = true;
    };
    Entry* Find(const std::string& deviceName);

    SimDisplay& primary_;
    DisplayInfo primaryInfo_;
    std::vector<Entry> others_;
    SimDisplay gone_;
};

} // namespace tvm
