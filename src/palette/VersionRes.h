#pragma once
// The version box's controls.
#define IDD_FRMVERSION 1900
#define IDC_IMAGE1 1901
#define IDC_LABEL1 1902
#define IDC_LABEL2 1903
#define IDC_LABEL3 1904
#define IDC_LABEL4 1905
#define IDC_COMMAND1 1906
