#include "window/win32/accessible_description.h"

#include <oleacc.h>

#include <atomic>
#include <new>
#include <utility>

namespace tasa {
namespace {

// IAccessible's id, written out: MinGW's oleacc import library gives the
// address of a jump into the DLL under that name.
constexpr IID kAccessibleId = {
    0x618736e0,
    0x3c3d,
    0x11cf,
    {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// Windows' own accessible object for a control, with another description
// for the control itself. Its other interfaces (IEnumVARIANT, IOleWindow)
// are the standard object's.
class Described final : public IAccessible {
 public:
  Described(IAccessible* standard, std::wstring description)
      : standard_(standard), description_(std::move(description)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) ||
        IsEqualIID(id, kAccessibleId)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return standard_->QueryInterface(id, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child,
                                               BSTR* text) override {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) {
      return standard_->get_accDescription(child, text);
    }
    if (text == nullptr) return E_POINTER;
    *text = SysAllocString(description_.c_str());
    return *text != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  // The rest is the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT type_info, LCID locale,
                                        ITypeInfo** info) override {
    return standard_->GetTypeInfo(type_info, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names,
                                          UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale,
                                   WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* wrong) override {
    return standard_->Invoke(member, id, locale, flags, parameters, result,
                             exception, wrong);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child,
                                         IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* text) override {
    return standard_->get_accName(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* text) override {
    return standard_->get_accValue(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child,
                                         VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
    return standard_->get_accHelp(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child,
                                             LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child,
                                                    BSTR* text) override {
    return standard_->get_accKeyboardShortcut(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child,
                                                 BSTR* text) override {
    return standard_->get_accDefaultAction(child, text);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width,
                                        LONG* height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start,
                                        VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top,
                                       VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR text) override {
    return standard_->put_accName(child, text);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR text) override {
    return standard_->put_accValue(child, text);
  }

 private:
  ~Described() { standard_->Release(); }

  IAccessible* standard_;
  std::wstring description_;
  std::atomic<ULONG> references_{1};
};

}  // namespace

LRESULT DescribedObject(HWND control, WPARAM w, LPARAM l,
                        std::wstring description) {
  if (static_cast<DWORD>(l) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
  // COM carries the object to the screen reader's process.
  static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(com) && com != RPC_E_CHANGED_MODE) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, kAccessibleId,
                                       reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* described =
      new (std::nothrow) Described(standard, std::move(description));
  if (described == nullptr) {
    standard->Release();
    return 0;
  }
  const LRESULT object = LresultFromObject(kAccessibleId, w, described);
  described->Release();
  return object > 0 ? object : 0;
}

}  // namespace tasa
