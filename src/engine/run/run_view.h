#pragma once

#include <string>

#include "engine/platform/message_box_port.h"

namespace quorrix::engine {

enum class RunLabel {
    Progress, // lblProgress: action and total
    List, // lblQRXList: which document of how many
    Sheet, // lblSheet: what happens to the current document
};

enum class RunBar {
    List, // prgrQRXList
    Sheet, // prgrSheet
};

// What a run shows the user: the progress window (labels, bars, Cancel) and modal message
// boxes. The windows implement it with frmProgress, the headless runner with a console
// line, tests with a recorder.
class RunView : public MessageBoxPort {
public:
    using MessageBoxPort::show;

    virtual void setLabel(RunLabel label, const std::string& caption) = 0;
    virtual std::string label(RunLabel label) const = 0;
    // The sheet label turns red while a filtered sheet is shown, else the button colour.
    virtual void setSheetLabelHighlighted(bool highlighted) = 0;

    // Bars take 32-bit floats, as the progress window's bars do.
    virtual void setBarRange(RunBar bar, float minimum, float maximum) = 0;
    virtual void setBarValue(RunBar bar, float value) = 0;

    virtual void show() = 0; // not modal
    virtual void repaint() = 0;
    virtual void unload() = 0;
    // Lets the message loop run once: the moment a Cancel click can arrive and set the
    // program's cancel flag.
    virtual void processEvents() = 0;
};

} // namespace quorrix::engine
