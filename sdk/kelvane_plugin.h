/*
 * Kelvane plug-ins: what the clock calls in a plug-in DLL.
 *
 * A plug-in is a 32-bit DLL in the program's "plugin" folder. It is loaded at
 * start-up (and whenever the customize dialog's plug-in page is left) when the
 * folder's enable list "enable.txt" contains its file name: the list is read as
 * one text and a name matches anywhere in it, case-sensitively, so
 * "wallpaper.dll" also enables "paper.dll". The customize dialog writes one name
 * per line, each ended by CR LF.
 *
 * Exports: C names, cdecl, undecorated. With MinGW link with -Wl,--kill-at, or
 * list the names in a .def file:
 *
 *     EXPORTS
 *       Init
 *       OpenConfig
 *       NotifyTimeChangeSec
 *       NotifyTimeChangeMin
 *       NotifyTimeChangeHour
 *       Release
 *
 * Every export is optional; the clock looks each one up by name. A DLL is either
 * a plug-in or a drawing module: include this header or kelvane_module.h, not both.
 *
 * Rules:
 * - Every call comes on the clock's one GUI thread. A window or message box you
 *   show runs a modal loop in which the clock keeps ticking and may call you
 *   again, and in which the plug-ins may be released and loaded afresh: expect
 *   no state to survive a reload, and keep nothing but what Release frees.
 * - The time and the caption buffers belong to the clock and are valid only
 *   during the call. Nothing allocated on one side is freed on the other.
 * - Captions are ANSI text in code page 932; "&" marks the menu item's access key.
 */
#ifndef KELVANE_PLUGIN_H
#define KELVANE_PLUGIN_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Bytes of the caption buffers: Init's holds 24 bytes of text and a NUL, and
 * OpenConfig's 24 bytes (a caption of exactly 24 bytes needs no NUL). */
#define KELVANE_INIT_CAPTION_SIZE 25
#define KELVANE_CONFIG_CAPTION_SIZE 24

/* Called right after loading. Write the context menu item's text into
 * `caption`. Return 0 to refuse: the DLL is then freed without Release. */
typedef int(__cdecl *KelvanePluginInitFn)(char *caption);
/* Called when the user picks the plug-in's menu item; `clock` is the clock
 * window (owner of what you show). Whatever `caption` holds afterwards, even
 * nothing, becomes the item's new text. The result is ignored. */
typedef int(__cdecl *KelvanePluginOpenConfigFn)(HWND clock, char *caption);
/* Called when the local time's second, minute or hour changes, in that order.
 * Return 0 to report a failure: the plug-in is then unloaded and the user told. */
typedef int(__cdecl *KelvanePluginNotifyFn)(const SYSTEMTIME *now);
/* Called just before the DLL is freed. The result is ignored. */
typedef int(__cdecl *KelvanePluginReleaseFn)(void);

/* A program that loads plug-ins (the clock itself) defines KELVANE_HOST before
 * including this header: it then gets the types above and no export declarations,
 * so that it can include both SDK headers. */
#ifndef KELVANE_HOST
/* The exports, declared here so that a plug-in's definitions are checked against
 * them. Define those your plug-in needs; a declaration alone exports nothing. */
__declspec(dllexport) int __cdecl Init(char *caption);
__declspec(dllexport) int __cdecl OpenConfig(HWND clock, char *caption);
__declspec(dllexport) int __cdecl NotifyTimeChangeSec(const SYSTEMTIME *now);
__declspec(dllexport) int __cdecl NotifyTimeChangeMin(const SYSTEMTIME *now);
__declspec(dllexport) int __cdecl NotifyTimeChangeHour(const SYSTEMTIME *now);
__declspec(dllexport) int __cdecl Release(void);
#endif

#ifdef __cplusplus
}
#endif

#endif /* KELVANE_PLUGIN_H */
