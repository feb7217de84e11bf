#include "windriver/Commands.h"

#include "windriver/Arguments.h"
#include "windriver/CommandSet.h"

#include <map>

namespace windriver {

const char* Usage() {
    return R"(usage: WinDriver COMMAND ARGS...   (times in ms; default --timeout 10000)
  windows                                  every top-level window: handle, visible|hidden,
                                           process id, left,top,right,bottom, class, title
  controls TITLE                           the window's controls: handle, id, visible|hidden,
                                           enabled|disabled, class, text
  wait-window TITLE [--visible|--hidden|--gone]
  click TITLE CONTROL                      BM_CLICK; returns once the handler returned or
                                           opened a modal window (message box, dialog, menu)
  answer TITLE BUTTON [--contains TEXT]    waits for the dialog, prints its text, presses
                                           BUTTON and waits for the dialog to go
  close TITLE                              WM_CLOSE, as the close box does
  key TITLE VK [--focused] [--char]        posts WM_KEYDOWN/WM_KEYUP (the target's
                                           TranslateMessage makes WM_CHAR; --char posts one)
  mousemove TITLE X Y                      posts WM_MOUSEMOVE at client X,Y of TITLE to the
                                           window under that point
  send TITLE MSG WPARAM LPARAM             sends a message; prints the result unless the
                                           program opened a modal window
  broadcast-registered NAME [WPARAM LPARAM]  sends RegisterWindowMessage(NAME) to all
                                           top-level windows; prints the message number
  system-event EVENT                       sends every top-level window what Windows sends
                                           at EVENT: resume, unlock, console-connect,
                                           power-status, monitor-arrival; prints
                                           "sent-at-ns N", the Unix time it began sending
  text TITLE [CONTROL] [--expect TEXT]     prints the window's or the control's text (a
                                           status bar's simple text or parts); --expect
                                           waits until it reads TEXT
  state TITLE CONTROL                      visible|hidden enabled|disabled [checked|unchecked]
  cells TITLE [--header] [--selected]      the rows of the first list view, tab-separated
  select-row TITLE ROW                     selects row ROW (from 0) of the first list view
  menu-items [TITLE]                       the items of the open pop-up menu (of TITLE's
                                           process): [x]/[ ] TEXT [(disabled)] [(default)]
                                           [>], "-" for a separator
  menu-choose TEXT [--owner TITLE]         chooses an item of the open pop-up menu with
                                           the keyboard (Home, Down..., Enter)
CONTROL is the control's exact text ("&Press"), or --class CLASS [--index N], or --id ID.
Every command takes --timeout MS.
)";
}

void Run(const std::string& command, const std::vector<std::string>& arguments) {
    static const std::map<std::string, void (*)(const Words&)> commands = {
        {"windows", &ListWindows},
        {"controls", &ListControlsOf},
        {"wait-window", &WaitWindow},
        {"click", &Click},
        {"answer", &Answer},
        {"close", &Close},
        {"key", &Key},
        {"mousemove", &MouseMove},
        {"send", &Send},
        {"broadcast-registered", &BroadcastRegistered},
        {"system-event", &SystemEvent},
        {"text", &Text},
        {"state", &State},
        {"cells", &Cells},
        {"select-row", &SelectRow},
        {"menu-items", &MenuItems},
        {"menu-choose", &MenuChoose},
    };
    const auto found = commands.find(command);
    if (found == commands.end()) {
        BadUsage("unknown command");
    }
    found->second(arguments);
}

} // namespace windriver
