#pragma once

#include "desktop/DesktopWindow.h"
#include "draw/Painter.h"
#include "play/PlayerInput.h"
#include "stage/Display.h"
#include "stage/Stage.h"

#include <memory>
#include <vector>

union SDL_Event;
struct SDL_WindowEvent;
struct SDL_KeyboardEvent;
struct SDL_MouseButtonEvent;

namespace tolvane {

// The SDL desktop behind the stage: a real window for every loaded window of the program, kept
// shown, hidden and raised as the stage says, and the desktop's events turned into the player's
// input, whose rules decide what reaches the stage.
class Desktop final : public Display {
public:
    // `scale`: pixels on the screen for each pixel of the design (15 twips), 1 on a usual screen,
    // and whether a window too large for the screen's work area may be drawn smaller.
    Desktop(Pictures& pictures, Fonts const& fonts, WindowScale scale);
    ~Desktop() override;

    // The stage to show, and the rules the desktop's input goes through to reach it.
    void attach(Stage& stage, PlayerInput& player);
    PlayerInput& player() { return *m_player; }

    void window_loaded(Window&) override;
    void window_unloading(Window&) override;
    void window_shown(Window&) override;
    void window_hidden(Window&) override;
    void window_activated(Window&) override;
    void window_resized(Window&) override;

    void handle(SDL_Event const& event);
    // Paints and presents what changed in every shown window.
    void repaint();

    // Someone asked the program to stop from outside, by a signal or the end of the session.
    bool quit_requested() const { return m_quit; }
    // The player paused the box set with the Pause key, or minimized every window it shows.
    bool paused() const { return m_player && m_player->paused(); }

    DesktopWindow* find(Window const& window) const;
    DesktopWindow* find(std::uint32_t id) const;
    DesktopWindow* find_x_window(unsigned long x_window) const;

private:
    void close_destroyed_windows();
    void close_destroyed(DesktopWindow& gone);
    void renew(DesktopWindow& gone);
    void on_window_event(SDL_WindowEvent const& event);
    void keep_hidden(DesktopWindow& hidden, SDL_WindowEvent const& event);
    void on_key_down(SDL_KeyboardEvent const& event);
    void on_button_down(SDL_MouseButtonEvent const& event);
    void on_button_up(SDL_MouseButtonEvent const& event);
    void note_minimized();
    void show_paused(bool paused);
    void catch_up_sizes();

    Pictures& m_pictures;
    WindowScale m_scale;
    bool m_watching_x = false;
    Painter m_painter;
    Stage* m_stage = nullptr;
    PlayerInput* m_player = nullptr;
    std::vector<std::unique_ptr<DesktopWindow>> m_windows;
    // Whether a shown window of ours had the keyboard last. A window the program hides as it loses
    // the keyboard leaves it true, for the keyboard is then the program's to give to the next.
    bool m_has_keyboard = true;
    bool m_quit = false;
};

} // namespace tolvane
