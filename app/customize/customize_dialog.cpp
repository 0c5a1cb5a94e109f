#include "app/customize/customize_dialog.h"

#include <commctrl.h>

#include <utility>

#include "app/customize/background_page.h"
#include "app/customize/customize_page.h"
#include "app/customize/message_dialog.h"
#include "app/customize/module_page.h"
#include "app/customize/plugin_page.h"
#include "app/window/settings.h"
#include "app/window/work_area.h"
#include "base/win/gdi_handles.h"
#include "base/win/resource_data.h"
#include "base/win/system_function.h"
#include "imaging/mag_picture.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kClientWidth = 320;
constexpr int kClientHeight = 240;
constexpr int kSkinSize = 400;
// The dialog stands this much lower than centred on the clock.
constexpr int kBelowClock = 200;

// The frame's buttons in the order they are made, with where the frame draws them
// from in the skin (normal, then pressed); the tabs have no source: the pages draw them.
struct FrameButton {
  int id;
  const char* text;
  int x, y, width, height;
  POINT normal, pressed;
};
constexpr FrameButton kFrameButtons[] = {
    {CustomizeDialog::kCloseId, "CONFIG", 293, 3, 24, 24, {325, 215}, {349, 215}},
    {TabButtonId(1), "BACKGROUND", 0, 20, 55, 24, {-1, -1}, {-1, -1}},
    {TabButtonId(2), "POINTER", 60, 20, 68, 24, {-1, -1}, {-1, -1}},
    {TabButtonId(3), "EXTENSION", 130, 20, 63, 24, {-1, -1}, {-1, -1}},
    {CustomizeDialog::kUpdateId, "UPDATE", 110, 210, 60, 24, {325, 100}, {325, 124}},
    {CustomizeDialog::kCancelId, "CANCEL", 180, 210, 60, 24, {325, 0}, {325, 24}},
    {CustomizeDialog::kAcceptId, "ACCEPT", 250, 210, 60, 24, {325, 50}, {325, 74}},
};

// The common controls are loaded with the first dialog, not with the program.
void InitListViewsOnce() {
  static bool done = false;
  if (done) return;
  static const auto init =
      SystemFunction<decltype(&InitCommonControlsEx)>("comctl32.dll", "InitCommonControlsEx");
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  done = init != nullptr && init(&controls);
}

}  // namespace

class CustomizeDialog::PageCall {
 public:
  explicit PageCall(CustomizeDialog& dialog) : dialog_(dialog) { ++dialog_.pageCalls_; }
  ~PageCall() {
    if (--dialog_.pageCalls_ == 0) dialog_.leftPages_.clear();
  }
  PageCall(const PageCall&) = delete;
  PageCall& operator=(const PageCall&) = delete;

 private:
  CustomizeDialog& dialog_;
};

void CustomizeDialog::Run(HWND clockWindow, ClockFace* face, PluginHost* plugins) {
  owner_ = clockWindow;
  face_ = face;
  plugins_ = plugins;
  skin_.Create(clockWindow, kSkinSize, kSkinSize, 24);
  const unsigned char* data = nullptr;
  DWORD size = 0;
  if (LoadResourceData(IDR_CUSTOMIZE_SKIN, kSkinResourceType, &data, &size)) {
    DrawPicture(skin_.memoryDc(), nullptr, data, size);
  }
  RunModal(GetModuleHandleA(nullptr), IDD_SKINNED, clockWindow);
  skin_.Destroy();
}

int CustomizeDialog::SelectPage(int number) {
  if (number == 0) {
    LeavePage(std::move(page_));
    return 1;
  }
  if (number < 1 || number > 3) {
    MessageDialog notice;
    notice.Show(window_, "パラメータが不正です。");
    return 0;
  }
  std::unique_ptr<DialogPage> page;
  switch (number) {
    case 1: page = std::make_unique<BackgroundPage>(); break;
    case 2: page = std::make_unique<ModulePage>(); break;
    case 3: page = std::make_unique<PluginPage>(); break;
  }
  // Current before it is built, so that what it sends while building reaches it.
  std::unique_ptr<DialogPage> old = std::exchange(page_, std::move(page));
  WriteSetting("CONFIG", "SELECTION", nullptr, number);
  PageParams params{face_, &skin_, plugins_, &clockClosing_};
  {
    DialogPage* built = page_.get();
    PageCall call(*this);
    built->Create(window_, &params);
  }
  LeavePage(std::move(old));
  return 1;
}

void CustomizeDialog::LeavePage(std::unique_ptr<DialogPage> page) {
  if (page == nullptr) return;
  PageCall call(*this);
  page->Destroy();
  leftPages_.push_back(std::move(page));
}

