// The box set in a web page. The stage, the games and the drawing are the desktop's own; the page
// (page.js) shows each window of the program as a window of its own, and this file carries the
// page's input and time to the stage, as the desktop's event loop does.

#include "boxset/BoxSet.h"
#include "cli/Version.h"
#include "draw/Fonts.h"
#include "draw/Pictures.h"
#include "play/Journal.h"
#include "play/PausableClock.h"
#include "play/PlayerInput.h"
#include "play/Scale.h"
#include "play/StageTime.h"
#include "play/TickObserver.h"
#include "play/TimedInput.h"
#include "script/State.h"
#include "stage/Check.h"
#include "stage/Stage.h"
#include "web/Keys.h"
#include "web/Page.h"
#include "web/PageScript.h"
#include "web/PageSound.h"
#include "web/WebClock.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace tolvane {

namespace {

// Counts the ticks, of every window and in all, for the page's tick rate.
class TickCount final : public TickObserver {
public:
    void ticked(std::string_view window, std::int64_t) override
    {
        ++m_ticks;
        auto const found = m_by_window.find(window);
        if (found == m_by_window.end())
            m_by_window.emplace(std::string(window), 1);
        else
            ++found->second;
    }
    double ticks() const { return static_cast<double>(m_ticks); }
    double ticks_of(std::string_view window) const
    {
        auto const found = m_by_window.find(window);
        return found == m_by_window.end() ? 0 : static_cast<double>(found->second);
    }

private:
    std::uint64_t m_ticks = 0;
    std::map<std::string, std::uint64_t, std::less<>> m_by_window;
};

// The timer that waits for the next tick.
void on_timeout(void*);

// The screen's pixels for each pixel of the design, as the page says: 2 on a screen of twice the
// density, more or less as the player zooms the page, and less on a screen too narrow for the
// box set. The desktop's range holds here too.
double page_scale() { return std::clamp(page_density(), smallest_scale, largest_scale); }

// One run of the box set, from the launcher to the end of the program. Every piece of the page's
// input starts a round, as does the timer that waits for the next tick: the stage's clock is set,
// the input taken, the ticks due delivered, and what changed painted. Between rounds nothing runs:
// with no tick due, as while only the launcher is open, the page waits for input alone.
class PageSession {
public:
    // Where the page keeps the journal of the session, in the module's own memory; the page's
    // "Download the journal" link saves it.
    static constexpr char const* journal_file = "/journal.tolvane";

    // `muted`: the player's choice of silence, which Ctrl+M changes for this run and the next.
    PageSession(Pictures& pictures, Fonts const& fonts, TickCount& ticks, bool& muted)
        : m_journal(open_journal())
        , m_pause(m_clock)
        , m_time(m_pause, m_journal.get())
        , m_page(pictures, fonts, page_scale())
        , m_sound(m_page, muted)
        , m_stage(m_time.clock(), &m_sound)
        , m_input(m_stage, m_time)
        , m_player(m_stage, m_input, m_pause, muted)
        , m_ticks(ticks)
    {
        m_time.attach(m_stage);
        m_page.attach(m_stage, m_player);
        m_sound.attach(m_stage);
        m_player.on_mute_changed([this, &muted](bool now_muted) {
            muted = now_muted;
            m_sound.set_muted(now_muted);
            page_sound_remember_muted(now_muted);
            page_show_muted(now_muted);
        });
        page_show_paused(false);
        page_show_muted(muted);
        add_box_set_windows(m_stage);
        m_stage.start(startup_window);
        m_sound.settle();
        m_page.repaint();
        page_show_ready();
        schedule();
    }
    ~PageSession() { emscripten_clear_timeout(m_timeout); }
    PageSession(PageSession const&) = delete;
    PageSession& operator=(PageSession const&) = delete;

    Page& page() { return m_page; }
    bool ended() const { return m_stage.ended(); }

