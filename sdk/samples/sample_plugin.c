/*
 * A sample plug-in: adds "サンプル(&S)" to the clock's menu, counts the minutes
 * since it was loaded and shows the count when its item is picked. Put
 * sample_plugin.dll into the plugin folder and tick it on the customize dialog's
 * plug-in page. Built from the SDK header alone; this file is code page 932 text
 * once compiled, as every caption must be.
 */
#include <stdio.h>

#include "kelvane_plugin.h"

static int minutes;

int __cdecl Init(char *caption) {
  minutes = 0;
  snprintf(caption, KELVANE_INIT_CAPTION_SIZE, "%s", "サンプル(&S)");
  return 1;
}

int __cdecl OpenConfig(HWND clock, char *caption) {
  char text[64];
  snprintf(text, sizeof text, "読み込んでから %d 分です。", minutes);
  MessageBoxA(clock, text, "サンプル", MB_OK | MB_ICONINFORMATION);
  snprintf(caption, KELVANE_CONFIG_CAPTION_SIZE, "%s", "サンプル(&S)");
  return 1;
}

int __cdecl NotifyTimeChangeMin(const SYSTEMTIME *now) {
  (void)now;
  ++minutes;
  return 1;
}

int __cdecl Release(void) { return 1; }
