#pragma once
#include "dialogs/CommonRes.h"

#define IDD_FRMTEXT 1100
#define IDC_LBLTITLE 1101
#define IDC_CBOTAG 1102
#define IDC_CHKCLOSETAG 1103
