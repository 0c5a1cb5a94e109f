#include "tests/win32/test_support.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdio>

#include "base/little_endian.h"
#include "base/win/com_objects.h"

std::string ExeDir() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path);
  return dir.substr(0, dir.find_last_of('\\'));
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return condition();
    Sleep(10);
  }
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  bool written = file != nullptr;
  if (file != nullptr) {
    written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fclose(file) == 0 && written;
  }
  if (!written) ADD_FAILURE() << "the fixture " << path << " could not be written";
}

std::string ReadText(const std::string& path) {
  std::string text;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return text;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  std::fclose(file);
  return text;
}

SYSTEMTIME LocalTime(int year, int month, int day, int hour, int minute, int second,
                     int millisecond) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  time.wMilliseconds = static_cast<WORD>(millisecond);
  FILETIME asFileTime{};
  SystemTimeToFileTime(&time, &asFileTime);
  FileTimeToSystemTime(&asFileTime, &time);
  return time;
}

std::string WindowText(HWND window, int id) {
  char text[MAX_PATH] = {};
  GetWindowTextA(id == 0 ? window : GetDlgItem(window, id), text, sizeof text);
  return text;
}

void Command(HWND dialog, int id, WORD code) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

TempDir::TempDir(const std::string& name) {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  char unique[64];
  std::snprintf(unique, sizeof unique, "-%lu-%d", GetCurrentProcessId(), ++counter);
  path_ = std::string(base) + name + unique;
  CreateDirectoryA(path_.c_str(), nullptr);
}

namespace {

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace

TempDir::~TempDir() { RemoveTree(path_); }

CallLog::CallLog() : dir_("kelvane-log"), path_(dir_.File("calls.log")) {
  SetEnvironmentVariableA("KELVANE_FIXTURE_LOG", path_.c_str());
}

CallLog::~CallLog() { SetEnvironmentVariableA("KELVANE_FIXTURE_LOG", nullptr); }

std::vector<std::string> CallLog::Lines() const {
  std::vector<std::string> lines;
  const std::string text = ReadText(path_);
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

std::vector<std::string> CallLog::Matching(const std::string& prefix) const {
  std::vector<std::string> matching;
  for (const std::string& line : Lines()) {
    const size_t space = line.find(' ');
    if (space != std::string::npos && line.compare(space + 1, prefix.size(), prefix) == 0) {
      matching.push_back(line);
    }
  }
  return matching;
}

void CallLog::Clear() const { DeleteFileA(path_.c_str()); }

MessageBoxWatcher::MessageBoxWatcher(const std::string& caption)
    : caption_(caption), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<std::string> MessageBoxWatcher::Texts() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return texts_;
}

namespace {

BOOL CALLBACK CollectStaticText(HWND child, LPARAM lParam) {
  char className[32] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") != 0) return TRUE;
  char text[1024] = {};
  GetWindowTextA(child, text, sizeof text);
  if (text[0] != '\0') *reinterpret_cast<std::string*>(lParam) = text;
  return TRUE;
}

}  // namespace

std::string StaticText(HWND window) {
  std::string text;
  EnumChildWindows(window, CollectStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

void MessageBoxWatcher::Watch() {
  while (!stop_) {
    HWND box = FindWindowA("#32770", caption_.c_str());
    if (box != nullptr && IsWindowVisible(box)) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        texts_.push_back(StaticText(box));
      }
      SendMessageA(box, WM_COMMAND, IDOK, 0);
      WaitFor([box] { return !IsWindow(box); }, 5000);
    }
    Sleep(10);
  }
}

namespace {

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client,
             reinterpret_cast<HBRUSH>(GetWindowLongPtrA(window, GWLP_USERDATA)));
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Registers the window class `name` with the test window procedure, once.
const char* TestWindowClass(const char* name) {
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), name, &windowClass)) {
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
  }
  return name;
}

}  // namespace

TestWindow::TestWindow(int x, int y, int width, int height, COLORREF color, bool topmost,
                       const char* className, const char* title)
    : brush_(CreateSolidBrush(color)) {
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW | (topmost ? WS_EX_TOPMOST : 0),
                            TestWindowClass(className), title, WS_POPUP, x, y, width, height,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush_));
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  UpdateWindow(window_);
}

