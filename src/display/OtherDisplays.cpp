#include "display/OtherDisplays.h"

namespace tvm {

std::vector<OtherDisplays::Entry*> OtherDisplays::Refresh(bool automatic) {
    const std::vector<DisplayInfo> attached = set_.Attached();
    for (const DisplayInfo& info : attached) {
        if (info.Primary) {
            primary_ = info;
        }
    }
    std::vector<Entry*> appeared;
    for (auto& entry : entries_) {
        bool still = false;
        for (const DisplayInfo& info : attached) {
            still = still || (!info.Primary && Identity(info) == Identity(entry->Info));
        }
        if (!still && entry->Attached) {
            entry->Attached = false;
            override_.SetDisplayAttached(*entry->Service, false);
        }
    }
    for (const DisplayInfo& info : attached) {
        if (info.Primary) {
            continue;
        }
        Entry* entry = nullptr;
        for (auto& known : entries_) {
            if (Identity(known->Info) == Identity(info)) {
                entry = known.get();
            }
        }
        DisplayService& service = set_.Display(info.DeviceName);
        if (entry != nullptr && entry->Attached && entry->Service == &service) {
            entry->Info = info;
            continue;
        }
        if (entry == nullptr) {
            entries_.push_back(std::make_unique<Entry>(Entry{info, &service, ModeTable(service)}));
            entry = entries_.back().get();
            entry->Table.BuildModeTable();
            entry->Table.ApplyFastest(automatic);
        } else {
            // Back again, perhaps under another name: the values it had stay for the modes
            // it still offers.
            ModeTable table(service);
            table.BuildModeTable();
            table.ApplyFastest(automatic);
            for (std::size_t row = 0; row < table.Count(); ++row) {
                if (const auto old = entry->Table.Find(table.Row(row).Key)) {
                    table.SetRate(row, entry->Table.Row(*old).Rate);
                }
            }
            if (entry->Service != &service) {
                override_.SetDisplayAttached(*entry->Service, false);
            }
            entry->Info = info;
            entry->Service = &service;
            entry->Table = std::move(table);
            entry->Attached = true;
            override_.AddDisplay(service, entry->Table);
            continue;
        }
        override_.AddDisplay(service, entry->Table);
        appeared.push_back(entry);
    }
    return appeared;
}

std::size_t OtherDisplays::AttachedCount() const {
    std::size_t count = 0;
    for (const auto& entry : entries_) {
        count += entry->Attached ? 1 : 0;
    }
    return count;
}

std::string DisplayCaption(const DisplayInfo& info) {
    std::string caption = std::to_string(info.Number) + ".";
    if (!info.FriendlyName.empty()) {
        caption += " " + info.FriendlyName;
    }
    return info.Primary ? caption + " (main display)" : caption;
}

void OtherDisplays::ApplyFastest(bool automatic) {
    for (auto& entry : entries_) {
        entry->Table.ApplyFastest(automatic);
    }
}

} // namespace tvm
