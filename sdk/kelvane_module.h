/*
 * Kelvane drawing modules: what the clock calls in a module DLL.
 *
 * A drawing module is a 32-bit DLL in the program's "clock" folder (slot 1, the
 * clock layer, drawn on top) or "info" folder (slot 2, the info layer, drawn
 * first). Once a second the clock copies its background into a 200 x 200 face,
 * calls the info module's DrawInfo, then the clock module's DrawClock, and shows
 * the result. On a screen of more than 96 DPI the clock is larger: when every
 * loaded module exports its scaled function (DrawInfoScaled, DrawClockScaled),
 * the face is composed at the larger size through them; otherwise it is composed
 * at 200 x 200 through DrawInfo and DrawClock as always, and the finished face is
 * enlarged.
 *
 * Exports: C names, cdecl, undecorated ("DrawClock", not "_DrawClock" or
 * "DrawClock@12"). With MinGW link with -Wl,--kill-at, or list the names in a
 * .def file:
 *
 *     EXPORTS
 *       Initialize
 *       Uninitialize
 *       DrawClock        ; DrawInfo in an info module
 *       DrawClockScaled  ; DrawInfoScaled in an info module
 *       OpenConfig
 *       Reset
 *
 * Every export is optional; the clock looks each one up by name. A DLL is either
 * a drawing module or a plug-in: include this header or kelvane_plugin.h, not both.
 *
 * Rules:
 * - Every call comes on the clock's one GUI thread; calls never overlap.
 * - The device context, the time and the window handles belong to the clock and
 *   are valid only during the call. The face is a top-down DIB section of
 *   200 x 200 pixels (faceSize x faceSize for the scaled functions), 16 bits per
 *   pixel (5-5-5), selected into a memory device context. Restore everything
 *   you select into it or change in it (pen, brush, font, colours, background
 *   mode) before you return.
 * - The customize dialog loads and unloads modules whenever the user picks
 *   another one, many times in one run: keep no state that is expected to
 *   survive Uninitialize, and free in Uninitialize what Initialize made. At
 *   program exit a module is freed without Uninitialize.
 * - A module that wants to be drawn more often than once a second starts a
 *   window timer with id KELVANE_REDRAW_TIMER_ID on the clock window it gets in
 *   Initialize (the clock composes a face on every tick of it) and kills it in
 *   Uninitialize.
 * - Nothing allocated by the module is freed by the clock, or the other way.
 */
#ifndef KELVANE_MODULE_H
#define KELVANE_MODULE_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The face's size in pixels at 96 DPI, and the clock window's timer that makes it
 * compose. */
#define KELVANE_FACE_SIZE 200
#define KELVANE_REDRAW_TIMER_ID 1

/* Called right after the module was put into its slot; `clock` is the clock
 * window. The result is ignored. */
typedef int(__cdecl *KelvaneModuleInitializeFn)(HWND clock);
/* Called before another module (or none) takes the slot. The result is ignored. */
typedef int(__cdecl *KelvaneModuleUninitializeFn)(void);
/* DrawClock (slot 1) or DrawInfo (slot 2): draw the layer into `dc` for the
 * local time `now`. `reserved` is always 0. The result is ignored. */
typedef int(__cdecl *KelvaneModuleDrawFn)(HDC dc, const SYSTEMTIME *now, int reserved);
/* DrawClockScaled (slot 1) or DrawInfoScaled (slot 2), both optional: draw the
 * same layer with the whole design scaled by faceSize / 200 about the face's
 * centre (faceSize / 2, faceSize / 2): positions, lengths, line widths and text
 * heights alike, drawn at that size rather than drawn at 200 and enlarged. `dc`
 * then holds a faceSize x faceSize, 16-bit (5-5-5), top-down DIB section, the
 * same kind of face as the 200 x 200 one. faceSize is 200 or more: the clock
 * composes a smaller face at 200 and shrinks it. Called instead of DrawClock or
 * DrawInfo only when every loaded module exports its scaled function; DrawClock
 * and DrawInfo on the 200 x 200 face are still called whenever the face is
 * composed at 200, so a module keeps them. At 200 a module should draw exactly
 * what DrawClock or DrawInfo draws. The result is ignored. */
typedef int(__cdecl *KelvaneModuleDrawScaledFn)(HDC dc, const SYSTEMTIME *now, int faceSize);
/* Called when the user presses the module's settings button in the customize
 * dialog (the button is enabled only when this export exists). `owner` is the
 * dialog: own any window you show by it. `reserved` is always 0. Return non-zero
 * when the settings changed. */
typedef int(__cdecl *KelvaneModuleOpenConfigFn)(HWND owner, int reserved);
/* Called right after OpenConfig returned non-zero; apply the new settings. No
 * redraw is forced: the next draw shows them. The result is ignored. */
typedef int(__cdecl *KelvaneModuleResetFn)(void);

/* A program that loads modules (the clock itself) defines KELVANE_HOST before
 * including this header: it then gets the types above and no export declarations,
 * so that it can include both SDK headers. */
#ifndef KELVANE_HOST
/* The exports, declared here so that a module's definitions are checked against
 * them. Define those your module needs; a declaration alone exports nothing. */
__declspec(dllexport) int __cdecl Initialize(HWND clock);
__declspec(dllexport) int __cdecl Uninitialize(void);
__declspec(dllexport) int __cdecl DrawClock(HDC dc, const SYSTEMTIME *now, int reserved);
__declspec(dllexport) int __cdecl DrawInfo(HDC dc, const SYSTEMTIME *now, int reserved);
__declspec(dllexport) int __cdecl DrawClockScaled(HDC dc, const SYSTEMTIME *now, int faceSize);
__declspec(dllexport) int __cdecl DrawInfoScaled(HDC dc, const SYSTEMTIME *now, int faceSize);
__declspec(dllexport) int __cdecl OpenConfig(HWND owner, int reserved);
__declspec(dllexport) int __cdecl Reset(void);
#endif

#ifdef __cplusplus
}
#endif

#endif /* KELVANE_MODULE_H */
