#pragma once

#include "shell/TrayService.h"

#include <string>

namespace tvm {

// The program's icon in the notification area. Whether the user wants it and whether
// the shell has it are kept apart: the shell may refuse an icon (not running yet at
// log-on) or lose it (restarted), and the program must then neither believe it shows
// nor give up showing it. Reconcile alone talks to the shell, and brings what it has
// in line with what is wanted: the icon there or not, with the last picture and tip.
class TrayIcon {
public:
    explicit TrayIcon(TrayService& tray) : tray_(tray) {}
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    const TrayIconData& Data() const { return data_; }
    bool Wanted() const { return wanted_; }
    // The shell accepted the icon and has not lost it since, as far as the program knows.
    bool Shown() const { return shown_; }

    // Reconciles at once.
    void SetWanted(bool wanted);
    // The picture and tip (cut to what the record holds). The shell's icon keeps the
    // ones it has until the next Reconcile, so that an owner can hold a picture back.
    void SetState(TrayPicture picture, std::string tip);
    // The shell's notification area was created anew, without any icon of ours.
    void OnTaskbarCreated();

    void Reconcile();

private:
    TrayService& tray_;
    TrayIconData data_;
    bool wanted_ = false;
    bool shown_ = false;
    // The shown icon has the picture and tip of data_.
    bool current_ = false;
};

} // namespace tvm
