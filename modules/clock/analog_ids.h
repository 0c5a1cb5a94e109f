#pragma once

// Resource and control ids of Analog.dll, shared by analog.rc and the code.
#define IDD_ANALOG 101
#define IDC_SECOND_OFF 1000
#define IDC_SECOND_STEP 1001
#define IDC_SECOND_SWEEP 1002
#define IDC_SCHEME 1003
#define IDC_SHADOW 1004
