#pragma once
// How a test opens a tag dialog: InsertBefore and InsertAfter still hold
// what an earlier dialog left there, which no opening may pass on, and then
// Form_Load runs as the palette runs it. And how it presses OK.
#include <gtest/gtest.h>

#include <string>

#include "hostlink/HostLink.h"

namespace mq::test {

inline void LeaveEarlierInsertions() {
    InsertBefore = "stale";
    InsertAfter = "stale";
}

template <class Model>
void OpenAfterAnEarlierDialog(Model& dialog) {
    LeaveEarlierInsertions();
    dialog.Form_Load();
}

// A test of what ends up in InsertBefore and InsertAfter: both are empty
// when it starts, and it leaves them empty.
class InsertionsCleared : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }

private:
    static void Clear() {
        InsertBefore.clear();
        InsertAfter.clear();
    }
};

// Presses OK: the dialog must close and leave exactly `before` and `after`
// to go around the host's selection.
template <class Model>
::testing::AssertionResult OkLeaves(Model& dialog, const std::string& before,
                                    const std::string& after) {
    dialog.cmdOK_Click();
    if (!dialog.Closed()) return ::testing::AssertionFailure() << "OK left the dialog open";
    if (InsertBefore == before && InsertAfter == after) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "OK left\n  \"" << InsertBefore << "\" and \""
                                         << InsertAfter << "\", not\n  \"" << before
                                         << "\" and \"" << after << "\"";
}

}  // namespace mq::test
