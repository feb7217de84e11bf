#pragma once

namespace tvm {

// One copy of the program per user session.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // Claims the program's name ("Tavelmorind"); true when another copy already has it.
    // Any failure to find out counts as false: the program then starts normally.
    virtual bool AnotherCopyRunning() = 0;
    // Asks the running copy to show its main window ("Tavelmorind_ShowMain"), and waits
    // until it has. False when no copy answered and the name has become this one's
    // meanwhile: the copy that had it was ending, and this start goes on as the program.
    virtual bool AskRunningCopyToShow() = 0;
    // The copy is ending: a start from now on is the program, not a request to it.
    virtual void Release() = 0;
};

} // namespace tvm
