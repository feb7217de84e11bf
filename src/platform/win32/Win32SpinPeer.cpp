#include "platform/win32/Win32Peers.h"

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Handles.h"
#include "ui/widgets/StdCtrls.h"

namespace tvm {

namespace {

// An edit field with an up-down control beside it. The up-down does not write into the
// field (no UDS_SETBUDDYINT): its arrows, and the arrow keys in the field, step the
// model, which clamps and shows the value. Typing is TSpinEdit::TypeText; leaving the
// field clamps what was typed.
class SpinEditPeer final : public Win32ControlPeer {
public:
    SpinEditPeer(Win32FormPeer& form, Win32Host& host, TSpinEdit& spin)
        : Win32ControlPeer(form, host, spin), spin_(spin) {
        Create(WC_EDITA, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
        arrows_ =
            CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0,
                            0, 0, host.HostWindow(), nullptr, GetModuleHandleA(nullptr), nullptr);
        if (arrows_ == nullptr) {
            ThrowLastError("CreateWindowExA");
        }
        Adopt(arrows_);
        SendMessageA(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle()), 0);
        SetWindowSubclass(Handle(), &SpinEditPeer::FieldProc, 1, 0);
    }

    ~SpinEditPeer() override { RemoveWindowSubclass(Handle(), &SpinEditPeer::FieldProc, 1); }

    bool TabStop() const override { return true; }

    // The range has no call of its own: it travels with the text and the value.
    void SyncText(const std::string& text) override {
        SyncRange();
        Win32ControlPeer::SyncText(text);
    }

    void SyncValue(int value) override {
        SyncRange();
        EchoGuard guard(*this);
        SendMessageA(arrows_, UDM_SETPOS32, 0, value);
    }

    void OnCommand(WORD code) override {
        if (Echoing()) {
            return;
        }
        if (code == EN_CHANGE) {
            const std::string text = WindowText(Handle());
            Dispatch([&] { spin_.TypeText(text); });
            // The model keeps at most MaxLength characters.
            Win32ControlPeer::SyncText(spin_.Text());
        } else if (code == EN_KILLFOCUS) {
            Dispatch([&] { spin_.LoseFocus(); });
        }
    }

    LRESULT OnNotify(const NMHDR& header) override {
        if (header.code != UDN_DELTAPOS) {
            return 0;
        }
        if (!Echoing()) {
            const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
            Dispatch([&] {
                if (change.iDelta > 0) {
                    spin_.StepUp();
                } else if (change.iDelta < 0) {
                    spin_.StepDown();
                }
            });
        }
        // The up-down keeps its own position out of it; SyncValue sets it.
        return TRUE;
    }

protected:
    void SyncRange() {
        EchoGuard guard(*this);
        SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(spin_.MaxLength()), 0);
        SendMessageA(arrows_, UDM_SETRANGE32, static_cast<WPARAM>(spin_.MinValue()),
                     spin_.MaxValue());
    }

    void Place(int left, int top, int width, int height) override {
        EchoGuard guard(*this);
        const int arrowsWidth = SystemMetricForDpi(SM_CXVSCROLL, Form().Dpi());
        const int fieldWidth = width > arrowsWidth ? width - arrowsWidth : 0;
        SetWindowPos(Handle(), nullptr, left, top, fieldWidth, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(arrows_, nullptr, left + fieldWidth, top, width - fieldWidth, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    // A rejected key never reaches the field; pasted text is filtered by TypeText.
    static LRESULT CALLBACK FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR /*data*/) {
        if (message == WM_CHAR && wParam < 256) {
            char key = static_cast<char>(wParam);
            TSpinEdit::FilterKey(key);
            if (key == 0) {
                return 0;
            }
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    TSpinEdit& spin_;
    HWND arrows_ = nullptr;
};

} // namespace

std::unique_ptr<Win32ControlPeer> CreateSpinEditPeer(Win32FormPeer& form, Win32Host& host,
                                                     TSpinEdit& spin) {
    return std::make_unique<SpinEditPeer>(form, host, spin);
}

} // namespace tvm
