#pragma once

#include "play/Journal.h"
#include "play/StageInput.h"
#include "play/StageTime.h"

#include <array>
#include <string>

namespace tolvane {

// The desktop's input on its way to the stage in the game: each input first sets the stage's
// clock to the moment the stage takes it and, while a journal records, is written down as the
// line of `tolvane-script` that gives the stage the very same input. Input that the stage would
// pass over (a press on a hidden window, the keyboard given to the window that has it) is not
// written, so that every line of a journal is one the runner accepts.
class TimedInput final : public StageInput {
public:
    TimedInput(Stage& stage, StageTime& time)
        : m_stage(stage)
        , m_time(time)
    { }

    void key_down(int key_code) override;
    void mouse_press(Window&, double x, double y, int button) override;
    void mouse_release(Window* over, double x, double y, int button) override;
    void close(Window&) override;
    void resize(Window&, int client_width, int client_height) override;
    void focus_window(Window&) override;

private:
    bool recording() const;
    void write(std::string const& line);
    std::string mouse_line(std::string_view command, std::string_view window, double x, double y, int button) const;
    std::string_view release_window(Window* over, int button) const;

    Stage& m_stage;
    StageTime& m_time;
    std::array<std::string, 4> m_pressed; // the window that took each button's press, by button 1 to 3
};

} // namespace tolvane
