#include "bench/Heap.h"
#include "bench/Play.h"
#include "play/SoundScene.h"

#include <benchmark/benchmark.h>

namespace tolvane::bench {
namespace {

// One tick of a window in the middle of play. The handler is called directly, so the figure is
// the handler's own cost without the stage's scheduling.
void tick(benchmark::State& state, PlayDesign const& design)
{
    Play play(design);
    for (auto _ : state) {
        play.window().Timer1_Timer();
        play.keep_in_play(state);
    }
}

void BM_Pondleap1Tick(benchmark::State& state) { tick(state, pondleap); }

void BM_Starbreach1Tick(benchmark::State& state) { tick(state, starbreach); }

void BM_HelicoptergameTick(benchmark::State& state) { tick(state, skyhaul); }

// A result window's tick only raises its message's size; nothing there can leave play.
void BM_ResultWindowTick(benchmark::State& state)
{
    Session session("click Mainform Image1\nclick Mainform imgstarbreach\nrun 1\n");
    Window& window = session.window("Starbreach3");
    for (auto _ : state)
        window.Timer1_Timer();
}

// The stage's share: finding the due timer and delivering its tick, for the alien field with
// its two hidden result windows.
void BM_StageDeliversAGranule(benchmark::State& state)
{
    Session session(starbreach.setup);
    for (auto _ : state)
        session.runner.run_granules(1);
}

// What should be heard, as the sound asks after every round of the event loop (64 a second in
// play): the road board, with the launcher and the start window loaded and hidden.
void BM_SoundSceneOfTheBoard(benchmark::State& state)
{
    Session session(pondleap.setup);
    Stage const& stage = session.runner.stage();
    std::uint64_t const before = heap_counts().allocations;
    for (auto _ : state)
        benchmark::DoNotOptimize(SoundScene::of(stage));
    state.counters["allocs_per_call"]
        = static_cast<double>(heap_counts().allocations - before) / static_cast<double>(state.iterations());
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
BENCHMARK(BM_SoundSceneOfTheBoard);
BENCHMARK(BM_AlienGameHourReplay)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace tolvane::bench

BENCHMARK_MAIN();
