#pragma once

#include "draw/HeldButton.h"
#include "draw/Painter.h"
#include "shell/DesktopWindow.h"
#include "shell/PausableClock.h"
#include "shell/StageInput.h"
#include "stage/Display.h"
#include "stage/Stage.h"

#include <functional>
#include <memory>
#include <vector>

union SDL_Event;
struct SDL_WindowEvent;
struct SDL_KeyboardEvent;
struct SDL_MouseButtonEvent;

namespace tolvane {

// The SDL desktop behind the stage: a real window for every loaded window of the program, kept
// shown, hidden and raised as the stage says, and the desktop's input turned into the stage's
// key presses, mouse presses, closes and resizes.
class Desktop final : public Display {
public:
    // `scale`: pixels on the screen for each pixel of the design (15 twips); 1 on a usual screen.
    Desktop(Pictures& pictures, Fonts const& fonts, double scale = 1);
    double scale() const { return m_painter.scale(); }
    // Where the centre of client pixel `pixel` lies, in twips, along either axis.
    double twips(int pixel) const;
    ~Desktop() override;

    // The stage to show, and the way the desktop's input reaches it: straight through unless
    // something is to stand in between.
    void attach(Stage& stage, StageInput* input = nullptr)
    {
        m_stage = &stage;
        m_direct = std::make_unique<DirectInput>(stage);
        m_input = input ? input : m_direct.get();
    }
    // The clock that stands still while the box set is paused: the event loop's own.
    void pause_clock(PausableClock& clock) { m_clock = &clock; }
    // Keys of the shell's own, such as Ctrl+M: a key press the function takes (returns true for)
    // never reaches the stage.
    void take_keys(std::function<bool(SDL_KeyboardEvent const&)> taker) { m_take_key = std::move(taker); }

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
    // The player paused the box set with the Pause key, or minimized every window it shows: no
    // timer runs, and no input but the Pause key and the close boxes reaches the stage.
    bool paused() const { return m_paused_by_key || m_all_minimized; }

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
    bool passes_while_paused(SDL_Event const& event) const;
    void note_minimized();
    void set_pause(bool by_key, bool all_minimized);
    void catch_up_sizes();
    int size_twips(int pixels) const;

    Pictures& m_pictures;
    bool m_watching_x = false;
    Painter m_painter;
    Stage* m_stage = nullptr;
    std::unique_ptr<DirectInput> m_direct;
    StageInput* m_input = nullptr;
    std::vector<std::unique_ptr<DesktopWindow>> m_windows;
    HeldButton m_held;
    // Whether a shown window of ours had the keyboard last. A window the program hides as it loses
    // the keyboard leaves it true, for the keyboard is then the program's to give to the next.
    bool m_has_keyboard = true;
    PausableClock* m_clock = nullptr;
    bool m_paused_by_key = false;
    bool m_all_minimized = false;
    bool m_quit = false;
    std::function<bool(SDL_KeyboardEvent const&)> m_take_key;
};

} // namespace tolvane
