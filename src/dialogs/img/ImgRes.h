#pragma once
#include "dialogs/CommonRes.h"

#define IDD_FRMIMG 1200
#define IDC_LABEL1 1201
#define IDC_TXTSRC 1202
#define IDC_CMDBROWSE 1203
#define IDC_CHKALT 1204
#define IDC_TXTALT 1205
#define IDC_CHKICON 1206
#define IDC_TXTICON 1207
