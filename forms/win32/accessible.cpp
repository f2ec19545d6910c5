#include "forms/win32/accessible.h"

#include <oleacc.h>

namespace vesk::forms::win32 {
namespace {

using Role = Spoken::Role;

bool isSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT text(const std::wstring& words, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocString(words.c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

// Stands in front of the standard object: what it does not give itself, the standard one does.
class Accessible final : public IAccessible {
 public:
  Accessible(HWND control, IAccessible* standard, std::shared_ptr<Spoken> spoken)
      : control_(control), std_(standard), spoken_(std::move(spoken)) {}
  Accessible(const Accessible&) = delete;
  Accessible& operator=(const Accessible&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return std_->QueryInterface(iid, out);  // IOleWindow, IEnumVARIANT
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) {
      std_->Release();
      delete this;
    }
    return left;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    if (isSelf(child) && !spoken_->name.empty()) return text(spoken_->name, out);
    return std_->get_accName(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    if (isSelf(child) && !spoken_->state.empty()) return text(spoken_->state, out);
    return std_->get_accDescription(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    if (!isSelf(child) || !out) return std_->get_accRole(child, out);
    static constexpr LONG kRoles[] = {ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_LINK,
                                      ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_CHECKBUTTON};
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = kRoles[static_cast<int>(spoken_->role)];
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    const HRESULT got = std_->get_accState(child, out);
    if (SUCCEEDED(got) && out && out->vt == VT_I4 && isSelf(child)) {
      if (spoken_->check == 1) out->lVal |= STATE_SYSTEM_CHECKED;
      if (spoken_->check == 2) out->lVal |= STATE_SYSTEM_MIXED;
    }
    return got;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    if (isSelf(child) && spoken_->role == Role::Link) return text(L"Click", out);
    return std_->get_accDefaultAction(child, out);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!isSelf(child) || spoken_->role != Role::Link) return std_->accDoDefaultAction(child);
    // As a click does, once the caller has its answer.
    PostMessageW(GetParent(control_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control_), STN_CLICKED),
                 reinterpret_cast<LPARAM>(control_));
    return S_OK;
  }

  // The rest is the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return std_->GetTypeInfoCount(n); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
    return std_->GetTypeInfo(i, l, t);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l,
                                          DISPID* d) override {
    return std_->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                   EXCEPINFO* e, UINT* a) override {
    return std_->Invoke(d, r, l, f, p, v, e, a);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return std_->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override {
    return std_->get_accChildCount(n);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** p) override {
    return std_->get_accChild(c, p);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* v) override {
    return std_->get_accValue(c, v);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override {
    return std_->get_accHelp(c, h);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, LONG* t) override {
    return std_->get_accHelpTopic(f, c, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
    return std_->get_accKeyboardShortcut(c, k);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* c) override { return std_->get_accFocus(c); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* c) override {
    return std_->get_accSelection(c);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT c) override { return std_->accSelect(f, c); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT c) override {
    return std_->accLocation(x, y, w, h, c);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override {
    return std_->accNavigate(d, s, e);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* c) override {
    return std_->accHitTest(x, y, c);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override {
    return std_->put_accName(c, n);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override {
    return std_->put_accValue(c, v);
  }

 private:
  ~Accessible() = default;  // through Release only

  HWND control_;
  IAccessible* std_;
  std::shared_ptr<Spoken> spoken_;
  ULONG refs_ = 1;
};

}  // namespace

LRESULT answerGetObject(HWND control, WPARAM wp, LPARAM lp, const std::shared_ptr<Spoken>& spoken) {
  if (static_cast<LONG>(lp) != OBJID_CLIENT || !spoken) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                       reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* ours = new Accessible(control, standard, spoken);
  const LRESULT answer = LresultFromObject(IID_IAccessible, wp, ours);
  ours->Release();  // the answer holds its own reference
  return answer;
}

void announceState(HWND control) {
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace vesk::forms::win32
