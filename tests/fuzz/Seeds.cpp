#include "aliens/Starbreach1.h"
#include "tests/fuzz/SessionBytes.h"
#include "tests/support/Session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace tolvane {
namespace {

// Plays a session and writes down its steps in the fuzz target's bytes, so that the target replays
// exactly this session.
class Recorder {
public:
    Session session;
    fuzz::Writer writer;

    void key(int code, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            writer.key(code);
            session.key(code);
        }
    }
    void run(int granules)
    {
        writer.run(granules);
        session.run(granules);
    }
    void stall(int four_milliseconds)
    {
        writer.stall(four_milliseconds);
        session.stall(four_milliseconds * 4'000);
    }
    void click(std::string_view window_name, std::string_view sprite_name)
    {
        Window* window = session.window(window_name);
        if (!window || !window->visible())
            return;
        auto const& sprites = window->sprites();
        std::uint8_t sprite = 0;
        while (sprites[sprite]->name() != sprite_name)
            ++sprite;
        writer.click(visible_index(*window), sprite);
        session.click(*window, *sprites[sprite]);
    }
    void close(std::string_view window_name)
    {
        Window* window = session.window(window_name);
        if (!window || !window->visible())
            return;
        writer.close(visible_index(*window));
        session.close(*window);
    }
    // A press or release at a point given in the target's coordinate bytes.
    void mouse(std::string_view window_name, bool press, std::uint8_t x, std::uint8_t y)
    {
        Window* window = session.window(window_name);
        if (!window || !window->visible())
            return;
        double const tx = x * window->client_width() / 239.0;
        double const ty = y * window->client_height() / 239.0;
        if (press) {
            writer.press(visible_index(*window), x, y);
            session.press(*window, tx, ty);
        } else {
            writer.release(visible_index(*window), x, y);
            session.release(window, tx, ty);
        }
    }

private:
    std::uint8_t visible_index(Window const& window)
    {
        std::uint8_t index = 0;
        for (std::string_view name : session.stage().window_names()) {
            if (name == window.name())
                return index;
            if (Window const* other = session.window(name); other && other->visible())
                ++index;
        }
        return index;
    }
};

void open_pondleap(Recorder& r)
{
    r.click("Mainform", "imgpondleap");
    r.click("Pondleap2", "Image1");
}

void pondleap_win(Recorder& r)
{
    open_pondleap(r);
    r.key(38, 25);
    r.run(400);
}

void pondleap_timeouts(Recorder& r)
{
    open_pondleap(r);
    for (int life = 0; life < 4; ++life) {
        r.run(840);
        r.click("Pondleap1", "cmdReset");
    }
    r.run(20);
    r.click("Pondleap4", "Command1");
}

// Hops into the tractors' lane until they have taken every life, with a stall on the way.
void pondleap_hits(Recorder& r)
{
    open_pondleap(r);
    r.click("Pondleap2", "Image2");
    while (r.session.visible("Pondleap1")) {
        r.key(38, 4);
        r.run(120);
        r.stall(100);
        r.click("Pondleap1", "cmdReset");
    }
    r.run(30);
}

void pondleap_edges(Recorder& r)
{
    open_pondleap(r);
    r.key(39, 30);
    r.run(2);
    r.key(40, 3);
    r.run(2);
    r.key(37, 60);
    r.run(2);
    r.mouse("Pondleap1", true, 10, 10);
    r.run(200);
}

void open_starbreach(Recorder& r)
{
    r.click("Mainform", "Image1");
    r.click("Mainform", "imgstarbreach");
}

void starbreach_loss(Recorder& r)
{
    open_starbreach(r);
    r.run(430);
    r.key(39, 20);
    r.key(32);
    r.run(200);
}

// No bomb in the lower part of the field falls on a cannon standing there.
bool safe(Starbreach1& field, double cannon)
{
    for (int j = 0; j < 4; ++j) {
        Image const& bomb = field.imgbomb.Item(j);
        double const left = bomb.Left.get();
        if (bomb.Visible && bomb.Top.get() > 3500 && cannon + 1065 > left - 60 && cannon < left + 555)
            return false;
    }
    return true;
}

// Where the cannon should stand for its missile (555 right of it, 75 wide) to meet the lowest shown
// alien, or the boss once they are gone, allowing for how far the target moves while it rises.
double aim_at(Starbreach1& field)
{
    for (int i = 0; i < 15; ++i) {
        Image const& alien = field.imgAlien.Item(i);
        if (alien.Visible) {
            double const ticks = (8280 - alien.Top.get()) / 90.0;
            return alien.Left.get() + 390 + field.AlienStep * ticks - 555 - 37;
        }
    }
    return field.imgboss.Left.get() + 727 + field.BossStep * 80 - 555;
}

double nearest_safe(Starbreach1& field, double cannon)
{
    double best = 360;
    for (double place = 360; place <= 7000; place += 20)
        if (safe(field, place) && std::abs(place - cannon) < std::abs(best - cannon))
            best = place;
    return best;
}

// Steps the cannon towards its aim without walking under a bomb about to land (or away from one
// that is), and fires whenever the missile is free.
void aim(Recorder& r, Starbreach1& field)
{
    double const cannon = field.Imgshoot.Left.get();
    double const target = safe(field, cannon) ? aim_at(field) : nearest_safe(field, cannon);
    int const code = target < cannon - 100 ? 37 : target > cannon + 100 ? 39 : 0;
    double const next = std::clamp(cannon + (code == 37 ? -200 : 200), 360.0, 7000.0);
    if (code && (safe(field, next) || !safe(field, cannon)))
        r.key(code);
    if (!field.ImgMissle.Visible)
        r.key(32);
}

void starbreach_win(Recorder& r)
{
    open_starbreach(r);
    auto& field = static_cast<Starbreach1&>(*r.session.window("Starbreach1"));
    while (r.session.visible("Starbreach1") && r.session.now_us() < 150'000'000) {
        aim(r, field);
        r.run(2);
    }
    r.run(100);
}

void open_skyhaul(Recorder& r)
{
    r.click("Mainform", "Image2");
    r.click("Mainform", "ImgCopter");
}

// A flight that ends at the floor, one that ends at the ceiling, and one that bobs up and down
// through the bars and pumps for a minute.
void skyhaul_flights(Recorder& r)
{
    open_skyhaul(r);
    r.click("Helicoptergame", "lblstart");
    r.run(90);
    r.click("Helicoptergame", "lblstart");
    r.mouse("Helicoptergame", true, 200, 200);
    r.run(70);
    r.mouse("Helicoptergame", false, 200, 200);
    r.click("Helicoptergame", "lblstart");
    for (int second = 0; second < 60 && r.session.visible("Helicoptergame"); ++second) {
        r.mouse("Helicoptergame", true, 200, 200);
        r.run(second % 3 == 0 ? 20 : 14);
        r.mouse("Helicoptergame", false, 200, 200);
        r.run(16);
    }
}

// The launcher's arrows, help beside the board, a win, a stall, and the end of the program by
// closing the last window.
void windows(Recorder& r)
{
    r.click("Mainform", "Image2");
    r.click("Mainform", "Image1");
    r.click("Mainform", "imgpondleap");
    r.click("Pondleap2", "Image2");
    r.click("Pondleap2", "Image1");
    r.run(10);
    r.click("Pondleap2", "Image2");
    r.run(10);
    r.key(38, 25);
    r.run(5);
    r.stall(50);
    r.run(100);
    r.close("Pondleap3");
    r.run(10);
    r.close("Pondleap5");
}

struct Seed {
    char const* name;
    std::function<void(Recorder&)> play;
    char const* reached; // a window that the session must show by its end, or "ended"
};

bool reached(Session const& session, std::string_view what)
{
    return what == "ended" ? session.ended() : session.visible(what);
}

} // namespace
} // namespace tolvane

