#pragma once

#include <windows.h>

// The base of every dialog of the program and its plug-ins, modal and (for a
// plug-in's window that stays open beside the clock) modeless. It binds the
// object to its dialog window from WM_INITDIALOG on, hands each message of the
// bound window to the derived dialog's OnMessage, and keeps C++ exceptions from
// crossing the dialog procedure. Messages that arrive while no object is bound
// (before WM_INITDIALOG, or after Unbind) get FALSE: the dialog manager's default.
class ModalDialog {
 public:
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

 protected:
  // Where the object is kept on its window: the window property "THIS", or the
  // dialog's user slot (DWLP_USER).
  enum class Binding { kThisProperty, kUserSlot };

  explicit ModalDialog(Binding binding) : binding_(binding) {}
  virtual ~ModalDialog() = default;

  // Runs dialog template `templateId` of `module` modally over `owner` with this
  // object bound; returns what the dialog ended with, or -1 when it could not be made.
  INT_PTR RunModal(HMODULE module, int templateId, HWND owner);
  // Makes the dialog modeless and returns at once; returns the window, or null
  // when it could not be made. The caller destroys it, after Unbind.
  HWND CreateModeless(HMODULE module, int templateId, HWND owner);
  // Ends the binding: later messages no longer reach the object.
  void Unbind();
  // The dialog window from WM_INITDIALOG on.
  HWND dialogWindow() const { return boundWindow_; }

  // One message of the bound dialog, WM_INITDIALOG included; returns what the
  // dialog procedure returns for it.
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  DLGPROC procedure() const;
  template <Binding kBinding>
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Binding binding_;
  HWND boundWindow_ = nullptr;
};
