// Resource ids of the dialog templates, the icon and the controls.
#pragma once

#define IDR_MAINFRAME 140
#define IDD_CALIBRATION 102
#define IDD_SETUP 130
#define IDD_DRAWTEST 145

// Settings dialog controls.
#define IDC_RIGHT_CLICK_TIME 1010
#define IDC_SPIN_RIGHT_CLICK_TIME 1011
#define IDC_HEIGHT 1012
#define IDC_SPIN_HEIGHT 1013
#define IDC_WIDTH 1014
#define IDC_SPIN_WIDTH 1015
#define IDC_VID 1016
#define IDC_PNP 1017
#define IDC_LABEL_STEP 1023
#define IDC_LABEL_PRESS 1027
#define IDC_NOTICE 1028
#define IDC_LABEL_HEIGHT 1029
#define IDC_LABEL_WIDTH 1030
#define IDC_GROUP_DOUBLE_CLICK 1031
#define IDC_GROUP_RIGHT_CLICK 1032
#define IDC_LABEL_ACTIVE_TIME 1033
#define IDC_LABEL_SECS 1034
#define IDC_STEP 1035
#define IDC_PRESS 1037
#define IDC_PID 1039
#define IDC_SAVE_SET 1040
#define IDC_UNTOUCH 1042
#define IDC_TOUCH 1043
#define IDC_DRAW_TEST 1044
#define IDC_SPIN_STEP 1047
#define IDC_SPIN_PRESS 1048

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