TestWindow::~TestWindow() {
  DestroyWindow(window_);
  DeleteObject(brush_);
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF color = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return color;
}

COLORREF Pixel555(const unsigned char* bits, int stride, int x, int y) {
  const unsigned char* p = bits + y * stride + 2 * x;
  const unsigned value = ReadUint16(p);
  return RGB(((value >> 10) & 31) << 3, ((value >> 5) & 31) << 3, (value & 31) << 3);
}

COLORREF To555(COLORREF color) { return color & 0xF8F8F8; }

std::vector<unsigned char> MakeBmp24(int width, int height,
                                     const std::function<COLORREF(int, int)>& color) {
  const int stride = (width * 3 + 3) / 4 * 4;
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = pixels.data() + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const COLORREF c = color(x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
  return MakeBmpFile(width, height, 24, BI_RGB, {}, pixels);
}

std::vector<unsigned char> MakeBmpFile(int width, int height, uint16_t bits, uint32_t compression,
                                       const std::vector<unsigned char>& table,
                                       const std::vector<unsigned char>& pixels) {
  std::vector<unsigned char> file(54);
  file[0] = 'B';
  file[1] = 'M';
  WriteUint32(&file[2], static_cast<uint32_t>(54 + table.size() + pixels.size()));
  WriteUint32(&file[10], static_cast<uint32_t>(54 + table.size()));
  WriteUint32(&file[14], 40);
  WriteUint32(&file[18], static_cast<uint32_t>(width));
  WriteUint32(&file[22], static_cast<uint32_t>(height));
  WriteUint32(&file[26], 1u | static_cast<uint32_t>(bits) << 16);  // planes, bits per pixel
  WriteUint32(&file[30], compression);
  WriteUint32(&file[34], static_cast<uint32_t>(pixels.size()));
  WriteUint32(&file[46], bits <= 8 ? static_cast<uint32_t>(table.size() / 4) : 0);
  file.insert(file.end(), table.begin(), table.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

// Each frame's 3-bit codes are clear, the four pixels (the last 4 bits wide) and end.
std::vector<unsigned char> QuadrantsGif() {
  return {'G', 'I', 'F',  '8', '9', 'a', 2,    0,    2,    0,    0x81, 0,    0,   0xFF, 0,
          0,   0,   0xFF, 0,   0,   0,   0xFF, 0xFF, 0xFF, 0xFF, 0x2C, 0,    0,   0,    0,
          2,   0,   2,    0,   0,   2,   3,    0x44, 0x34, 0x05, 0,    0x2C, 0,   0,    0,
          0,   2,   0,    2,   0,   0,   2,    3,    0xDC, 0x36, 0x05, 0,    0x3B};
}

BgraPicture MakePicture(int width, int height, const std::function<COLORREF(int, int)>& color) {
  BgraPicture picture{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = color(x, y);
      picture.pixels.push_back(0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
    }
  }
  return picture;
}

std::vector<unsigned char> EncodePicture(const BgraPicture& picture, PictureFileType type) {
  const TempDir dir("kelvane-encoded");
  const std::string path = dir.File("picture");
  EXPECT_TRUE(WritePictureFile(path.c_str(), picture, type));
  const std::string text = ReadText(path);
  return std::vector<unsigned char>(text.begin(), text.end());
}

std::vector<NamedFile> HostilePictures() {
  const BgraPicture teal = MakePicture(32, 32, [](int, int) { return RGB(0x40, 0x80, 0xC0); });
  const std::vector<unsigned char> jpeg = EncodePicture(teal, PictureFileType::kJpeg);
  std::vector<unsigned char> png = EncodePicture(teal, PictureFileType::kPng);
  png[29] ^= 1;  // IHDR's CRC
  std::vector<unsigned char> gif = QuadrantsGif();
  WriteUint32(&gif[6], 30000 | 30000u << 16);
  const std::string text = "これは絵ではありません";
  return {
      {"truncated.jpg", std::vector<unsigned char>(jpeg.begin(), jpeg.begin() + jpeg.size() / 2)},
      {"crc.png", png},
      {"huge.gif", gif},
      {"text.png", std::vector<unsigned char>(text.begin(), text.end())},
      {"empty.gif", {}}};
}

std::vector<NamedFile> BmpKinds() {
  const std::vector<unsigned char> palette = {0,   0, 255, 0, 0,   255, 0,   0,
                                              255, 0, 0,   0, 255, 255, 255, 0};
  const std::vector<unsigned char> masks = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
  const std::vector<unsigned char> masks565 = {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
  return {
      {"24 bits, top-down",
       MakeBmpFile(2, -2, 24, BI_RGB, {},
                   {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0})},
      {"16 bits 5-5-5, top-down",
       MakeBmpFile(2, -2, 16, BI_RGB, {}, {0, 0x7C, 0xE0, 3, 0x1F, 0, 0xFF, 0x7F})},
      {"16 bits 5-6-5 bit fields",
       MakeBmpFile(2, 2, 16, BI_BITFIELDS, masks565, {0x1F, 0, 0xFF, 0xFF, 0, 0xF8, 0xE0, 7})},
      {"32 bits bit fields, top-down",
       MakeBmpFile(2, -2, 32, BI_BITFIELDS, masks,
                   {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0})},
      {"RLE8", MakeBmpFile(2, 2, 8, BI_RLE8, palette, {1, 2, 1, 3, 0, 0, 1, 0, 1, 1, 0, 0, 0, 1})},
      {"RLE4",
       MakeBmpFile(2, 2, 4, BI_RLE4, palette, {1, 0x20, 1, 0x30, 0, 0, 1, 0, 1, 0x10, 0, 0, 0, 1})},
  };
}

namespace {

void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // Absolute coordinates run from 0 to 65535 across the primary screen; rounding
    // up lands on the pixel asked for, since the system scales back rounding down.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (x * 65536 + width - 1) / width;
    input.mi.dy = (y * 65536 + height - 1) / height;
  }
  SendInput(1, &input, sizeof input);
}

}  // namespace

void MoveMouse(int x, int y) {
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
  WaitFor(
      [x, y] {
        POINT cursor{};
        GetCursorPos(&cursor);
        return cursor.x == x && cursor.y == y;
      },
      2000);
}

void PressLeftButton() { SendMouse(MOUSEEVENTF_LEFTDOWN); }

void ReleaseLeftButton() { SendMouse(MOUSEEVENTF_LEFTUP); }

bool WaitForMoveLoop(HWND window) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return WaitFor([thread] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
  });
}