// fuzz_seeds FOLDER: writes the seed corpus of the session fuzz target into FOLDER.
int main(int argc, char** argv)
{
    using namespace tolvane;
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    Seed const seeds[] = {
        { "pondleap-win", pondleap_win, "Pondleap5" },
        { "pondleap-timeouts", pondleap_timeouts, "ended" },
        { "pondleap-hits", pondleap_hits, "Pondleap4" },
        { "pondleap-edges", pondleap_edges, "Pondleap1" },
        { "starbreach-loss", starbreach_loss, "Starbreach2" },
        { "starbreach-win", starbreach_win, "Starbreach3" },
        { "skyhaul-flights", skyhaul_flights, "Helicoptergame" },
        { "windows", windows, "ended" },
    };
    bool all = true;
    for (Seed const& seed : seeds) {
        Recorder recorder;
        seed.play(recorder);
        bool const ok = reached(recorder.session, seed.reached) && recorder.session.broken().empty();
        all = all && ok;
        std::printf("%-18s %5zu bytes, %8.1f s of play, %s %s %s\n", seed.name, recorder.writer.bytes().size(),
            recorder.session.now_us() / 1e6, seed.reached, ok ? "reached" : "NOT reached",
            recorder.session.broken().c_str());
        std::ofstream file(std::filesystem::path(argv[1]) / seed.name, std::ios::binary);
        file.write(reinterpret_cast<char const*>(recorder.writer.bytes().data()),
            static_cast<std::streamsize>(recorder.writer.bytes().size()));
    }
    return all ? 0 : 1;
}
