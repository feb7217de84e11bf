#include "platform/sim/SimDisplaySet.h"

namespace tvm {

SimDisplaySet::SimDisplaySet(SimDisplay& primary, std::string primaryMonitorId,
                             std::string primaryName)
    : primary_(primary), primaryInfo_{"\\\\.\\DISPLAY1", std::move(primaryMonitorId),
                                      std::move(primaryName), 1, true} {
    gone_.RefuseChanges(DispChangeBadParam);
}

std::vector<DisplayInfo> SimDisplaySet::Attached() {
    std::vector<DisplayInfo> attached{primaryInfo_};
    for (const Entry& entry : others_) {
        if (entry.Attached) {
            attached.push_back(entry.Info);
        }
    }
    return attached;
}

SimDisplaySet::Entry* SimDisplaySet::Find(const std::string& deviceName) {
    for (Entry& entry : others_) {
        if (entry.Info.DeviceName == deviceName) {
            return &entry;
        }
    }
    return nullptr;
}

DisplayService& SimDisplaySet::Display(const std::string& deviceName) {
    if (deviceName == primaryInfo_.DeviceName) {
        return primary_;
    }
    Entry* entry = Find(deviceName);
    return entry != nullptr && entry->Attached ? *entry->Display : gone_;
}

SimDisplay& SimDisplaySet::Attach(SimDisplay display, const std::string& monitorId,
                                  const std::string& friendlyName, std::string deviceName) {
    const int number = static_cast<int>(others_.size()) + 2;
    if (deviceName.empty()) {
        deviceName = "\\\\.\\DISPLAY" + std::to_string(number);
    }
    if (Entry* entry = Find(deviceName)) {
        *entry->Display = std::move(display);
        entry->Info.MonitorId = monitorId;
        entry->Info.FriendlyName = friendlyName;
        entry->Attached = true;
        entry->Display->SetChangeListener([this] { primary_.AnnounceChange(); });
        return *entry->Display;
    }
    const std::string digits = deviceName.substr(deviceName.find_last_not_of("0123456789") + 1);
    others_.push_back(Entry{DisplayInfo{deviceName, monitorId, friendlyName,
                                        digits.empty() ? number : std::stoi(digits), false},
                            std::make_unique<SimDisplay>(std::move(display)), true});
    others_.back().Display->SetChangeListener([this] { primary_.AnnounceChange(); });
    return *others_.back().Display;
}

void SimDisplaySet::Detach(const std::string& deviceName) {
    if (Entry* entry = Find(deviceName)) {
        entry->Attached = false;
    }
}

} // namespace tvm
