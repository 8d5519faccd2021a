#pragma once
#include "dialogs/CommonRes.h"

#define IDD_FRMNAVIA 1500
#define IDD_NAVIA_PAGE1 1501
#define IDD_NAVIA_PAGE2 1502
#define IDD_NAVIA_PAGE3 1503
#define IDC_NAVIA_TAB 1510
// 1520-1551: the attribute pairs, check box then value control, in the
// order of the attribute table.
#define IDC_NAVIA_ATTR_FIRST 1520
