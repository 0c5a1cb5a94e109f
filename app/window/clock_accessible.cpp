#include "app/window/clock_accessible.h"

#include <new>
#include <string>

#include "app/window/time_text.h"
#include "base/win/com_objects.h"
#include "base/win/system_function.h"

namespace {

constexpr char kAccessibility[] = "oleacc.dll";

// One object per request: a reader asks, reads and lets go.
class ClockAccessible final : public IAccessible {
 public:
  ClockAccessible(IAccessible* standard, void(WINAPI* readTime)(LPSYSTEMTIME))
      : standard_(standard), readTime_(readTime) {}
  ClockAccessible(const ClockAccessible&) = delete;
  ClockAccessible& operator=(const ClockAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IDispatch || id == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument) override {
    return standard_->Invoke(member, id, locale, flags, params, result, exception, argument);
  }

  // IAccessible: the name and the role are the clock's own.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (name == nullptr) return E_POINTER;
    if (!IsSelf(child)) return standard_->get_accName(child, name);
    SYSTEMTIME now;
    readTime_(&now);
    *name = ToBstr(JapaneseTimeText(now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute));
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    if (!IsSelf(child)) return standard_->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_CLOCK;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~ClockAccessible() { standard_->Release(); }

  static bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
  }

  // Code page 932 text as a BSTR of the system's allocator, or null.
  static BSTR ToBstr(const std::string& text) {
    static const auto allocate =
        SystemFunction<BSTR(WINAPI*)(const OLECHAR*, UINT)>("oleaut32.dll", "SysAllocStringLen");
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (allocate == nullptr || length <= 0) return nullptr;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    return allocate(wide.c_str(), static_cast<UINT>(length - 1));
  }

  LONG references_ = 1;
  IAccessible* standard_;
  void(WINAPI* readTime_)(LPSYSTEMTIME);
};

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam,
                        void(WINAPI* readTime)(LPSYSTEMTIME)) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  // The object is handed to the reader's process through COM, which the clock's
  // thread then keeps for the rest of the run.
  static const ComApartment apartment;
  static const auto createStandard = SystemFunction<decltype(&CreateStdAccessibleObject)>(
      kAccessibility, "CreateStdAccessibleObject");
  static const auto fromObject =
      SystemFunction<decltype(&LresultFromObject)>(kAccessibility, "LresultFromObject");
  IAccessible* standard = nullptr;
  if (createStandard == nullptr || fromObject == nullptr ||
      FAILED(createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                            reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* clock = new (std::nothrow) ClockAccessible(standard, readTime);
  if (clock == nullptr) {
    standard->Release();
    return 0;
  }
  const LRESULT result = fromObject(__uuidof(IAccessible), wParam, clock);
  clock->Release();
  return result;
}
