#include "PeerWorld.h"

namespace tvm::test {

void PeerTest::Key(WPARAM key) {
    const HWND focus = GetFocus();
    PostMessageA(focus != nullptr ? focus : Window(), WM_KEYDOWN, key, 1);
    PostMessageA(focus != nullptr ? focus : Window(), WM_KEYUP, key, 0xC0000001);
    Loop.PumpPending();
}

void PeerTest::Char(HWND window, char key) {
    PostMessageA(window, WM_CHAR, static_cast<unsigned char>(key), 1);
    Loop.PumpPending();
}

std::string PeerTest::Text(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

RECT PeerTest::ClientRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace tvm::test
