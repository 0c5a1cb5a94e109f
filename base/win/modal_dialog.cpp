#include "base/win/modal_dialog.h"

namespace {

constexpr char kThisProperty[] = "THIS";

}  // namespace

INT_PTR ModalDialog::RunModal(HMODULE module, int templateId, HWND owner) {
  return DialogBoxParamA(module, MAKEINTRESOURCEA(templateId), owner, procedure(),
                         reinterpret_cast<LPARAM>(this));
}

HWND ModalDialog::CreateModeless(HMODULE module, int templateId, HWND owner) {
  return CreateDialogParamA(module, MAKEINTRESOURCEA(templateId), owner, procedure(),
                            reinterpret_cast<LPARAM>(this));
}

DLGPROC ModalDialog::procedure() const {
  return binding_ == Binding::kThisProperty ? Procedure<Binding::kThisProperty>
                                            : Procedure<Binding::kUserSlot>;
}

void ModalDialog::Unbind() {
  if (boundWindow_ == nullptr) return;
  if (binding_ == Binding::kThisProperty) {
    RemovePropA(boundWindow_, kThisProperty);
  } else {
    SetWindowLongPtrA(boundWindow_, DWLP_USER, 0);
  }
}

template <ModalDialog::Binding kBinding>
INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ModalDialog* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<ModalDialog*>(lParam);
    dialog->boundWindow_ = window;
    if (kBinding == Binding::kThisProperty) {
      SetPropA(window, kThisProperty, dialog);
    } else {
      SetWindowLongPtrA(window, DWLP_USER, lParam);
    }
  } else if (kBinding == Binding::kThisProperty) {
    dialog = static_cast<ModalDialog*>(GetPropA(window, kThisProperty));
  } else {
    dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  }
  if (dialog == nullptr) return FALSE;
  try {
    return dialog->OnMessage(message, wParam, lParam);
  } catch (...) {
    return FALSE;
  }
}
