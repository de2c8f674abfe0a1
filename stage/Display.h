#pragma once

#include "stage/Cue.h"

namespace tolvane {

class Window;

// What a desktop needs to hear from the stage to keep real windows in step with the model.
// Sprite changes are not reported one by one: each window counts its changes (its revision),
// and the desktop repaints a window whose revision moved.
class Display {
public:
    virtual ~Display() = default;
    virtual void window_loaded(Window&) { }
    virtual void window_unloading(Window&) { }
    virtual void window_shown(Window&) { }
    virtual void window_hidden(Window&) { }
    virtual void window_activated(Window&) { }
    virtual void window_resized(Window&) { }
    virtual void program_ended() { }
    // A visible window sounded a cue; a window's held loops changed (heard while it is visible).
    virtual void cue_sounded(Window&, Cue) { }
    virtual void loops_changed(Window&) { }
};

} // namespace tolvane
