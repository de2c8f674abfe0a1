#include "tools/script/Script.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace tolvane {
namespace {

// A headless session driven into play by script lines, as a player would get there.
class Session {
public:
    explicit Session(std::string const& lines)
    {
        std::istringstream script(lines);
        std::ostringstream out;
        runner.run(script, out, out);
    }
    Window& window(std::string_view name) { return *runner.stage().find(name); }

    ScriptRunner runner;
};

// One tick of a window in the middle of play. The handler is called directly, so the figure is
// the handler's own cost without the stage's scheduling.
void tick(benchmark::State& state, std::string const& setup, std::string_view name)
{
    Session session(setup);
    Window& window = session.window(name);
    for (auto _ : state)
        window.Timer1_Timer();
}

void BM_Pondleap1Tick(benchmark::State& state)
{
    // The frog sits in the start band, out of the traffic, so the board keeps running.
    tick(state, "click Mainform imgpondleap\nclick Pondleap2 Image1\nrun 100\n", "Pondleap1");
}

void BM_Starbreach1Tick(benchmark::State& state)
{
    tick(state, "click Mainform Image1\nclick Mainform imgstarbreach\nkey 32\nrun 100\n", "Starbreach1");
}

void BM_HelicoptergameTick(benchmark::State& state)
{
    tick(state,
        "click Mainform Image2\nclick Mainform ImgCopter\nclick Helicoptergame lblstart\n"
        "press Helicoptergame 5000 6000\nrun 20\n",
        "Helicoptergame");
}

void BM_ResultWindowTick(benchmark::State& state)
{
    tick(state, "click Mainform Image1\nclick Mainform imgstarbreach\nrun 1\n", "Starbreach3");
}

// The stage's share: finding the due timer and delivering its tick, for the alien field with
// its two hidden result windows.
void BM_StageDeliversAGranule(benchmark::State& state)
{
    Session session("click Mainform Image1\nclick Mainform imgstarbreach\nrun 1\n");
    for (auto _ : state)
        session.runner.run_granules(1);
}

// An hour of the alien game with its result windows growing, in virtual seconds per real second.
void BM_AlienGameHourReplay(benchmark::State& state)
{
    for (auto _ : state) {
        Session session("click Mainform Image1\nclick Mainform imgstarbreach\n");
        session.runner.run_granules(3600 * 64);
        benchmark::DoNotOptimize(session.runner.clock_us());
    }
    state.counters["virtual_s_per_s"] = benchmark::Counter(3600.0 * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_Pondleap1Tick);
BENCHMARK(BM_Starbreach1Tick);
BENCHMARK(BM_HelicoptergameTick);
BENCHMARK(BM_ResultWindowTick);
BENCHMARK(BM_StageDeliversAGranule);
BENCHMARK(BM_AlienGameHourReplay)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace tolvane

BENCHMARK_MAIN();
