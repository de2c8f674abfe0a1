#include "tests/support/Invariants.h"

#include "aliens/Starbreach1.h"
#include "helicopter/Helicoptergame.h"
#include "results/ResultWindow.h"
#include "roadcross/Pondleap1.h"
#include "stage/Numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace tolvane {

// Collects the rules that fail. Messages are fixed texts, so a rule that holds costs nothing.
class Invariants::Report {
public:
    void require(bool holds, char const* what)
    {
        if (!holds && !m_first)
            m_first = what;
    }
    char const* first() const { return m_first; }

private:
    char const* m_first = nullptr;
};

namespace {

using Report = Invariants::Report;

constexpr std::array<std::string_view, 4> result_windows { "Pondleap4", "Pondleap5", "Starbreach2", "Starbreach3" };

std::size_t result_index(std::string_view name)
{
    std::size_t index = 0;
    while (index + 1 < result_windows.size() && result_windows[index] != name)
        ++index;
    return index;
}

// The result windows as a snapshot looks at them, each found by name once and kept until a window
// is closed: looking them up on every tick was the largest cost of the checks.
class ResultWindows {
public:
    explicit ResultWindows(Stage& stage)
        : m_stage(stage)
    { }
    Window const* find(std::string_view name)
    {
        Window*& found = m_found[result_index(name)];
        if (!found)
            found = m_stage.find(name);
        return found;
    }
    bool visible(std::string_view name)
    {
        Window const* window = find(name);
        return window && window->visible();
    }
    void forget() { m_found = {}; }

private:
    Stage& m_stage;
    std::array<Window*, 4> m_found {};
};

// The overlap test worked out here again from its definition rather than taken from the stage,
// so that a fault in the stage's own test cannot hide a fault in a game.
struct Box {
    double left, top, right, bottom;
};

Box box(Sprite const& sprite, double left, double top)
{
    return { std::nearbyint(left), std::nearbyint(top), std::nearbyint(left + sprite.Width.get()),
        std::nearbyint(top + sprite.Height.get()) };
}

Box box(Sprite const& sprite) { return box(sprite, sprite.Left.get(), sprite.Top.get()); }

bool meet(Box const& a, Box const& b)
{
    bool const empty = a.right <= a.left || a.bottom <= a.top || b.right <= b.left || b.bottom <= b.top;
    return !empty && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

double number(std::string const& caption) { return caption_number(caption); }

float moved(float from, double by) { return static_cast<float>(double { from } + by); }

double clamp_low_high(double value, double low, double high)
{
    if (value <= low)
        value = low;
    if (value >= high)
        value = high;
    return value;
}

bool whole_steps(float from, float to, double step) { return std::fmod(double { to } - from, step) == 0; }

// The road-crossing board ------------------------------------------------------------------------

struct Lane {
    SpriteArray<Image, 3> Pondleap1::*vehicles;
    std::int16_t Pondleap1::*speed;
    bool rightward;
    int range; // speeds run from 15 to 15 + range
    std::array<float, 3> reset_lefts;
    float reset_top;
};

constexpr std::array<Lane, 5> lanes { {
    { &Pondleap1::imgTruck, &Pondleap1::TruckSpeed, false, 30, { 9720, 6960, 4920 }, 960 },
    { &Pondleap1::carpink, &Pondleap1::PinkSpeed, false, 90, { 10080, 7200, 3360 }, 1680 },
    { &Pondleap1::imgracecar, &Pondleap1::RacecarSpeed, true, 30, { 0, 5040, 8760 }, 2520 },
    { &Pondleap1::imgyellowcar, &Pondleap1::YellowcarSpeed, false, 90, { 10080, 6960, 3120 }, 3240 },
    { &Pondleap1::imgtractor, &Pondleap1::TractorSpeed, true, 90, { 0, 5160, 8400 }, 4320 },
} };

struct BoardState {
    std::array<std::array<float, 3>, 5> lefts {};
    std::array<std::array<float, 3>, 5> tops {};
    std::array<std::int16_t, 5> speeds {};
    float frog_left = 0, frog_top = 0;
    std::string time;
    double lives = 0;
    bool splat = false, reset = false, timer = false;
    bool board = false, lost = false, won = false;
};

BoardState take(Pondleap1& b, ResultWindows& results)
{
    BoardState s;
    for (std::size_t l = 0; l < lanes.size(); ++l) {
        auto& vehicles = b.*lanes[l].vehicles;
        for (int i = 0; i < 3; ++i) {
            s.lefts[l][static_cast<std::size_t>(i)] = vehicles.Item(i).Left.get();
            s.tops[l][static_cast<std::size_t>(i)] = vehicles.Item(i).Top.get();
        }
        s.speeds[l] = b.*lanes[l].speed;
    }
    s.frog_left = b.frog.Left.get();
    s.frog_top = b.frog.Top.get();
    s.time = b.lbltime.Caption.get();
    s.lives = number(b.lbllives.Caption.get());
    s.splat = b.lblsplatt.Visible;
    s.reset = b.cmdReset.Visible;
    s.timer = b.Timer1.Enabled;
    s.board = b.visible();
    s.lost = results.visible("Pondleap4");
    s.won = results.visible("Pondleap5");
    return s;
}

// Three steps of 0.004, each written as text of at most 15 digits: the result is the exact decimal.
bool counted_down(std::string const& before, std::string const& after)
{
    return std::abs(number(after) - (number(before) - 0.012)) < 1e-9;
}

// Each lane moves by its speed; a vehicle that wraps comes back at the board's outer width (left
// lanes) or at 0 (right lanes) and moves on with a newly drawn speed.
void check_traffic(Report& r, Pondleap1& b, BoardState const& pre, BoardState const& post)
{
    double const width = b.outer_width();
    for (std::size_t l = 0; l < lanes.size(); ++l) {
        Lane const& lane = lanes[l];
        bool wrapped = false;
        for (float left : pre.lefts[l])
            wrapped = wrapped || (lane.rightward ? left >= width : left <= -2000);
        r.require(wrapped || post.speeds[l] == pre.speeds[l], "a lane's speed changed without a wrap");
        r.require(post.speeds[l] >= 15 && post.speeds[l] <= 15 + lane.range, "a lane's speed is out of its range");
        for (std::size_t i = 0; i < 3; ++i) {
            float const left = pre.lefts[l][i];
            bool const wraps = lane.rightward ? left >= width : left <= -2000;
            double const from = wraps ? (lane.rightward ? 0.0 : width) : left;
            double const step = lane.rightward ? post.lefts[l][i] - from : from - post.lefts[l][i];
            r.require(wrapped ? step >= 15 && step <= 15 + lane.range : step == pre.speeds[l],
                "a vehicle moved other than by its lane's speed, or wrapped to the wrong place");
            r.require(post.tops[l][i] == pre.tops[l][i], "a vehicle left its lane");
        }
    }
}

int hits_on_frog(Pondleap1& b)
{
    int hits = 0;
    Box const frog = box(b.frog);
    for (Lane const& lane : lanes)
        for (int i = 0; i < 3; ++i)
            hits += meet(frog, box((b.*lane.vehicles).Item(i)));
    return hits;
}

void check_board_tick(Report& r, Pondleap1& b, BoardState const& pre, BoardState const& post)
{
    r.require(counted_down(pre.time, post.time), "the countdown fell other than by 0.012");
    check_traffic(r, b, pre, post);
    r.require(post.frog_left == clamp_low_high(pre.frog_left, 0, 10200), "the frog left the board sideways");
    double const top = pre.frog_top <= 0 ? 0 : pre.frog_top;
    r.require(post.frog_top == (top > 5760 ? 5760 : top), "the frog left the board upwards or downwards");

    int const lost = hits_on_frog(b) + (number(post.time) <= 0 ? 1 : 0);
    bool const over = post.lives <= 0;
    bool const on_trophy = meet(box(b.frog), box(b.imgTrophy));
    r.require(post.lives == pre.lives - lost, "the lives fell other than by one per hit and time-out");
    r.require(post.timer == (lost == 0), "the board's timer runs on after a lost life, or stopped without one");
    if (over)
        r.require(!post.splat && !post.reset, "the notice or Reset stays up on a lost game");
    else if (lost > 0)
        r.require(post.splat && post.reset, "a lost life shows no notice or no Reset");
    else
        r.require(post.splat == pre.splat && post.reset == pre.reset, "the notice or Reset changed without a loss");
    r.require(post.lost == (pre.lost || over), "the lose window is shown other than when the lives run out");
    r.require(post.won == (pre.won || on_trophy), "the win window is shown other than when the frog is on the trophy");
    r.require(post.board == (pre.board && !over && !on_trophy), "the board is shown or hidden other than by its end");
}

bool at_reset_layout(BoardState const& s)
{
    for (std::size_t l = 0; l < lanes.size(); ++l)
        for (std::size_t i = 0; i < 3; ++i)
            if (s.lefts[l][i] != lanes[l].reset_lefts[i] || s.tops[l][i] != lanes[l].reset_top)
                return false;
    return true;
}

// Between ticks only the keys (the frog, by whole steps) and Reset change the board.
void check_board_between(Report& r, BoardState const& last, BoardState const& now)
{
    r.require(now.lives == last.lives, "the lives changed between ticks");
    r.require(now.speeds == last.speeds, "a lane speed changed between ticks");
    bool const reset = now.time != last.time || now.lefts != last.lefts || now.tops != last.tops;
    if (reset) {
        r.require(now.time == "10", "Reset did not put the countdown back to 10");
        r.require(at_reset_layout(now), "Reset did not put the traffic back");
        r.require(!now.splat && !now.reset && now.timer, "Reset did not restart the board");
    }
    float const frog_left = reset ? 4680 : last.frog_left;
    float const frog_top = reset ? 5400 : last.frog_top;
    r.require(whole_steps(frog_left, now.frog_left, 200) && whole_steps(frog_top, now.frog_top, 200),
        "the frog moved other than by whole steps between ticks");
}

// The alien field -------------------------------------------------------------------------------

struct FieldState {
    std::array<float, 15> aliens {};
    std::array<bool, 15> shown {};
    std::array<float, 4> bombs {};
    std::array<bool, 4> falling {};
    std::int16_t alien_step = 0, boss_step = 0;
    float boss = 0, missile_left = 0, missile_top = 0, cannon = 0;
    bool boss_shown = false, missile_flying = false;
    double lives = 0;
    bool field = false, lost = false, won = false, won_loaded = false;
};

FieldState take(Starbreach1& f, ResultWindows& results)
{
    FieldState s;
    for (int i = 0; i < 15; ++i) {
        s.aliens[static_cast<std::size_t>(i)] = f.imgAlien.Item(i).Left.get();
        s.shown[static_cast<std::size_t>(i)] = f.imgAlien.Item(i).Visible;
    }
    for (int j = 0; j < 4; ++j) {
        s.bombs[static_cast<std::size_t>(j)] = f.imgbomb.Item(j).Top.get();
        s.falling[static_cast<std::size_t>(j)] = f.imgbomb.Item(j).Visible;
    }
    s.alien_step = f.AlienStep;
    s.boss_step = f.BossStep;
    s.boss = f.imgboss.Left.get();
    s.boss_shown = f.imgboss.Visible;
    s.missile_left = f.ImgMissle.Left.get();
    s.missile_top = f.ImgMissle.Top.get();
    s.missile_flying = f.ImgMissle.Visible;
    s.cannon = f.Imgshoot.Left.get();
    s.lives = number(f.lbllives.Caption.get());
    s.field = f.visible();
    s.lost = results.visible("Starbreach2");
    s.won = results.visible("Starbreach3");
    s.won_loaded = results.find("Starbreach3") != nullptr;
    return s;
}

bool beyond_field(Starbreach1& f, Sprite const& mover, float left)
{
    float const field_left = f.shpfield.Left.get();
    float const field_right = f.shpfield.Left.get() + f.shpfield.Width.get();
    return left + mover.Width.get() > field_right || left < field_left;
}

void check_formation(Report& r, Starbreach1& f, FieldState const& pre, FieldState const& post)
{
    std::int16_t step = pre.alien_step;
    for (std::size_t i = 0; i < 15; ++i) {
        r.require(post.aliens[i] == moved(pre.aliens[i], step), "an alien moved other than by the formation's step");
        if (beyond_field(f, f.imgAlien.Item(static_cast<int>(i)), post.aliens[i]))
            step = static_cast<std::int16_t>(-step);
    }
    r.require(post.alien_step == step, "the formation turned other than at the field's edges");
    r.require(post.boss == moved(pre.boss, pre.boss_step), "the boss moved other than by its step");
    bool const turns = beyond_field(f, f.imgboss, post.boss);
    r.require(post.boss_step == (turns ? -pre.boss_step : pre.boss_step), "the boss turned other than at an edge");
}

// Bombs fall by 50 and go back to 840 at the bottom; the boss releases those it overlaps, and each
// bomb on the cannon costs a life and goes back to the top.
int check_bombs(Report& r, Starbreach1& f, FieldState const& pre, FieldState const& post)
{
    int hits = 0;
    Box const cannon = box(f.Imgshoot);
    Box const boss = box(f.imgboss);
    for (std::size_t j = 0; j < 4; ++j) {
        Image const& bomb = f.imgbomb.Item(static_cast<int>(j));
        float top = pre.bombs[j];
        bool falling = pre.falling[j];
        if (falling)
            top = moved(top, 50);
        if (top >= 7920) {
            top = 840;
            falling = false;
        }
        Box const at = box(bomb, bomb.Left.get(), top);
        bool const released = pre.boss_shown && meet(boss, at);
        bool const strikes = meet(cannon, at);
        hits += strikes;
        r.require(post.bombs[j] == (strikes ? 840.0f : top), "a bomb fell other than by 50 a tick");
        r.require(post.falling[j] == (falling || released), "a bomb was released other than under the boss");
    }
    return hits;
}

void check_missile(Report& r, Starbreach1& f, FieldState const& pre, FieldState const& post)
{
    float const rest_top = f.Imgshoot.Top.get();
    float const rest_left = moved(pre.cannon, f.Imgshoot.Height.get());
    float left = pre.missile_left;
    float top = pre.missile_top;
    if (top == 0) {
        top = rest_top;
        left = rest_left;
    }
    if (pre.missile_flying) {
        top = moved(top, -90);
    } else {
        top = rest_top;
        left = rest_left;
    }
    r.require(post.missile_left == left && post.missile_top == top, "the missile moved other than its rules say");

    Box const missile = box(f.ImgMissle);
    bool struck = false;
    for (std::size_t i = 0; i < 15; ++i) {
        bool const hit = pre.shown[i] && meet(missile, box(f.imgAlien.Item(static_cast<int>(i))));
        struck = struck || hit;
        r.require(post.shown[i] == (pre.shown[i] && !hit), "an alien vanished unhit, or survived the missile");
    }
    r.require(post.missile_flying == (pre.missile_flying && !struck), "the missile flies on after a hit");
    bool any_shown = false;
    for (bool shown : post.shown)
        any_shown = any_shown || shown;
    bool const boss_hit = !any_shown && meet(missile, box(f.imgboss));
    r.require(
        post.boss_shown == (pre.boss_shown && !boss_hit), "the boss fell other than to a missile after the aliens");
}

// Loading the win window hides the lose window, since its `Form_Load` says so.
void check_field_end(Report& r, FieldState const& pre, FieldState const& post)
{
    bool field = pre.field, lost = pre.lost, won = pre.won, won_loaded = pre.won_loaded;
    auto load_won = [&] {
        if (!won_loaded)
            lost = false;
        won_loaded = true;
    };
    if (pre.lives == 0) {
        field = false;
        lost = true;
    }
    if (!pre.boss_shown) {
        field = false;
        load_won();
        won = true;
    }
    load_won();
    if (won)
        lost = false;
    r.require(post.field == field, "the field is shown or hidden other than by the end of the game");
    r.require(post.lost == lost, "the lose window is shown other than when the lives read 0");
    r.require(post.won == won, "the win window is shown other than when the boss is gone");
}

void check_field_tick(Report& r, Starbreach1& f, FieldState const& pre, FieldState const& post)
{
    check_formation(r, f, pre, post);
    int const hits = check_bombs(r, f, pre, post);
    r.require(post.lives == pre.lives - hits, "the lives fell other than by one per bomb on the cannon");
    r.require(post.cannon == clamp_low_high(pre.cannon, 360, 7000), "the cannon left the field");
    check_missile(r, f, pre, post);
    check_field_end(r, pre, post);
}

// Between ticks the keys only move the cannon by whole steps and launch the missile.
void check_field_between(Report& r, FieldState const& last, FieldState const& now)
{
    r.require(now.lives == last.lives && now.shown == last.shown && now.boss_shown == last.boss_shown,
        "lives, aliens or the boss changed between ticks");
    r.require(now.aliens == last.aliens && now.boss == last.boss && now.bombs == last.bombs
            && now.falling == last.falling && now.alien_step == last.alien_step && now.boss_step == last.boss_step,
        "the formation, the boss or a bomb moved between ticks");
    r.require(now.missile_left == last.missile_left && now.missile_top == last.missile_top
            && (now.missile_flying || !last.missile_flying),
        "the missile moved or stopped between ticks");
    r.require(whole_steps(last.cannon, now.cannon, 200), "the cannon moved other than by whole steps");
}

// The helicopter --------------------------------------------------------------------------------

struct Mover {
    Sprite& (*sprite)(Helicoptergame&);
    std::int16_t Helicoptergame::*speed;
    int base;
    float start;
};

constexpr std::array<Mover, 6> movers { {
    { [](Helicoptergame& g) -> Sprite& { return g.shpobstaclered; }, &Helicoptergame::RedSpeed, 45, 7680 },
    { [](Helicoptergame& g) -> Sprite& { return g.ShpObstacleorange; }, &Helicoptergame::OrangeSpeed, 65, 7680 },
    { [](Helicoptergame& g) -> Sprite& { return g.shpgreenobstacle; }, &Helicoptergame::GreenSpeed, 55, 7680 },
    { [](Helicoptergame& g) -> Sprite& { return g.Gas1; }, &Helicoptergame::Gas1Speed, 60, 8160 },
    { [](Helicoptergame& g) -> Sprite& { return g.gas2; }, &Helicoptergame::Gas2Speed, 30, 8160 },
    { [](Helicoptergame& g) -> Sprite& { return g.gas3; }, &Helicoptergame::Gas3Speed, 40, 8160 },
} };

constexpr std::size_t first_pump = 3;

struct FlightState {
    std::array<float, 6> lefts {};
    std::array<std::int16_t, 6> speeds {};
    std::array<bool, 3> pumps {};
    float height = 0;
    bool climbing = false, waiting = false, timer = false;
    std::string fuel, distance;
};

FlightState take(Helicoptergame& g, ResultWindows&)
{
    FlightState s;
    for (std::size_t k = 0; k < movers.size(); ++k) {
        s.lefts[k] = movers[k].sprite(g).Left.get();
        s.speeds[k] = g.*movers[k].speed;
    }
    for (std::size_t k = 0; k < 3; ++k)
        s.pumps[k] = movers[first_pump + k].sprite(g).Visible;
    s.height = g.Imghelicopter.Top.get();
    s.climbing = g.Imghelicopter.Enabled;
    s.waiting = g.lblstart.Visible;
    s.timer = g.Timer1.Enabled;
    s.fuel = g.lblfuel.Caption.get();
    s.distance = g.lblscore.Caption.get();
    return s;
}

bool stored_layout(FlightState const& s)
{
    bool placed = s.height == 2160 && s.pumps == std::array { true, true, true };
    for (std::size_t k = 0; k < movers.size(); ++k)
        placed = placed && s.lefts[k] == movers[k].start;
    return placed && s.waiting && !s.timer && s.fuel == "99" && s.distance == "0";
}

void check_flight_tick(Report& r, Helicoptergame& g, FlightState const& pre, FlightState const& post)
{
    float const height = moved(pre.height, pre.climbing ? -35 : 45);
    Box const helicopter = box(g.Imghelicopter, g.Imghelicopter.Left.get(), height);
    std::array<float, 6> lefts {};
    bool crashed = false;
    for (std::size_t k = 0; k < movers.size(); ++k) {
        bool const reenters = pre.lefts[k] <= -2000;
        std::int16_t const speed = reenters ? post.speeds[k] : pre.speeds[k];
        r.require(reenters || post.speeds[k] == pre.speeds[k], "a speed changed without a re-entry");
        r.require(post.speeds[k] >= movers[k].base && post.speeds[k] <= movers[k].base + 30, "a speed out of range");
        lefts[k] = moved(reenters ? static_cast<float>(g.outer_width()) : pre.lefts[k], -speed);
        if (k < first_pump)
            crashed = crashed || meet(helicopter, box(movers[k].sprite(g), lefts[k], movers[k].sprite(g).Top.get()));
    }
    std::string fuel = caption_text(number(pre.fuel) - 0.04);
    if (number(fuel) >= 99)
        fuel = "99";
    bool const ends = height <= 120 || height > 5760 || number(fuel) <= 0 || crashed;
    r.require(post.climbing == pre.climbing, "a tick changed the climb flag");
    if (ends) {
        r.require(stored_layout(post), "a flight ended without putting the field back as it was stored");
        return;
    }
    for (std::size_t k = first_pump; k < movers.size(); ++k) {
        Sprite const& pump = movers[k].sprite(g);
        bool const taken
            = pre.pumps[k - first_pump] && number(fuel) < 99 && meet(helicopter, box(pump, lefts[k], pump.Top.get()));
        if (taken)
            fuel = caption_text(number(fuel) + 10);
        r.require(post.pumps[k - first_pump] == (pre.pumps[k - first_pump] && !taken), "a pump vanished untaken");
    }
    r.require(post.height == height, "the helicopter moved other than by 35 up or 45 down");
    r.require(post.lefts == lefts, "a bar or pump moved other than by its speed, or re-entered elsewhere");
    r.require(post.fuel == fuel, "the fuel changed other than by the burn, the cap and the pumps");
    r.require(number(post.distance) == number(pre.distance) + 0.5, "the distance grew other than by 0.5");
    r.require(!post.waiting && post.timer, "a flight stopped without ending");
}

// Between ticks input only sets the climb flag and starts a flight.
void check_flight_between(Report& r, FlightState const& last, FlightState const& now)
{
    r.require(now.lefts == last.lefts && now.height == last.height && now.pumps == last.pumps,
        "the field moved between ticks");
    r.require(now.fuel == last.fuel && now.distance == last.distance && now.speeds == last.speeds,
        "the fuel, the distance or a speed changed between ticks");
}

// The result windows ----------------------------------------------------------------------------

struct MessageState {
    float size = 0;
};

MessageState take(ResultWindow& w, ResultWindows&) { return { w.lblmessage.FontSize.get() }; }

void check_message_tick(Report& r, ResultWindow&, MessageState const& pre, MessageState const& post)
{
    r.require(post.size == moved(pre.size, 9), "a message grew other than by 9 points");
}

void check_message_between(Report& r, MessageState const& last, MessageState const& now)
{
    r.require(now.size == last.size, "a message changed size between ticks");
}

} // namespace

// What was seen of each game window: just before its tick, unless no input came since its last
// tick (the window is then as that tick left it), and just after its last tick.
struct Invariants::Memory {
    template <typename State> struct Seen {
        std::optional<State> before;
        std::optional<State> last;
        std::uint64_t inputs_at_last = 0;
        bool unchanged = false;
    };
    explicit Memory(Stage& stage)
        : results(stage)
    { }
    ResultWindows results;
    Seen<BoardState> board;
    Seen<FieldState> field;
    Seen<FlightState> flight;
    std::array<Seen<MessageState>, 4> messages;
};

Invariants::Invariants(Stage& stage)
    : m_stage(stage)
    , m_memory(std::make_unique<Memory>(stage))
{
    m_stage.watch_ticks(this);
}

Invariants::~Invariants() { m_stage.watch_ticks(nullptr); }

namespace {

template <typename W, typename State>
void before(Report& r, W& window, Invariants::Memory& memory, auto& seen, std::uint64_t inputs,
    void (*between)(Report&, State const&, State const&))
{
    seen.unchanged = seen.last && seen.inputs_at_last == inputs;
    if (seen.unchanged)
        return;
    State now = take(window, memory.results);
    if (seen.last)
        between(r, *seen.last, now);
    seen.before = std::move(now);
}

template <typename W, typename State>
void after(Report& r, W& window, Invariants::Memory& memory, auto& seen, std::uint64_t inputs,
    void (*tick)(Report&, W&, State const&, State const&))
{
    State now = take(window, memory.results);
    if (seen.unchanged || seen.before)
        tick(r, window, seen.unchanged ? *seen.last : *seen.before, now);
    seen.last = std::move(now);
    seen.inputs_at_last = inputs;
    seen.before.reset();
    seen.unchanged = false;
}

} // namespace

void Invariants::before_tick(Window& window)
{
    Report r;
    m_due_before_tick = window.timer()->due_us();
    if (auto* board = dynamic_cast<Pondleap1*>(&window))
        before(r, *board, *m_memory, m_memory->board, m_inputs, check_board_between);
    else if (auto* field = dynamic_cast<Starbreach1*>(&window))
        before(r, *field, *m_memory, m_memory->field, m_inputs, check_field_between);
    else if (auto* flight = dynamic_cast<Helicoptergame*>(&window))
        before(r, *flight, *m_memory, m_memory->flight, m_inputs, check_flight_between);
    else if (auto* result = dynamic_cast<ResultWindow*>(&window))
        before(r, *result, *m_memory, m_memory->messages[result_index(window.name())], m_inputs, check_message_between);
    keep(r, std::string(window.name()) + ", before a tick");
}

void Invariants::after_tick(Window& window)
{
    if (m_stage.ended())
        return;
    Report r;
    if (auto* board = dynamic_cast<Pondleap1*>(&window))
        after(r, *board, *m_memory, m_memory->board, m_inputs, check_board_tick);
    else if (auto* field = dynamic_cast<Starbreach1*>(&window))
        after(r, *field, *m_memory, m_memory->field, m_inputs, check_field_tick);
    else if (auto* flight = dynamic_cast<Helicoptergame*>(&window))
        after(r, *flight, *m_memory, m_memory->flight, m_inputs, check_flight_tick);
    else if (auto* result = dynamic_cast<ResultWindow*>(&window))
        after(r, *result, *m_memory, m_memory->messages[result_index(window.name())], m_inputs, check_message_tick);
    keep(r, std::string(window.name()) + ", a tick");
    check_ticked_timer(window);
}

void Invariants::after_input()
{
    ++m_inputs;
    check_stage();
}

void Invariants::forget(std::string_view window)
{
    ++m_inputs;
    m_memory->results.forget();
    if (window == "Pondleap1")
        m_memory->board = {};
    else if (window == "Starbreach1")
        m_memory->field = {};
    else if (window == "Helicoptergame")
        m_memory->flight = {};
    else if (std::find(result_windows.begin(), result_windows.end(), window) != result_windows.end())
        m_memory->messages[result_index(window)] = {};
}

// A tick falls due on its timer's own grid, and the next one is the first grid point after now:
// a late tick drops the periods it missed, but never one more.
void Invariants::check_ticked_timer(Window& window)
{
    Report r;
    std::int64_t const now = m_stage.now_us();
    r.require(now >= m_last_tick_us, "the clock went back");
    m_last_tick_us = now;
    Timer const& timer = *window.timer();
    auto const period = timer.period_us();
    if (timer.Enabled && period && m_due_before_tick) {
        auto const due = timer.due_us();
        r.require(due && *due > now && *due - *period <= now && (*due - *m_due_before_tick) % *period == 0,
            "a timer's next tick is not the first point of its grid after now");
    }
    keep(r, std::string(window.name()) + ", a tick");
}

void Invariants::after_close()
{
    ++m_inputs;
    check_stage(true);
}

void Invariants::check_stage(bool closed)
{
    if (m_stage.ended())
        return;
    Report r;
    if (m_names.empty())
        m_names = m_stage.window_names();
    bool any_visible = false;
    for (std::string_view name : m_names) {
        Window const* window = m_stage.find(name);
        if (!window)
            continue;
        any_visible = any_visible || window->visible();
        if (Timer const* timer = window->timer(); timer && timer->period_us())
            r.require(timer->Enabled == timer->due_us().has_value(),
                "an enabled timer has no due time, or a stopped one has");
    }
    r.require(any_visible || (m_visibility_assigned && !closed), "no window is visible and the program goes on");
    Window const* active = m_stage.active();
    r.require(active ? m_stage.find(active->name()) == active && active->visible() : !any_visible,
        "the active window is not a loaded, visible window");
    if (auto* game = dynamic_cast<Helicoptergame*>(m_stage.find("Helicoptergame")))
        r.require(
            game->lblstart.Visible == !game->Timer1.Enabled, "a flight runs other than while the label is hidden");
    keep(r, "the stage");
}

void Invariants::keep(Report const& report, std::string const& where)
{
    if (report.first() && m_broken.empty())
        m_broken = where + " at " + std::to_string(m_stage.now_us()) + " us: " + report.first();
}

} // namespace tolvane
