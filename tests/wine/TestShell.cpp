#include "TestShell.h"

namespace tvm::test {

TestShell::TestShell(Win32MessageLoop& loop, bool realize)
    : Display(loop), Windows(loop, {Timers, Display}, "Tavelmorind", {}, {}) {
    Main.SetCaption("Shell");
    Main.ClientWidth = 200;
    Main.ClientHeight = 100;
    if (realize) {
        Realize();
    }
}

void TestShell::Realize() {
    Windows.RealizeMain(Main, *this);
}

} // namespace tvm::test