    // The journal so far: every line the session has recorded, up to the stage's clock now, and
    // then, as a desktop journal ends, the state of every window at that moment. The state line
    // is the download's alone: the session's own journal goes on without it.
    std::string journal()
    {
        if (m_journal) {
            m_journal->reach(m_time.stage_us());
            m_journal->flush();
        }
        std::ifstream in(journal_file, std::ios::binary);
        std::string text { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
        if (!text.empty()) {
            text += "# state ";
            text += dump_state(m_stage);
            text += '\n';
        }
        return text;
    }

    template <typename Input> void round(Input const& input)
    {
        if (ended())
            return;
        m_time.begin_round();
        input();
        finish_round();
    }

private:
    static std::unique_ptr<Journal> open_journal()
    {
        std::string error;
        std::unique_ptr<Journal> journal = Journal::open(journal_file, project_version, error);
        if (!journal)
            std::cerr << "tolvane: no journal: " << error << '\n';
        return journal;
    }

    void finish_round()
    {
        while (!ended()) {
            if (!m_page.paused())
                m_time.deliver_ticks(&m_ticks);
            if (ended())
                break;
            std::optional<std::int64_t> const due = next_due();
            if (due && *due <= m_time.real_us()) {
                m_time.begin_round();
                continue;
            }
            m_time.before_sleep(due);
            m_sound.set_paused(m_page.paused());
            m_page.repaint();
            schedule();
            return;
        }
        emscripten_clear_timeout(m_timeout);
        m_timeout = 0;
        if (m_journal)
            m_journal->flush();
    }

    std::optional<std::int64_t> next_due() const { return m_page.paused() ? std::nullopt : m_stage.next_due(); }

    // Wakes the page when the next tick is due, rounded up to whole milliseconds so that a tick
    // is never early; with no tick due, nothing waits.
    void schedule()
    {
        emscripten_clear_timeout(m_timeout);
        m_timeout = 0;
        std::optional<std::int64_t> const due = next_due();
        if (!due)
            return;
        std::int64_t const left_us = std::max<std::int64_t>(0, *due - m_time.real_us());
        m_timeout = emscripten_set_timeout(on_timeout, static_cast<double>((left_us + 999) / 1000), nullptr);
    }

    std::unique_ptr<Journal> m_journal;
    WebClock m_clock;
    PausableClock m_pause; // stands still while the box set is paused
    StageTime m_time;
    Page m_page;
    PageSound m_sound;
    Stage m_stage;
    TimedInput m_input;
    PlayerInput m_player;
    TickCount& m_ticks;
    long m_timeout = 0;
};

struct PageState {
    std::unique_ptr<Pictures> pictures;
    std::unique_ptr<Fonts> fonts;
    TickCount ticks;
    std::unique_ptr<PageSession> session;
    bool muted = false; // the player's choice, kept from one run of the box set to the next
    std::string ended_journal; // the journal of the run that ended last
    std::uint64_t rounds = 0; // how often the page woke the box set, for input or a tick
};

PageState& state()
{
    static PageState page_state;
    return page_state;
}

// A failure that the program's own code let out of a handler (it ran out of memory, say): the box
// set stops, as the desktop's program ends with one line, its windows go from the page, and the
// page says why. The journal so far stays to be downloaded, for a report of the fault.
void stop_on_failure(std::string_view what)
{
    std::cerr << "tolvane: " << what << '\n';
    PageState& page = state();
    try {
        if (page.session)
            page.ended_journal = page.session->journal();
    } catch (std::exception const&) {
        page.ended_journal.clear();
    }
    page.session.reset();
    page_show_failure(std::string(what).c_str());
}

// Starts a round with a piece of the page's input. When the program ends in it, its windows go
// from the page, which then says so.
template <typename Input> void take(Input const& input)
{
    PageState& page = state();
    if (!page.session)
        return;
    ++page.rounds;
    try {
        page.session->round([&] { input(page.session->page()); });
    } catch (std::exception const& failure) {
        stop_on_failure(failure.what());
        return;
    }
    if (page.session->ended()) {
        page.ended_journal = page.session->journal();
        page.session.reset();
        page_show_ended();
    }
}

void on_timeout(void*)
{
    take([](Page&) {});
}

// A tab the player left pauses the box set, and coming back ends that pause, unless the player
// paused it too.
EM_BOOL on_visibility_change(int, EmscriptenVisibilityChangeEvent const* event, void*)
{
    bool const hidden = event->hidden != 0;
    take([hidden](Page& page) { page.on_visibility_change(hidden); });
    return EM_FALSE;
}

std::unique_ptr<Typeface> open_face(char const* path)
{
    std::string error;
    std::unique_ptr<Typeface> face = Typeface::open(path, 0, error);
    if (!face)
        std::cerr << "tolvane: " << error << '\n';
    return face;
}

} // namespace

} // namespace tolvane

