#pragma once

#include <string>
#include <vector>

namespace tvm {

// The native side of a control. The control model owns the state and pushes each
// change here; a peer that exists mirrors it into the platform's control and turns
// the user's input into the same calls a test makes. Every method does nothing by
// default, so a headless peer is just this class.
class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void SyncBounds(int /*left*/, int /*top*/, int /*width*/, int /*height*/) {}
    virtual void SyncVisible(bool /*visible*/) {}
    virtual void SyncEnabled(bool /*enabled*/) {}
    virtual void SyncText(const std::string& /*text*/) {}
    virtual void SyncHint(const std::string& /*hint*/) {}
    virtual void SyncChecked(bool /*checked*/) {}
    virtual void SyncItems(const std::vector<std::string>& /*items*/) {}
    virtual void SyncItemIndex(int /*index*/) {}
    virtual void SyncValue(int /*value*/) {}
    virtual void SyncGridSize(int /*columns*/, int /*rows*/) {}
    virtual void SyncCell(int /*column*/, int /*row*/, const std::string& /*text*/) {}
    virtual void SyncColumnWidth(int /*column*/, int /*width*/) {}
    virtual void SyncSelectedRow(int /*row*/) {}
    virtual void Repaint() {}
    virtual void BringToFront() {}
    virtual void SetFocus() {}
};

} // namespace tvm
