#pragma once

// Resource and control ids of chime.dll, shared by chime.rc and the code.
#define IDD_CHIME 101
#define IDD_ALARM_EDIT 102
#define IDD_ALARM_RING 103

// The sounds, as WAVE resources.
#define IDW_CHIME 201
#define IDW_ALARM 202

#define IDC_CHIME_MODE 1000
#define IDC_QUIET 1001
#define IDC_QUIET_FROM 1002
#define IDC_QUIET_TO 1003
#define IDC_CHIME_SOUND 1004
#define IDC_CHIME_FILE 1005
#define IDC_CHIME_BROWSE 1006
#define IDC_CHIME_TEST 1007
#define IDC_ALARM_LIST 1008
#define IDC_ADD_ALARM 1009
#define IDC_EDIT_ALARM 1010
#define IDC_DELETE_ALARM 1011
#define IDC_NEXT_ALARM 1012

#define IDC_ALARM_TIME 1100
#define IDC_WEEKLY 1101
#define IDC_ONCE 1102
#define IDC_ALARM_DATE 1103
#define IDC_ALARM_LABEL 1104
#define IDC_ALARM_SOUND 1105
#define IDC_ALARM_FILE 1106
#define IDC_ALARM_BROWSE 1107
// Seven ticks, Sunday first.
#define IDC_FIRST_DAY 1110

#define IDC_RING_TIME 1200
#define IDC_RING_LABEL 1201
#define IDC_STOP 1202
#define IDC_SNOOZE 1203
