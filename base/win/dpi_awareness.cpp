#include "base/win/dpi_awareness.h"

#include "base/win/system_function.h"

namespace {

using SetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

SetContextFn SetThreadContext() {
  static const auto set =
      SystemFunction<SetContextFn>("user32.dll", "SetThreadDpiAwarenessContext");
  return set;
}

}  // namespace

DpiAwarenessScope::DpiAwarenessScope(Awareness awareness) {
  const SetContextFn set = SetThreadContext();
  if (set == nullptr) return;
  if (awareness == Awareness::kUnaware) {
    previous_ = set(DPI_AWARENESS_CONTEXT_UNAWARE);
    return;
  }
  previous_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  if (previous_ == nullptr) previous_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

DpiAwarenessScope::~DpiAwarenessScope() {
  if (previous_ != nullptr) SetThreadContext()(previous_);
}

UINT WindowDpi(HWND window) {
  static const auto dpiForWindow =
      SystemFunction<UINT(WINAPI*)(HWND)>("user32.dll", "GetDpiForWindow");
  const UINT dpi = dpiForWindow != nullptr ? dpiForWindow(window) : 0;
  return dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int SmallIconSize(UINT dpi) {
  static const auto metricsForDpi =
      SystemFunction<int(WINAPI*)(int, UINT)>("user32.dll", "GetSystemMetricsForDpi");
  if (metricsForDpi != nullptr) return metricsForDpi(SM_CXSMICON, dpi);
  return MulDiv(GetSystemMetrics(SM_CXSMICON), static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}
