#pragma once
// How a test opens a tag dialog: InsertBefore and InsertAfter still hold
// what an earlier dialog left there, which no opening may pass on, and then
// Form_Load runs as the palette runs it.
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

}  // namespace mq::test
