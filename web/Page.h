#pragma once

#include "draw/Painter.h"
#include "play/PlayerInput.h"
#include "stage/Display.h"
#include "stage/Stage.h"
#include "web/PageWindow.h"

#include <memory>
#include <vector>

namespace tolvane {

// The web page behind the stage, a small desktop: a window on the page for every loaded window of
// the program, kept shown, hidden and raised as the stage says, and the page's input turned into
// the player's input, whose rules decide what reaches the stage, as on the desktop.
class Page final : public Display {
public:
    // `scale`: the screen's pixels for each pixel of the design, as the browser says.
    Page(Pictures& pictures, Fonts const& fonts, double scale)
        : m_painter(pictures, fonts, scale)
    { }
    ~Page() override;

    void attach(Stage& stage, PlayerInput& player);

    void window_loaded(Window&) override;
    void window_unloading(Window&) override;
    void window_shown(Window&) override;
    void window_hidden(Window&) override;
    void window_activated(Window&) override;
    void window_resized(Window&) override;

    // The page's input, by the id of the window it came to, in client pixels. A key goes to the
    // window that has the keyboard; the release of a button goes to the window that took its
    // press, with `over` saying whether the pointer is still over it.
    void on_key_down(Keystroke key);
    void on_mouse_down(int id, int x, int y, int button);
    void on_mouse_up(int id, int x, int y, int button, bool over);
    void on_close(int id);
    // The player clicked a window of the page, or moved the focus into it, which gives it the
    // keyboard.
    void on_focus(int id);
    // The page's own Pause and Sound buttons, which do what the Pause key and Ctrl+M do.
    void on_pause_button() { m_player->toggle_pause(); }
    void on_sound_button() { m_player->toggle_mute(); }
    // The tab went out of the player's sight, or came back: a hidden tab pauses the box set as
    // minimizing every window does on the desktop.
    void on_visibility_change(bool hidden) { m_player->set_out_of_sight(hidden); }

    // Paints and puts on the page what changed in every shown window.
    void repaint();
    // The screen's density changed: every window is painted afresh at the new scale.
    void set_scale(double scale);
    // The box set is paused: by the player, or while the tab is hidden.
    bool paused() const { return m_player && m_player->paused(); }

private:
    PageWindow* find(Window const& window) const;
    PageWindow* find(int id) const;
    PageWindow* shown(int id) const;
    static double twips(int pixel) { return (pixel + 0.5) * 15; }

    Painter m_painter;
    Stage* m_stage = nullptr;
    PlayerInput* m_player = nullptr;
    std::vector<std::unique_ptr<PageWindow>> m_windows;
    int m_keyboard = 0; // the window that has the keyboard
};

} // namespace tolvane
