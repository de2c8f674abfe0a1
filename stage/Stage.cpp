#include "stage/Stage.h"

#include "stage/Numbers.h"

#include "stage/Check.h"
#include <algorithm>

#include <string>
#include <utility>

namespace tolvane {

namespace {

// Thrown by `End` and caught where the event that ran it was dispatched, so that no statement
// after `End` runs, however deeply nested the handler is.
struct ProgramEnded { };

// One more level of a count for as long as it lives.
class Nesting {
public:
    explicit Nesting(int& depth)
        : m_depth(++depth)
    { }
    ~Nesting() { --m_depth; }
    Nesting(Nesting const&) = delete;
    Nesting& operator=(Nesting const&) = delete;

private:
    int& m_depth;
};

bool contains(Sprite const& sprite, double x, double y)
{
    return sprite.Left <= x && x < sprite.Left + sprite.Width && sprite.Top <= y && y < sprite.Top + sprite.Height;
}

} // namespace

Stage::Stage(Clock& clock, Display* display)
    : m_clock(clock)
    , m_display(display)
{ }

Stage::~Stage() = default;

void Stage::add_window(std::string_view name, Factory factory)
{
    TOLVANE_CHECK(!slot(name), "a window name is registered twice: give each window one add_window call");
    m_slots.push_back({ std::string(name), std::move(factory), nullptr });
}

void Stage::start(std::string_view name)
{
    dispatch([&] { show(name); });
}

// Each event's handler runs inside one dispatch, and a handler that loads a window runs the window's
// `Form_Load` in a dispatch nested in its own. The depth goes down again on every way out, a fault
// that leaves the handler included, so that the events after it are dispatched, and heard, as
// ever; what the faulty handler left to be heard is dropped when the next event begins.
template <typename F> void Stage::dispatch(F&& handler)
{
    if (m_ended)
        return;
    if (m_dispatching == 0) {
        m_shown_in_handler.clear();
        m_pending_cues.clear();
    }
    {
        Nesting const nesting(m_dispatching);
        try {
            handler();
        } catch (ProgramEnded const&) {
            finish();
        }
    }
    if (m_dispatching == 0)
        sound_pending_cues();
}

void Stage::end() { throw ProgramEnded {}; }

// Cues wait for the end of the handler, so that a window shown and hidden again within one
// handler, never on the screen, is not heard: when the alien game is lost and won on one tick,
// only the win window's phrase sounds.
void Stage::cue(Window& window, Cue cue)
{
    if (!window.visible())
        return;
    m_pending_cues.push_back({ m_clock.now_us(), std::string(window.name()), cue });
    if (m_dispatching == 0)
        sound_pending_cues();
}

void Stage::sound_pending_cues()
{
    for (CueRecord& record : std::exchange(m_pending_cues, {})) {
        Window* window = find(record.window);
        bool const shown_for_no_moment
            = std::find(m_shown_in_handler.begin(), m_shown_in_handler.end(), record.window) != m_shown_in_handler.end()
            && !(window && window->visible());
        if (m_ended || !window || shown_for_no_moment)
            continue;
        if (m_cues.size() == cue_log_limit)
            m_cues.pop_front();
        m_cues.push_back(record);
        if (m_display)
            m_display->cue_sounded(*window, record.cue);
    }
    m_shown_in_handler.clear();
}

void Stage::hold(Window& window, Loop loop, bool held)
{
    auto const bit = static_cast<std::size_t>(loop);
    if (window.m_held.test(bit) == held)
        return;
    window.m_held.set(bit, held);
    if (m_display)
        m_display->loops_changed(window);
}

void Stage::finish()
{
    m_ended = true;
    if (m_display)
        m_display->program_ended();
}

Stage::Slot* Stage::slot(std::string_view name)
{
    auto const found = std::find_if(m_slots.begin(), m_slots.end(), [name](Slot const& s) { return s.name == name; });
    return found == m_slots.end() ? nullptr : &*found;
}

Stage::Slot const* Stage::slot(std::string_view name) const { return const_cast<Stage*>(this)->slot(name); }

bool Stage::is_window(std::string_view name) const { return slot(name) != nullptr; }

Window* Stage::find(std::string_view name) const
{
    Slot const* s = slot(name);
    return s ? s->window.get() : nullptr;
}

std::vector<std::string_view> Stage::window_names() const
{
    std::vector<std::string_view> names;
    for (Slot const& s : m_slots)
        names.push_back(s.name);
    return names;
}

// Window code names the windows it reaches in its own text, so a misspelt name is a fault of the
// program: it stops the program in every build, with the name, instead of reaching a window that
// is not there.
Stage::Slot& Stage::registered(std::string_view name)
{
    Slot* s = slot(name);
    TOLVANE_CHECK(s,
        "no window named '" + std::string(name)
            + "': window code can reach only the windows added to the stage, by the names they were added under");
    return *s;
}

// Loading runs inside the operation that reached the window: the window counts as loaded from the
// moment its sprites exist, so a `Form_Load` that reaches its own window does not load it twice.
Window& Stage::load(std::string_view name)
{
    Slot* s = &registered(name);
    if (s->window)
        return *s->window;
    s->window = s->factory(*this);
    Window& window = *s->window;
    TOLVANE_CHECK(window.name() == s->name,
        "a window's factory made a window of another name: make it build the window it was added for");
    window.m_serial = ++m_serials;
    if (m_display)
        m_display->window_loaded(window);
    if (Timer* timer = window.timer(); timer && timer->Enabled)
        timer->start_period();
    window.Form_Load();
    return window;
}

// Showing a window that is already visible changes nothing; it is not activated again.
void Stage::show(std::string_view name)
{
    Window& window = load(name);
    if (window.m_visible)
        return;
    window.m_visible = true;
    ++window.m_revision;
    m_shown_in_handler.emplace_back(name);
    window.focus_first_button();
    if (m_display)
        m_display->window_shown(window);
    activate(window);
    if (!std::exchange(window.m_shown_before, true))
        window.first_shown();
}

void Stage::hide(std::string_view name)
{
    Window& window = load(name);
    if (!window.m_visible)
        return;
    window.m_visible = false;
    if (m_display)
        m_display->window_hidden(window);
    if (m_active == &window)
        activate_most_recent();
}

// The desktop has already given this window the keyboard, so it is not told again: echoing the
// activation back would raise the window anew, and two windows whose raises cross on their way
// would take the keyboard from each other for ever.
void Stage::focus_window(Window& window)
{
    if (m_ended || !window.visible() || m_active == &window)
        return;
    window.m_activated = ++m_activations;
    m_active = &window;
}

void Stage::set_visible(std::string_view name, bool visible)
{
    dispatch([&] {
        if (visible)
            show(name);
        else
            hide(name);
    });
}

void Stage::activate(Window& window)
{
    window.m_activated = ++m_activations;
    if (m_active == &window)
        return;
    m_active = &window;
    if (m_display)
        m_display->window_activated(window);
}

void Stage::activate_most_recent()
{
    m_active = nullptr;
    Window* next = nullptr;
    for (Slot const& s : m_slots)
        if (s.window && s.window->m_visible && (!next || s.window->m_activated > next->m_activated))
            next = s.window.get();
    if (next)
        activate(*next);
}

// A focused button takes Space and Enter as a click and ignores other keys; otherwise the
// window's `Form_KeyDown` gets the code.
void Stage::key_down(int key_code)
{
    Window* window = m_active;
    if (!window)
        return;
    dispatch([&] {
        if (CommandButton* button = window->focus()) {
            if (key_code == 32 || key_code == 13)
                click(*window, *button);
            return;
        }
        window->Form_KeyDown(static_cast<std::int16_t>(key_code), 0);
    });
}

Sprite* Stage::route(Window& window, double x, double y) const
{
    for (Sprite* sprite : window.sprites())
        if (sprite->kind() == SpriteKind::CommandButton && sprite->takes_mouse() && contains(*sprite, x, y))
            return sprite;
    for (Sprite* sprite : window.sprites())
        if (sprite->kind() != SpriteKind::CommandButton && sprite->takes_mouse() && contains(*sprite, x, y))
            return sprite;
    return nullptr;
}

void Stage::mouse_press(Window& window, double x, double y, int button)
{
    if (m_ended || !window.visible() || button < 1 || button > 3)
        return;
    dispatch([&] {
        activate(window);
        Sprite* receiver = route(window, x, y);
        m_captures[static_cast<std::size_t>(button)]
            = Capture { std::string(window.name()), window.m_serial, receiver };
        if (!receiver)
            window.Form_MouseDown(static_cast<std::int16_t>(button), 0, to_single(x), to_single(y));
    });
}

// The release goes to whatever received the press, wherever the pointer is now; it is a click
// when the primary button is released over the very sprite that received the press.
void Stage::mouse_release(Window* over, double x, double y, int button)
{
    if (m_ended || button < 1 || button > 3)
        return;
    auto capture = std::exchange(m_captures[static_cast<std::size_t>(button)], std::nullopt);
    if (!capture)
        return;
    Window* window = find(capture->window);
    if (!window || window->m_serial != capture->serial || !window->visible())
        return;
    dispatch([&] {
        if (!capture->sprite) {
            window->Form_MouseUp(static_cast<std::int16_t>(button), 0, to_single(x), to_single(y));
            return;
        }
        if (button == 1 && over == window && route(*window, x, y) == capture->sprite)
            click(*window, *capture->sprite);
    });
}

void Stage::click(Window& window, Sprite& sprite)
{
    if (sprite.kind() == SpriteKind::CommandButton)
        window.m_focus = static_cast<CommandButton*>(&sprite);
    if (sprite.on_click)
        sprite.on_click();
}

// Closing the last visible window ends the program; closing another one unloads it: it
// disappears with its timer, sprites and variables, and a later reach loads it afresh.
void Stage::close(Window& window)
{
    if (m_ended || !window.visible())
        return;
    bool const last = std::none_of(m_slots.begin(), m_slots.end(),
        [&](Slot const& s) { return s.window && s.window.get() != &window && s.window->visible(); });
    if (last) {
        finish();
        return;
    }
    Slot* s = slot(window.name());
    if (m_display)
        m_display->window_unloading(window);
    bool const was_active = m_active == &window;
    if (was_active)
        m_active = nullptr;
    s->window.reset();
    if (was_active)
        activate_most_recent();
}

void Stage::resize(Window& window, int client_width, int client_height)
{
    if (m_ended)
        return;
    window.m_client_width = client_width;
    window.m_client_height = client_height;
    ++window.m_revision;
    if (m_display)
        m_display->window_resized(window);
}

Timer* Stage::earliest_timer() const
{
    Timer* earliest = nullptr;
    for (Slot const& s : m_slots) {
        Timer* timer = s.window ? s.window->timer() : nullptr;
        if (!timer || !timer->due_us())
            continue;
        if (!earliest || *timer->due_us() < *earliest->due_us()
            || (*timer->due_us() == *earliest->due_us() && timer->period_order() < earliest->period_order()))
            earliest = timer;
    }
    return earliest;
}

std::optional<std::int64_t> Stage::next_due() const
{
    if (m_ended)
        return std::nullopt;
    Timer* timer = earliest_timer();
    return timer ? timer->due_us() : std::nullopt;
}

bool Stage::overdue(std::int64_t now_us) const
{
    if (m_ended)
        return false;
    return std::any_of(m_slots.begin(), m_slots.end(), [now_us](Slot const& s) {
        Timer const* timer = s.window ? s.window->timer() : nullptr;
        return timer && timer->due_us() && now_us - *timer->due_us() > *timer->period_us();
    });
}

Window const* Stage::next_to_tick() const
{
    Timer const* timer = m_ended ? nullptr : earliest_timer();
    return timer ? &timer->window() : nullptr;
}

bool Stage::deliver_next_tick()
{
    if (m_ended)
        return false;
    Timer* timer = earliest_timer();
    std::int64_t const now = m_clock.now_us();
    if (!timer || *timer->due_us() > now)
        return false;
    Window& window = timer->window();
    if (m_watcher)
        m_watcher->before_tick(window);
    std::int64_t const period = *timer->period_us();
    std::int64_t const due = *timer->due_us();
    timer->m_due = due + period * ((now - due) / period + 1);
    timer->m_period_order = next_period_order();
    dispatch([&] { window.Timer1_Timer(); });
    if (m_watcher)
        m_watcher->after_tick(window);
    return true;
}

} // namespace tolvane
