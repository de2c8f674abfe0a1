#include "bench/Heap.h"
#include "bench/Play.h"
#include "desktop/DesktopFonts.h"
#include "draw/Damage.h"
#include "draw/Fonts.h"
#include "draw/Painter.h"
#include "draw/Pictures.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <iostream>
#include <stdexcept>

namespace tolvane::bench {
namespace {

// The built-in pictures and the desktop's fonts, as the program opens them, once for all.
Painter& painter()
{
    static Pictures pictures(std::cerr);
    static std::string error;
    static std::unique_ptr<Fonts> const fonts = open_desktop_fonts(error);
    if (!fonts)
        throw std::runtime_error("the drawing benchmarks need the desktop's fonts: " + error);
    static Painter painter(pictures, *fonts, 1);
    return painter;
}

Canvas canvas_for(Window const& window)
{
    return Canvas(Painter::to_pixels(window.client_width(), 1), Painter::to_pixels(window.client_height(), 1));
}

// The active window draws its focused button with a focus rectangle, as on the desktop.
ButtonLook active_look() { return { .active = true, .pressed = nullptr }; }

void full_frame(benchmark::State& state, Window const& window)
{
    Canvas canvas = canvas_for(window);
    for (auto _ : state) {
        painter().paint(window, canvas, canvas.bounds(), active_look());
        benchmark::DoNotOptimize(canvas.data());
    }
    state.counters["pixels"] = static_cast<double>(canvas.width()) * canvas.height();
}

void BM_FullFrame_Pondleap1(benchmark::State& state) { full_frame(state, Play(pondleap).window()); }
void BM_FullFrame_Starbreach1(benchmark::State& state) { full_frame(state, Play(starbreach).window()); }
void BM_FullFrame_Helicoptergame(benchmark::State& state) { full_frame(state, Play(skyhaul).window()); }

void BM_FullFrame_Mainform(benchmark::State& state)
{
    Session session("");
    full_frame(state, session.window("Mainform"));
}

// What the shell paints after one tick: the damage of the tick, each area painted. The tick
// itself is left out of the figure (it has its own benchmark), so the clock runs only around
// finding and painting the changes.
class Repaint {
public:
    explicit Repaint(Window const& window)
        : m_canvas(canvas_for(window))
    {
        start(window);
    }

    void start(Window const& window)
    {
        m_damage.forget();
        paint(window);
    }

    // Seconds it took; counts the pixels painted.
    double paint(Window const& window)
    {
        auto const begin = std::chrono::steady_clock::now();
        for (PixelRect const& area : m_damage.collect(window, painter(), active_look())) {
            painter().paint(window, m_canvas, area, active_look());
            m_pixels += static_cast<double>(area.w) * area.h;
        }
        auto const end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(m_canvas.data());
        return std::chrono::duration<double>(end - begin).count();
    }

    double pixels() const { return m_pixels; }

private:
    Canvas m_canvas;
    Damage m_damage;
    double m_pixels = 0;
};

void tick_repaint(benchmark::State& state, PlayDesign const& design)
{
    Play play(design);
    Repaint repaint(play.window());
    for (auto _ : state) {
        play.window().Timer1_Timer();
        state.SetIterationTime(repaint.paint(play.window()));
        if (play.renew_if_due(state))
            repaint.start(play.window());
    }
    state.counters["pixels_per_tick"] = benchmark::Counter(repaint.pixels(), benchmark::Counter::kAvgIterations);
}

void BM_TickRepaint_Pondleap1(benchmark::State& state) { tick_repaint(state, pondleap); }
void BM_TickRepaint_Starbreach1(benchmark::State& state) { tick_repaint(state, starbreach); }
void BM_TickRepaint_Helicoptergame(benchmark::State& state) { tick_repaint(state, skyhaul); }

// The launcher has no timer: what changes is a page, turned by its arrows. From the road
// page, left, right, right and left visit every page and come back.
void BM_PageTurnRepaint_Mainform(benchmark::State& state)
{
    Session session("");
    Window const& launcher = session.window("Mainform");
    Repaint repaint(launcher);
    std::array<char const*, 4> const turns { "click Mainform Image1", "click Mainform Image2", "click Mainform Image2",
        "click Mainform Image1" };
    std::size_t turn = 0;
    for (auto _ : state) {
        session.runner.execute(turns[turn++ % turns.size()], std::cout);
        state.SetIterationTime(repaint.paint(launcher));
    }
    state.counters["pixels_per_turn"] = benchmark::Counter(repaint.pixels(), benchmark::Counter::kAvgIterations);
}

// A result window's message repainted at one size, as after each of its ticks: the time, the
// bytes asked of the heap per draw, and how far the heap rose above what it held before.
void BM_ResultMessage(benchmark::State& state, float points)
{
    Session session("click Mainform Image1\nclick Mainform imgstarbreach\nrun 1\n");
    Window const& window = session.window("Starbreach2");
    auto& message = static_cast<Label&>(*window.sprite("lblmessage"));
    message.FontSize = points;
    PixelRect const area = Painter::rectangle(message, 1);
    Canvas canvas = canvas_for(window);
    painter().paint(window, canvas, canvas.bounds(), active_look());
    reset_heap_peak();
    HeapCounts const before = heap_counts();
    for (auto _ : state)
        painter().paint(window, canvas, area, active_look());
    HeapCounts const after = heap_counts();
    auto const draws = static_cast<double>(state.iterations());
    state.counters["bytes_per_draw"] = static_cast<double>(after.bytes_asked - before.bytes_asked) / draws;
    state.counters["allocs_per_draw"] = static_cast<double>(after.allocations - before.allocations) / draws;
    state.counters["heap_peak_rise"] = static_cast<double>(after.peak_held - before.bytes_held);
    state.counters["heap_kept"] = static_cast<double>(after.bytes_held - before.bytes_held);
}

BENCHMARK(BM_FullFrame_Pondleap1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullFrame_Starbreach1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullFrame_Helicoptergame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullFrame_Mainform)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickRepaint_Pondleap1)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickRepaint_Starbreach1)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickRepaint_Helicoptergame)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageTurnRepaint_Mainform)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ResultMessage, 8.25pt, 8.25f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ResultMessage, 548.25pt, 548.25f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ResultMessage, 2708.25pt, 2708.25f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ResultMessage, 162008.25pt, 162008.25f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ResultMessage, 1e9pt, 1e9f)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tolvane::bench

BENCHMARK_MAIN();
