#include "tests/support/Invariants.h"

#include "aliens/Starbreach1.h"
#include "helicopter/Helicoptergame.h"
#include "roadcross/Pondleap1.h"
#include "stage/Numbers.h"
#include "stage/Stage.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tolvane {

namespace {

class Report {
public:
    explicit Report(std::vector<std::string>& broken)
        : m_broken(broken)
    { }
    void require(bool holds, std::string const& what)
    {
        if (!holds)
            m_broken.push_back(what);
    }

private:
    std::vector<std::string>& m_broken;
};

bool between(double value, double low, double high) { return value >= low && value <= high; }

template <typename Array> void check_lane(Report& report, Array& vehicles, double widest)
{
    for (int i = 0; i < vehicles.Count; ++i) {
        auto const& vehicle = vehicles.Item(i);
        report.require(between(vehicle.Left, -2105, std::max(widest, 10950.0) + 105),
            vehicle.name() + ".Left " + float_text(vehicle.Left.get()) + " is off the road");
    }
}

void check_board(Report& report, Pondleap1& board, InvariantLimits const& limits)
{
    check_lane(report, board.imgTruck, limits.widest_board);
    check_lane(report, board.carpink, limits.widest_board);
    check_lane(report, board.imgracecar, limits.widest_board);
    check_lane(report, board.imgyellowcar, limits.widest_board);
    check_lane(report, board.imgtractor, limits.widest_board);
    for (std::int16_t speed : { board.TruckSpeed, board.RacecarSpeed })
        report.require(between(speed, 15, 45), "a truck or race car lane speed of " + std::to_string(speed));
    for (std::int16_t speed : { board.PinkSpeed, board.YellowcarSpeed, board.TractorSpeed })
        report.require(between(speed, 15, 105), "a lane speed of " + std::to_string(speed));
    report.require(caption_number(board.lbltime.Caption.view()) <= 10, "the countdown above 10");
}

void check_field(Report& report, Starbreach1& field)
{
    for (int i = 0; i < field.imgAlien.Count; ++i) {
        double const top = field.imgAlien.Item(i).Top;
        report.require(top == 1800 || top == 2760 || top == 3720, field.imgAlien.Item(i).name() + " left its row");
    }
    for (int j = 0; j < field.imgbomb.Count; ++j)
        report.require(
            between(field.imgbomb.Item(j).Top, 840, 7915), field.imgbomb.Item(j).name() + " out of its column");
    report.require(std::abs(field.AlienStep) == 35, "AlienStep " + std::to_string(field.AlienStep));
    report.require(std::abs(field.BossStep) == 60, "BossStep " + std::to_string(field.BossStep));
    report.require(between(field.Imgshoot.Top, 8280, 8280), "the cannon left its row");
}

void check_helicopter(Report& report, Helicoptergame& game, InvariantLimits const& limits)
{
    double const fuel = caption_number(game.lblfuel.Caption.view());
    double const distance = caption_number(game.lblscore.Caption.view());
    report.require(between(fuel, 0, 108.96), "fuel " + game.lblfuel.Caption.get());
    report.require(distance >= 0 && distance < 1612.5, "distance " + game.lblscore.Caption.get());
    report.require(
        game.lblstart.Visible == !game.Timer1.Enabled, "a flight runs exactly while the start label is hidden");
    report.require(
        between(game.Imghelicopter.Top, 125, 5760), "helicopter height " + float_text(game.Imghelicopter.Top.get()));
    double const reentry = std::max(limits.widest_helicopter, 10185.0);
    for (Sprite const* sprite :
        { static_cast<Sprite const*>(&game.shpobstaclered), static_cast<Sprite const*>(&game.ShpObstacleorange),
            static_cast<Sprite const*>(&game.shpgreenobstacle), static_cast<Sprite const*>(&game.Gas1),
            static_cast<Sprite const*>(&game.gas2), static_cast<Sprite const*>(&game.gas3) })
        report.require(between(sprite->Left, -2000 - 95, reentry), sprite->name() + " scrolled off");
    struct Range {
        std::int16_t speed;
        int base;
    };
    for (auto const [speed, base] :
        { Range { game.RedSpeed, 45 }, Range { game.OrangeSpeed, 65 }, Range { game.GreenSpeed, 55 },
            Range { game.Gas1Speed, 60 }, Range { game.Gas2Speed, 30 }, Range { game.Gas3Speed, 40 } })
        report.require(between(speed, base, base + 30), "a speed of " + std::to_string(speed));
}

// Every timer has at most one tick waiting: its next tick is due within one period from now.
void check_timers(Report& report, Stage const& stage)
{
    for (std::string_view name : stage.window_names()) {
        Window const* window = stage.find(name);
        Timer const* timer = window ? window->timer() : nullptr;
        if (!timer || !timer->due_us() || stage.ended())
            continue;
        auto const period = timer->period_us();
        report.require(period && *timer->due_us() > stage.now_us() - 1 && *timer->due_us() <= stage.now_us() + *period,
            std::string(name) + " has more than one tick waiting");
    }
}

void check_messages(Report& report, Stage const& stage)
{
    for (std::string_view name : { "Pondleap4", "Pondleap5", "Starbreach2", "Starbreach3" }) {
        Window const* window = stage.find(name);
        if (!window)
            continue;
        auto const* message = static_cast<Label const*>(window->sprite("lblmessage"));
        report.require(message && std::isfinite(message->FontSize.get()) && message->FontSize >= 8.25,
            std::string(name) + "'s message has a broken size");
    }
}

} // namespace

std::vector<std::string> broken_invariants(Stage const& stage, InvariantLimits const& limits)
{
    std::vector<std::string> broken;
    Report report(broken);
    if (auto* board = dynamic_cast<Pondleap1*>(stage.find("Pondleap1")))
        check_board(report, *board, limits);
    if (auto* field = dynamic_cast<Starbreach1*>(stage.find("Starbreach1")))
        check_field(report, *field);
    if (auto* game = dynamic_cast<Helicoptergame*>(stage.find("Helicoptergame")))
        check_helicopter(report, *game, limits);
    check_timers(report, stage);
    check_messages(report, stage);
    return broken;
}

} // namespace tolvane
