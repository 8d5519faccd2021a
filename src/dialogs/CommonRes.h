#pragma once
// Control IDs every tag dialog shares. A dialog's own IDs start at 1100.
#define IDC_CMDOK 1001
#define IDC_CMDCANCEL 1002
#define IDC_TXTED 1003
