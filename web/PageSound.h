#pragma once

#include "play/SoundScene.h"
#include "stage/Display.h"
#include "stage/Stage.h"

namespace tolvane {

// The box set's sounds in the page, with the browser's Web Audio (sound.js). It stands between the
// stage and the page as the desktop's sound does: every call of the stage goes on to the page, and
// the cues and loops of visible windows are played, the same on the same channels. Nothing is
// heard while paused or muted; the browser's audio starts at the player's first key or click.
class PageSound final : public Display {
public:
    PageSound(Display& page, bool muted)
        : m_page(page)
        , m_muted(muted)
    { }

    void attach(Stage const& stage) { m_stage = &stage; }

    void window_loaded(Window& window) override { m_page.window_loaded(window); }
    void window_unloading(Window& window) override { m_page.window_unloading(window); }
    void window_shown(Window&) override;
    void window_hidden(Window&) override;
    void window_activated(Window& window) override { m_page.window_activated(window); }
    void window_resized(Window& window) override { m_page.window_resized(window); }
    void program_ended() override;
    void cue_sounded(Window&, Cue) override;
    void loops_changed(Window&) override { settle(); }

    // Brings the loops in line with the program; the page calls it once a round.
    void settle();
    void set_paused(bool paused);
    // Ctrl+M: silence at once, or sound again from the next cue or loop.
    void set_muted(bool muted);
    bool muted() const { return m_muted; }

private:
    SoundScene survey() const;

    Display& m_page;
    Stage const* m_stage = nullptr;
    bool m_muted = false;
    bool m_paused = false;
};

} // namespace tolvane
