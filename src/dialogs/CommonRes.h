#pragma once
// Control IDs every tag dialog shares. A dialog's own IDs start at 1100.
// OK is IDOK, as in the system's own dialogs. Cancel has an ID of its
// own, not IDCANCEL, so that Esc (which the dialog manager reports as
// IDCANCEL) can be told from a click on it. Neither may be 1000 or 1001:
// the list and the edit inside a drop-down list have those IDs, and the
// dialog manager finds the default button by ID through the whole tree.
#define IDC_CMDOK 1  // IDOK
#define IDC_CMDCANCEL 1002
#define IDC_TXTED 1003
