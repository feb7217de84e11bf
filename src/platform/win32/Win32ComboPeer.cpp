#include "platform/win32/Win32Peers.h"

#include "ui/widgets/StdCtrls.h"

namespace tvm {

namespace {

// A combo box, editable unless it is a drop-down list. A key typed at the end of the text goes to
// the model as TComboBox::TypeText, exactly as a test types; a key typed elsewhere (into the
// middle, over a selection) passes the model's key filter and is then applied by the edit field,
// whose new text reaches the model as TComboBox::Paste. So do the edit field's own changes: paste,
// cut, Delete. An item picked from the list is SelectItem.
class ComboBoxPeer final : public Win32ControlPeer {
public:
    ComboBoxPeer(Win32FormPeer& form, Win32Host& host, TComboBox& combo)
        : Win32ControlPeer(form, host, combo), combo_(combo) {
        Create(WC_COMBOBOXA,
               WS_TABSTOP | WS_VSCROLL |
                   (combo.DropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL));
        if (combo.DropDownList) {
            return;
        }
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(Handle(), &info)) {
            edit_ = info.hwndItem;
        }
        Adopt(edit_);
        SetWindowSubclass(edit_, &ComboBoxPeer::EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
        SendMessageA(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(combo.MaxLength), 0);
    }

    ~ComboBoxPeer() override {
        if (edit_ != nullptr) {
            RemoveWindowSubclass(edit_, &ComboBoxPeer::EditProc, 1);
        }
    }

    bool TabStop() const override { return true; }

    void SyncItems(const std::vector<std::string>& items) override {
        {
            EchoGuard guard(*this);
            SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
            for (const std::string& item : items) {
                SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            }
        }
        // Emptying the list empties the edit field too; the model's text stays.
        MirrorText();
    }

    void SyncItemIndex(int index) override {
        {
            EchoGuard guard(*this);
            SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        // With no item selected the list clears the edit field; the text is the model's.
        MirrorText();
    }

    void SyncText(const std::string& text) override {
        if (edit_ == nullptr) {
            return; // a list shows its selected item, which SyncItemIndex sets
        }
        SendMessageA(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(combo_.MaxLength), 0);
        Win32ControlPeer::SyncText(text);
    }

    void OnCommand(WORD code) override {
        if (Echoing()) {
            return;
        }
        if (code == CBN_EDITCHANGE) {
            const std::string text = WindowText(edit_);
            Guard([&] { combo_.Paste(text); });
            MirrorText();
        } else if (code == CBN_SELCHANGE) {
            const auto index = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
            if (index >= 0) {
                Guard([&] { combo_.SelectItem(index); });
            }
        }
    }

protected:
    void Place(int left, int top, int width, int height) override {
        // The window's height includes the list that drops down.
        const auto itemHeight = static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, 0, 0));
        Win32ControlPeer::Place(left, top, width, height + 8 * itemHeight + 2);
    }

private:
    static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR /*id*/, DWORD_PTR data) {
        auto* peer = reinterpret_cast<ComboBoxPeer*>(data);
        if (message == WM_CHAR && peer->Char(wParam)) {
            return 0;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    // True when the key is done with; otherwise the edit field applies `key` (which
    // the filter may have changed).
    bool Char(WPARAM& key) {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const std::string text = WindowText(edit_);
        const char typed = static_cast<char>(key);
        const bool printable = static_cast<unsigned char>(typed) >= 32;
        if (start == end && end == text.size() && (printable || typed == '\b')) {
            Guard([&] { combo_.TypeText(std::string(1, typed)); });
            MirrorText();
            const auto length = static_cast<WPARAM>(GetWindowTextLengthA(edit_));
            SendMessageA(edit_, EM_SETSEL, length, static_cast<LPARAM>(length));
            return true;
        }
        char filtered = typed;
        bool passed = false;
        Dispatch([&] {
            combo_.KeyPress(filtered);
            passed = true;
        });
        if (!passed || filtered == 0) {
            return true;
        }
        key = static_cast<unsigned char>(filtered);
        return false;
    }

    void MirrorText() {
        if (edit_ != nullptr && WindowText(edit_) != combo_.Text()) {
            EchoGuard guard(*this);
            SetWindowTextA(edit_, combo_.Text().c_str());
        }
    }

    TComboBox& combo_;
    HWND edit_ = nullptr;
};

} // namespace

std::unique_ptr<Win32ControlPeer> CreateComboBoxPeer(Win32FormPeer& form, Win32Host& host,
                                                     TComboBox& combo) {
    return std::make_unique<ComboBoxPeer>(form, host, combo);
}

} // namespace tvm
