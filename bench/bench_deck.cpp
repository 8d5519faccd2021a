// One keystroke in a box of the deck dialog's seconds calculator, through
// the whole nested chain (the box's handler, the rewrite of the TTL box,
// its handler refilling the four boxes, the rebuilt preview), against one
// plain Reset of the same dialog. Read the two times as a ratio; the
// counters give the handler runs one keystroke costs.
#include <benchmark/benchmark.h>

#include <string>

#include "dialogs/deck/DeckModel.h"
#include "support/DeckHandlerProbe.h"

namespace {

void BM_DeckReset(benchmark::State& state) {
    mq::DeckModel deck;
    deck.Form_Load();
    for (auto _ : state) {
        deck.Reset();
        benchmark::DoNotOptimize(deck.txtEd.Text().data());
    }
}
BENCHMARK(BM_DeckReset);

// Keystrokes that alternate between two texts of one box, each changing
// the TTL and so the preview.
void RunKeystrokes(benchmark::State& state, int box, const char* first, const char* second) {
    mq::DeckModel deck;
    mq::test::DeckHandlerProbe probe(deck);
    deck.Form_Load();
    auto& target = deck.txtSecCalc[static_cast<std::size_t>(box)];
    target.SetText(second);
    // Each keystroke must reach the preview, or this measures nothing.
    const std::string atSecond = deck.txtEd.Text();
    target.SetText(first);
    const std::string atFirst = deck.txtEd.Text();
    target.SetText(second);
    if (atFirst == atSecond) state.SkipWithError("the keystrokes do not change the preview");
    const mq::test::DeckHandlerProbe::Runs before = probe.HandlerRuns();
    long keystrokes = 0;
    for (auto _ : state) {
        target.SetText(++keystrokes & 1 ? first : second);
        benchmark::DoNotOptimize(deck.txtEd.Text().data());
    }
    const mq::test::DeckHandlerProbe::Runs& after = probe.HandlerRuns();
    const double n = static_cast<double>(keystrokes > 0 ? keystrokes : 1);
    state.counters["boxRuns"] = static_cast<double>(after.secCalcChange - before.secCalcChange) / n;
    state.counters["ttlRuns"] = static_cast<double>(after.ttlChange - before.ttlChange) / n;
    state.counters["previews"] = static_cast<double>(after.previewChange - before.previewChange) / n;
    state.counters["maxDepth"] = after.maxDepth;
}

// Typing a second digit into the seconds box ("1", then "12"), and a
// single one over the selection: box, TTL, preview.
void BM_SecCalcKeystroke(benchmark::State& state) { RunKeystrokes(state, 3, "12", "1"); }
BENCHMARK(BM_SecCalcKeystroke);

// "75" typed into the minutes box is cut to 59 in the box, which runs the
// box's handler once more, nested, before the TTL follows; then "7" over
// the selection.
void BM_SecCalcKeystrokeCut(benchmark::State& state) { RunKeystrokes(state, 2, "75", "7"); }
BENCHMARK(BM_SecCalcKeystrokeCut);

}  // namespace
