#pragma once
// Watches the deck dialog's seconds calculator through its boxes' change
// hooks: how often the TTL box's and the part boxes' handling ran, how
// often the preview changed, and how deep the handling nested at most. The
// chains of one edit are short; tests and the benchmark hold them to it.
// Attach after the model is built (it wraps the hooks the model set) and
// keep the probe alive as long as the model.
#include <algorithm>
#include <functional>
#include <utility>

#include "dialogs/deck/DeckModel.h"

namespace mq::test {

class DeckHandlerProbe {
public:
    struct Runs {
        long ttlChange = 0;
        long secCalcChange = 0;
        long previewChange = 0;
        int maxDepth = 0;
    };

    explicit DeckHandlerProbe(DeckModel& deck) {
        Wrap(deck.txtTTL.Change, runs_.ttlChange);
        for (auto& box : deck.txtSecCalc) Wrap(box.Change, runs_.secCalcChange);
        auto preview = std::move(deck.txtEd.Change);
        deck.txtEd.Change = [this, preview] {
            ++runs_.previewChange;
            if (preview) preview();
        };
    }
    DeckHandlerProbe(const DeckHandlerProbe&) = delete;
    DeckHandlerProbe& operator=(const DeckHandlerProbe&) = delete;

    const Runs& HandlerRuns() const { return runs_; }

private:
    void Wrap(std::function<void()>& hook, long& count) {
        auto inner = std::move(hook);
        hook = [this, inner, &count] {
            ++count;
            runs_.maxDepth = std::max(runs_.maxDepth, ++depth_);
            if (inner) inner();
            --depth_;
        };
    }

    Runs runs_;
    int depth_ = 0;
};

}  // namespace mq::test
