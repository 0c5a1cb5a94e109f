#include "app/customize/message_dialog.h"

#include <new>

#include "base/win/gdi_handles.h"
#include "base/win/resource_data.h"
#include "imaging/mag_picture.h"
#include "imaging/ui_font.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kBodyWidth = 240;
constexpr int kBodyHeight = 160;
constexpr int kSkinWidth = 320;
constexpr int kSkinHeight = 160;
constexpr int kButtonTop = 120;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 25;
// Button images in the skin: x 245; Accept at y 0 (pressed 25), Refuse at 50 (pressed 75).
constexpr int kButtonImageLeft = 245;
constexpr int kRefuseImageTop = 50;
constexpr int kTextHeight = 12;
constexpr RECT kTextRect = {10, 45, 230, 110};

void CreateButton(HWND window, int id, int left) {
  CreateWindowExA(0, "BUTTON", "Connect", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, left,
                  kButtonTop, kButtonWidth, kButtonHeight, window,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                  nullptr);
}

// Sizes the window to a 240 x 160 client area, centred on the rectangle the dialog
// manager made from the template (divisions truncate toward zero), and shows it.
void PlaceCentred(HWND window) {
  RECT start;
  GetWindowRect(window, &start);
  const int width = kBodyWidth + 2 * GetSystemMetrics(SM_CXDLGFRAME);
  const int height = kBodyHeight + 2 * GetSystemMetrics(SM_CYDLGFRAME);
  const int left = start.left + (start.right - start.left - width) / 2;
  const int top = start.top + (start.bottom - start.top - height) / 2;
  SetWindowPos(window, nullptr, left, top, width, height, SWP_SHOWWINDOW);
}

}  // namespace

int MessageDialog::Show(HWND owner, const char* text) {
  // DialogBoxParam answers 0 (which reads as Refuse) for an owner that is no window.
  if (owner != nullptr && !IsWindow(owner)) return -1;
  try {
    text_.assign(text != nullptr ? text : "");
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return static_cast<int>(RunModal(GetModuleHandleA(nullptr), IDD_SKINNED, owner));
}

void MessageDialog::Build() {
  PlaceCentred(window_);
  CreateButton(window_, kAcceptId, 20);
  CreateButton(window_, kRefuseId, 120);
  skin_.Create(window_, kSkinWidth, kSkinHeight, 24);

  const unsigned char* data = nullptr;
  DWORD size = 0;
  if (!LoadResourceData(IDR_MESSAGE_SKIN, kSkinResourceType, &data, &size)) return;
  DrawPicture(skin_.memoryDc(), nullptr, data, size);
  DrawMessageText();
  RedrawWindow(window_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_VALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The text goes into the skin once, in the surface's default colours (black on
// opaque white); paints only copy the surface. Lines wrap at word breaks, each one
// centred; whatever does not fit the rectangle is cut off.
void MessageDialog::DrawMessageText() {
  const HDC dc = skin_.memoryDc();
  if (dc == nullptr) return;
  GdiObject<HFONT> font(CreateUiFont(kTextHeight));
  ScopedSelect selectFont(dc, font.get());
  RECT rect = kTextRect;
  DRAWTEXTPARAMS params{sizeof params, 0, 0, 0, 0};
  DrawTextExA(dc, text_.data(), -1, &rect, DT_CENTER | DT_VCENTER | DT_WORDBREAK, &params);
}

INT_PTR MessageDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_PAINT: return OnPaint();
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND: return OnCommand(LOWORD(wParam));
    case WM_LBUTTONDOWN: return OnLButtonDown();
  }
  return FALSE;
}

INT_PTR MessageDialog::OnInitDialog() {
  window_ = dialogWindow();
  Build();
  return TRUE;
}

INT_PTR MessageDialog::OnPaint() {
  PAINTSTRUCT paint;
  BeginPaint(window_, &paint);
  EndPaint(window_, &paint);
  WindowDc dc(window_);
  RECT client;
  GetClientRect(window_, &client);
  BitBlt(dc.get(), 0, 0, client.right, client.bottom, skin_.memoryDc(), 0, 0, SRCCOPY);
  return TRUE;
}

INT_PTR MessageDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const int width = item.rcItem.right - item.rcItem.left;
  const int height = item.rcItem.bottom - item.rcItem.top;
  const int pressed = (item.itemState & ODS_SELECTED) != 0 ? height : 0;
  int top;
  switch (item.CtlID) {
    case kAcceptId: top = pressed; break;
    case kRefuseId: top = kRefuseImageTop + pressed; break;
    default: return TRUE;
  }
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, width, height, skin_.memoryDc(),
         kButtonImageLeft, top, SRCCOPY);
  return TRUE;
}

// The binding ends first, so nothing reaches the object once the dialog is ending.
void MessageDialog::Close(int result) {
  Unbind();
  EndDialog(window_, result);
  DestroyWindow(GetDlgItem(window_, kAcceptId));
  DestroyWindow(GetDlgItem(window_, kRefuseId));
  skin_.Destroy();
}

// Only the two buttons answer. Enter and Esc (ids 1 and 2, also what the dialog
// manager makes of Alt+F4 and WM_CLOSE) are taken and ignored.
INT_PTR MessageDialog::OnCommand(int id) {
  switch (id) {
    case kAcceptId: Close(1); return TRUE;
    case kRefuseId: Close(0); return TRUE;
    case IDOK:
    case IDCANCEL: return TRUE;
  }
  return FALSE;
}

// A press on the body drags the window, as a press on a caption would.
INT_PTR MessageDialog::OnLButtonDown() {
  SendMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  return FALSE;
}