void CustomizeDialog::CloseDialog(int result) {
  ShowWindow(window_, SW_HIDE);
  for (ChildWindow& button : buttons_) button.Destroy();
  EndDialog(window_, result);
  Unbind();
}

INT_PTR CustomizeDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (DialogPage* page = page_.get()) {
    PageCall call(*this);
    const int result = page->HandleMessage(window_, message, wParam, lParam);
    if (result != -1) return result;
  }
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_PAINT: return OnPaint();
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND: return OnCommand(LOWORD(wParam));
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    case WM_LBUTTONDOWN: return OnLButtonDown();
    case kSelectPageMessage: SelectPage(static_cast<int>(lParam)); return FALSE;
    case WM_DESTROY: return OnDestroy();
  }
  return FALSE;
}

// The white background comes from WM_CTLCOLORDLG alone: the dialog class is the
// whole process's, and the plug-ins' dialogs and message boxes keep their own look.
INT_PTR CustomizeDialog::OnInitDialog() {
  window_ = dialogWindow();
  ShowWindow(window_, SW_HIDE);
  InitListViewsOnce();
  CreateButtons();
  PlaceBelowClock();
  SelectPage(ReadSetting("CONFIG", "SELECTION", nullptr, 1));
  return TRUE;
}

INT_PTR CustomizeDialog::OnPaint() {
  PAINTSTRUCT paint;
  BeginPaint(window_, &paint);
  EndPaint(window_, &paint);
  if (DialogPage* page = page_.get()) {
    PageCall call(*this);
    // The page copies whole skin rows; the buttons on them keep their own pixels.
    WindowDc dc(window_, DCX_CACHE | DCX_CLIPCHILDREN);
    page->Paint(window_, dc.get());
  }
  return TRUE;
}

INT_PTR CustomizeDialog::OnDrawItem(const DRAWITEMSTRUCT& item) const {
  for (const FrameButton& button : kFrameButtons) {
    if (static_cast<UINT>(button.id) != item.CtlID || button.normal.x < 0) continue;
    const POINT from = (item.itemState & ODS_SELECTED) ? button.pressed : button.normal;
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
           item.rcItem.bottom - item.rcItem.top, skin_.memoryDc(), from.x, from.y, SRCCOPY);
  }
  return FALSE;
}

// Every way out destroys the page first, which saves what it keeps; the result
// (1 for OK and Enter) is read by nobody.
INT_PTR CustomizeDialog::OnCommand(int id) {
  switch (id) {
    case TabButtonId(1):
    case TabButtonId(2):
    case TabButtonId(3): SelectPage(id - TabButtonId(0)); return FALSE;
    case kAcceptId:
    case IDOK:
      SelectPage(0);
      CloseDialog(1);
      return TRUE;
    case kCancelId:
    case kCloseId:
    case IDCANCEL:
      SelectPage(0);
      CloseDialog(0);
      return TRUE;
  }
  return FALSE;
}

// A press on any free spot drags the dialog, as a press on a caption would.
INT_PTR CustomizeDialog::OnLButtonDown() {
  SendMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  return FALSE;
}

// Reached only when the dialog is destroyed while open, with the clock window
// that owns it: the page still saves what it keeps.
INT_PTR CustomizeDialog::OnDestroy() {
  clockClosing_ = true;
  SelectPage(0);
  CloseDialog(0);
  return FALSE;
}

void CustomizeDialog::CreateButtons() {
  for (size_t i = 0; i < sizeof kFrameButtons / sizeof kFrameButtons[0]; ++i) {
    const FrameButton& button = kFrameButtons[i];
    buttons_[i].Create(window_, button.id, "BUTTON", button.text,
                       WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, button.x, button.y, button.width,
                       button.height);
  }
}

// Centred below the clock, 200 pixels lower than centred on it, and kept inside
// the work area of the clock's monitor, so that a clock near the bottom of the
// screen does not open its dialog out of sight.
void CustomizeDialog::PlaceBelowClock() const {
  const int width = kClientWidth + 2 * GetSystemMetrics(SM_CXDLGFRAME);
  const int height = kClientHeight + 2 * GetSystemMetrics(SM_CYDLGFRAME);
  RECT clock{};
  GetWindowRect(owner_, &clock);
  RECT place =
      RectAt(clock.left + (clock.right - clock.left - width) / 2,
             clock.top + (clock.bottom - clock.top - height) / 2 + kBelowClock, width, height);
  RECT work{};
  if (WorkAreaOf(owner_, &work)) place = KeepInside(place, work);
  SetWindowPos(window_, nullptr, place.left, place.top, width, height, SWP_NOREDRAW);
}