using namespace tolvane;

// What the page's script calls.
extern "C" {

EMSCRIPTEN_KEEPALIVE void web_start()
{
    PageState& page = state();
    page.session.reset();
    try {
        page.session = std::make_unique<PageSession>(*page.pictures, *page.fonts, page.ticks, page.muted);
    } catch (std::exception const& failure) {
        stop_on_failure(failure.what());
    }
}

// A key pressed while the focus is in a window of the box set (page.js looks). Only the keys the
// box set uses are taken, and the page then cancels the browser's own use of them; every other
// key is the browser's (Tab moves the focus, F5 reloads). `key_code` is the browser's.
EMSCRIPTEN_KEEPALIVE bool web_key_down(int key_code, bool ctrl, bool alt, bool repeat)
{
    Keystroke const key {
        .code = virtual_key(static_cast<unsigned long>(key_code)), .ctrl = ctrl, .alt = alt, .repeat = repeat
    };
    if (!PlayerInput::takes(key))
        return false;
    take([&](Page& page) { page.on_key_down(key); });
    return true;
}

EMSCRIPTEN_KEEPALIVE void web_pause_button()
{
    take([](Page& page) { page.on_pause_button(); });
}

// Sound on or off: in a running box set as Ctrl+M; after its end, the choice for the next run.
EMSCRIPTEN_KEEPALIVE void web_sound_button()
{
    PageState& page = state();
    if (page.session) {
        take([](Page& page) { page.on_sound_button(); });
        return;
    }
    page.muted = !page.muted;
    page_sound_remember_muted(page.muted);
    page_show_muted(page.muted);
}

EMSCRIPTEN_KEEPALIVE void web_mouse_down(int id, int x, int y, int button)
{
    take([&](Page& page) { page.on_mouse_down(id, x, y, button); });
}

EMSCRIPTEN_KEEPALIVE void web_mouse_up(int id, int x, int y, int button, bool over)
{
    take([&](Page& page) { page.on_mouse_up(id, x, y, button, over); });
}

EMSCRIPTEN_KEEPALIVE void web_close(int id)
{
    take([&](Page& page) { page.on_close(id); });
}

EMSCRIPTEN_KEEPALIVE void web_focus(int id)
{
    take([&](Page& page) { page.on_focus(id); });
}

// The browser's pixel density changed: the page was zoomed or taken to another screen.
EMSCRIPTEN_KEEPALIVE void web_scale_changed()
{
    take([](Page& page) { page.set_scale(page_scale()); });
}

// The session's journal as text, for the page to offer as a file; it stays valid until the
// next call.
EMSCRIPTEN_KEEPALIVE char const* web_journal()
{
    static std::string text;
    PageSession* session = state().session.get();
    text = session ? session->journal() : state().ended_journal;
    return text.c_str();
}

// What the page's stories measure: the ticks delivered, in all and of one window, and the rounds.
EMSCRIPTEN_KEEPALIVE double web_ticks() { return state().ticks.ticks(); }

EMSCRIPTEN_KEEPALIVE double web_ticks_of(char const* window) { return state().ticks.ticks_of(window); }

EMSCRIPTEN_KEEPALIVE double web_rounds() { return static_cast<double>(state().rounds); }

// What the page's stories plant to see the page's answer to a fault of the program: 0, a failure
// that leaves a handler; 1, a broken check, which aborts the program.
EMSCRIPTEN_KEEPALIVE void web_plant_fault(int kind)
{
    take([kind](Page&) {
        TOLVANE_CHECK(kind != 1, "a broken check planted by a story");
        throw std::runtime_error("a failure planted by a story");
    });
}

EMSCRIPTEN_KEEPALIVE bool web_paused()
{
    PageSession* session = state().session.get();
    return session && session->page().paused();
}

} // extern "C"

int main()
{
    PageState& page = state();
    page.pictures = std::make_unique<Pictures>(std::cerr);
    std::unique_ptr<Typeface> regular = open_face("/fonts/LiberationSans-Regular.ttf");
    std::unique_ptr<Typeface> bold = open_face("/fonts/LiberationSans-Bold.ttf");
    if (!regular || !bold)
        return 1;
    page.fonts = std::make_unique<Fonts>(std::move(regular), std::move(bold));
    page.muted = page_sound_muted_remembered();
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, on_visibility_change);
    web_start();
    return 0;
}