long long CommittedPrivateKib() {
  long long total = 0;
  MEMORY_BASIC_INFORMATION region;
  const char* address = nullptr;
  while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
      total += static_cast<long long>(region.RegionSize);
    }
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;
    address = next;
  }
  return total / 1024;
}

int GdiHeadroom() {
  // Far above any process's GDI limit; the cap only stops a system without one.
  constexpr size_t kCap = 1000000;
  std::vector<HBRUSH> brushes;
  brushes.reserve(1 << 16);
  while (brushes.size() < kCap) {
    HBRUSH brush = CreateSolidBrush(RGB(brushes.size() & 0xFF, 0, 0));
    if (brush == nullptr) break;
    brushes.push_back(brush);
  }
  for (HBRUSH brush : brushes) DeleteObject(brush);
  return static_cast<int>(brushes.size());
}

AccessibleAnswer AskAccessible(HWND window) {
  const ComApartment apartment;
  AccessibleAnswer answer;
  IAccessible* accessible = nullptr;
  if (AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&accessible)) != S_OK) {
    return answer;
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (accessible->get_accName(self, &name) == S_OK) {
    char text[128] = {};
    WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, nullptr);
    answer.name = text;
    SysFreeString(name);
  }
  VARIANT role{};
  if (accessible->get_accRole(self, &role) == S_OK) answer.role = role.lVal;
  accessible->Release();
  return answer;
}
