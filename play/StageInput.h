#pragma once

#include "stage/Stage.h"

namespace tolvane {

// The one way the desktop's input reaches the stage. In plain play it goes straight through;
// the game puts the clock and the journal in between, and a replay drops the user's input.
class StageInput {
public:
    virtual ~StageInput() = default;
    virtual void key_down(int key_code) = 0;
    virtual void mouse_press(Window&, double x, double y, int button) = 0;
    virtual void mouse_release(Window* over, double x, double y, int button) = 0;
    virtual void close(Window&) = 0;
    virtual void resize(Window&, int client_width, int client_height) = 0;
    virtual void focus_window(Window&) = 0;
};

// Input handed to the stage as it comes.
class DirectInput final : public StageInput {
public:
    explicit DirectInput(Stage& stage)
        : m_stage(stage)
    { }
    void key_down(int key_code) override { m_stage.key_down(key_code); }
    void mouse_press(Window& window, double x, double y, int button) override
    {
        m_stage.mouse_press(window, x, y, button);
    }
    void mouse_release(Window* over, double x, double y, int button) override
    {
        m_stage.mouse_release(over, x, y, button);
    }
    void close(Window& window) override { m_stage.close(window); }
    void resize(Window& window, int client_width, int client_height) override
    {
        m_stage.resize(window, client_width, client_height);
    }
    void focus_window(Window& window) override { m_stage.focus_window(window); }

private:
    Stage& m_stage;
};

} // namespace tolvane
