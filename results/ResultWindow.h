#pragma once

#include "stage/Window.h"

namespace tolvane {

// What sets one result window apart from the others of its family.
struct ResultDesign {
    std::string_view name;
    std::string_view caption;
    int client_width = 0;
    int client_height = 0;
    std::string_view message;
    Bounds message_bounds;
    Colour message_BackColor = colours::ButtonFace;
    Colour message_ForeColor = colours::ButtonText;
    Bounds exit_bounds;
    Colour exit_BackColor = colours::ButtonFace;
    Cue phrase = Cue::GameOver; // heard when the window first shows
};

// The family of the four lose and win windows: a black window whose message grows by 9 points
// on every tick, without end, and an Exit button that ends the whole program. The button is
// the only sprite that can take the focus, so Space and Enter click it whenever the window is
// active.
class ResultWindow : public Window {
public:
    CommandButton Command1; // Exit
    Label lblmessage;
    Timer Timer1 { *this, { .interval = 200, .enabled = true } };

    void Timer1_Timer() override;

protected:
    ResultWindow(Stage&, ResultDesign const&);

private:
    void first_shown() override;
    void Command1_Click();

    Cue m_phrase;
};

} // namespace tolvane
