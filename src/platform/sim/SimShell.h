#pragma once

#include "platform/sim/VirtualClock.h"
#include "power/PowerService.h"
#include "shell/ShellEvents.h"
#include "shell/SingleInstance.h"
#include "shell/SystemService.h"
#include "shell/TrayService.h"
#include "shell/WindowSystem.h"
#include "ui/widgets/Application.h"
#include "ui/widgets/Form.h"

#include <string>
#include <vector>

namespace tvm {

// The notification area, recording every request; it can be told to refuse icons, as
// a shell that is not running yet does.
class SimTray : public TrayService {
public:
    enum class Op { Add, Modify, Delete };
    struct Request {
        Op Operation;
        TrayIconData Data;
    };

    bool Add(const TrayIconData& data) override { return Record(Op::Add, data); }
    void Modify(const TrayIconData& data) override { Record(Op::Modify, data); }
    void Delete(const TrayIconData& data) override { Record(Op::Delete, data); }
    void ShowMenu(TMenu& menu) override;
    int MenusShown() const { return menusShown_; }

    const std::vector<Request>& Requests() const { return requests_; }
    // Whether the shell would show an icon now, and which.
    bool Present() const { return present_; }
    const TrayIconData& Shown() const { return shown_; }
    // A restarted shell: every icon is gone.
    void Restart() { present_ = false; }

    bool RefuseAdds = false;

private:
    // Whether the shell took the request.
    bool Record(Op op, const TrayIconData& data);

    std::vector<Request> requests_;
    bool present_ = false;
    TrayIconData shown_;
    int menusShown_ = 0;
};

// Trims, started commands and waits, recorded; waits pass on the virtual clock.
class SimSystem : public SystemService {
public:
    explicit SimSystem(VirtualClock& clock) : clock_(clock) {}

    void TrimWorkingSet() override { ++trims_; }
    void WinExec(const std::string& commandLine, int show) override {
        commands_.push_back({commandLine, show});
    }
    void Sleep(std::uint32_t ms) override {
        sleeps_.push_back(ms);
        clock_.Sleep(ms);
    }
    PowerSource ReadPowerSource() override { return Power; }

    // What the PC's power supply says; a test flips it.
    PowerSource Power;

    struct Command {
        std::string CommandLine;
        int Show;
    };
    int Trims() const { return trims_; }
    const std::vector<Command>& Commands() const { return commands_; }
    const std::vector<std::uint32_t>& Sleeps() const { return sleeps_; }

private:
    VirtualClock& clock_;
    int trims_ = 0;
    std::vector<Command> commands_;
    std::vector<std::uint32_t> sleeps_;
};

// The screen saver and monitor power, recorded in order.
class SimPower : public PowerService {
public:
    void SendSysCommand(std::uint32_t command, std::intptr_t lParam) override {
        Log.push_back("syscommand " + std::to_string(command) + " " + std::to_string(lParam));
    }
    void SetScreenSaverActive(bool active) override {
        Log.push_back(std::string("screensaver ") + (active ? "on" : "off"));
        ScreenSaverActive = active;
    }
    std::vector<std::string> Log;
    bool ScreenSaverActive = true;
};

// The single-instance check: another copy is running or not, as a test says.
class SimSingleInstance : public SingleInstance {
public:
    bool AnotherCopyRunning() override { return AnotherCopy; }
    bool AskRunningCopyToShow() override {
        ++Asks;
        return !CopyEnding;
    }
    void Release() override { Released = true; }
    bool AnotherCopy = false;
    // The running copy answers nothing and hands its name on: it is ending.
    bool CopyEnding = false;
    int Asks = 0;
    bool Released = false;
};

// Windows without a face: realizing one records it; the message loop is the test.
class SimWindowSystem : public WindowSystem {
public:
    void Realize(TForm& form) override { Realized.push_back(form.Caption()); }
    void RealizeMain(TForm& main, ShellEvents& /*events*/) override { Realize(main); }
    void HideApplicationWindow() override { ApplicationWindowHidden = true; }
    void RunMessageLoop(TApplication& app) override { LoopRanTerminated = app.Terminated(); }

    std::vector<std::string> Realized;
    bool ApplicationWindowHidden = false;
    bool LoopRanTerminated = false;
};

} // namespace tvm
