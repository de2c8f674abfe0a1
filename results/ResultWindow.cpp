#include "results/ResultWindow.h"

namespace tolvane {

// The message starts at the default size; the timer's place among the sprites changes nothing
// for the stage, so every window stores its button first and its message last.
ResultWindow::ResultWindow(Stage& stage, ResultDesign const& design)
    : Window(stage,
        {
            .name = design.name,
            .caption = design.caption,
            .client_width = design.client_width,
            .client_height = design.client_height,
            .BackColor = colours::Black,
        })
    , Command1({ .name = "Command1",
          .bounds = design.exit_bounds,
          .caption = "Exit",
          .style = 1,
          .BackColor = design.exit_BackColor,
          .TabIndex = 0 })
    , lblmessage({ .name = "lblmessage",
          .bounds = design.message_bounds,
          .caption = design.message,
          .BackColor = design.message_BackColor,
          .ForeColor = design.message_ForeColor })
    , m_phrase(design.phrase)
{
    store({ &Command1, &lblmessage });
    on_click(Command1, &ResultWindow::Command1_Click);
}

// No upper limit: the message grows for as long as the window stays loaded, shown or hidden.
void ResultWindow::Timer1_Timer() { lblmessage.FontSize = lblmessage.FontSize + 9; }

// Only the first show of a load is heard: a won board that shows its win window again on every
// tick does not repeat the phrase.
void ResultWindow::first_shown() { cue(m_phrase); }

void ResultWindow::Command1_Click() { End(); }

} // namespace tolvane
