#pragma once

#include <string>
#include <vector>

namespace windriver {

using Words = std::vector<std::string>;

// Windows as a whole (WindowCommands.cpp).
void ListWindows(const Words& words);
void ListControlsOf(const Words& words);
void WaitWindow(const Words& words);
void Close(const Words& words);
void Send(const Words& words);
void BroadcastRegistered(const Words& words);
void SystemEvent(const Words& words);

// Controls and input (ControlCommands.cpp).
void Click(const Words& words);
void Answer(const Words& words);
void Key(const Words& words);
void MouseMove(const Words& words);
void Text(const Words& words);
void State(const Words& words);
void Cells(const Words& words);
void SelectRow(const Words& words);

// Pop-up menus (MenuCommands.cpp).
void MenuItems(const Words& words);
void MenuChoose(const Words& words);

} // namespace windriver
