#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/win/wic_picture.h"

// The folder of the running test executable, where the test DLLs are built.
std::string ExeDir();

// Polls `condition` (pumping this thread's messages in between) until it holds
// or `timeoutMs` has passed; returns its last value.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// Writes a fixture file; a file that cannot be written fails the running test.
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::string ReadText(const std::string& path);

// A local time as GetLocalTime gives it, with its day of the week filled in.
SYSTEMTIME LocalTime(int year, int month, int day, int hour, int minute, int second,
                     int millisecond = 0);

// A fresh folder under the temporary folder, removed with its files at the end.
class TempDir {
 public:
  explicit TempDir(const std::string& name = "kelvane");
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// Points KELVANE_FIXTURE_LOG at a fresh file for the test DLLs' call lines.
class CallLog {
 public:
  CallLog();
  ~CallLog();
  CallLog(const CallLog&) = delete;
  CallLog& operator=(const CallLog&) = delete;

  std::vector<std::string> Lines() const;
  // The lines whose event starts with `prefix` ("DrawInfo", "Initialize").
  std::vector<std::string> Matching(const std::string& prefix) const;
  void Clear() const;

 private:
  TempDir dir_;
  std::string path_;
};

// The last non-empty text of a static control in `window` (a message box's text).
std::string StaticText(HWND window);

// The text of `window`, or with `id` of its control `id`.
std::string WindowText(HWND window, int id = 0);

// WM_COMMAND from control `id` of `dialog` with notification `code`, as the control sends it.
void Command(HWND dialog, int id, WORD code = 0);

// Closes every message box with `caption` that appears while it lives, from a
// thread of its own, and keeps the texts the boxes showed.
class MessageBoxWatcher {
 public:
  explicit MessageBoxWatcher(const std::string& caption);
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  std::vector<std::string> Texts() const;

 private:
  void Watch();

  std::string caption_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> texts_;
  std::thread thread_;
};

// A plain visible popup window of the given colour, for drawing into and as a backdrop;
// of another class and title where a test stands in for another program's window.
class TestWindow {
 public:
  TestWindow(int x, int y, int width, int height, COLORREF color, bool topmost = false,
             const char* className = "KelvaneTestWindow", const char* title = "test");
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND get() const { return window_; }

 private:
  HWND window_;
  HBRUSH brush_;
};

// How many GDI objects this process can still make: brushes are created until
// creation fails, then deleted. It falls by exactly the number of objects leaked,
// and works where GetGuiResources does not (Wine answers 0).
int GdiHeadroom();

// This process's committed private memory in KiB, which also counts memory
// that was allocated but never touched, and so is not resident.
long long CommittedPrivateKib();

// The colour of a screen pixel, as COLORREF.
COLORREF ScreenPixel(int x, int y);

// The colour of pixel (x, y) in a top-down 16-bit (5-5-5) pixel buffer, as
// COLORREF with each channel's low three bits zero.
COLORREF Pixel555(const unsigned char* bits, int stride, int x, int y);
// `color` as a 16-bit surface stores it: each channel cut to its top five bits.
COLORREF To555(COLORREF color);

// An uncompressed 24-bit BMP file, bottom-up, coloured by `color(x, y)`.
std::vector<unsigned char> MakeBmp24(int width, int height,
                                     const std::function<COLORREF(int, int)>& color);
// A BMP file with a 40-byte header of the given size (a negative height is
// top-down), depth and compression, followed by `table` (colours or masks) and
// `pixels` as they are.
std::vector<unsigned char> MakeBmpFile(int width, int height, uint16_t bits, uint32_t compression,
                                       const std::vector<unsigned char>& table,
                                       const std::vector<unsigned char>& pixels);

// A 2 x 2 GIF of two frames: red, green above blue, white; then all white.
std::vector<unsigned char> QuadrantsGif();
// A picture of opaque pixels coloured by `color(x, y)`, and the bytes of its PNG or
// JPEG file as WritePictureFile writes them.
BgraPicture MakePicture(int width, int height, const std::function<COLORREF(int, int)>& color);
std::vector<unsigned char> EncodePicture(const BgraPicture& picture, PictureFileType type);

// Hostile picture files by name: a JPEG cut in half, a PNG whose header fails its
// CRC, a GIF of 2 x 2 pixels on a screen of 30,000 x 30,000, a text named ".png"
// and an empty ".gif".
struct NamedFile {
  std::string name;
  std::vector<unsigned char> bytes;
};
std::vector<NamedFile> HostilePictures();
// 2 x 2 BMP files of every valid kind the system's loader or WIC draws, each red
// and green above blue and white: top-down at 24, 16 (5-5-5) and 32 bits (bit
// fields), 5-6-5 bit fields, RLE8 and RLE4; named by their kind.
std::vector<NamedFile> BmpKinds();

// Mouse input through SendInput, as a user's hand would give it (screen pixels).
void MoveMouse(int x, int y);
void PressLeftButton();
void ReleaseLeftButton();
// True once the thread of `window` runs the system's move loop: a drag has begun,
// and mouse moves from now on move the window.
bool WaitForMoveLoop(HWND window);

// What a screen reader on this thread learns from `window`: its accessible name in
// code page 932 and its role; an empty name and role 0 when it answers none.
struct AccessibleAnswer {
  std::string name;
  long role = 0;
};
AccessibleAnswer AskAccessible(HWND window);
