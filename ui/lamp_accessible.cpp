#include "ui/lamp_accessible.h"

#include <oleacc.h>

#include <utility>

#include "base/com_ptr.h"
#include "base/wide_text.h"

namespace {

constexpr LONG kStateShown = STATE_SYSTEM_CHECKED | STATE_SYSTEM_PRESSED | STATE_SYSTEM_MIXED;

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The lamp's client object: the system's standard one for the control, which knows its name,
// place, focus and neighbors, with a role, state and value of the lamp's own.
class LampAccessible final : public IAccessible {
  public:
    LampAccessible(OwnedCom<IAccessible> standard, std::shared_ptr<const LampFacts> facts)
        : m_standard(std::move(standard)), m_facts(std::move(facts)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IAccessible)
            return E_NOINTERFACE;
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&m_references));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // Clients of a lamp call its methods directly; none goes through late binding.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return m_standard.get()->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_INDICATOR;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = m_standard.get()->get_accState(child, state);
        if (FAILED(result) || !IsSelf(child) || state->vt != VT_I4) return result;
        state->lVal = (state->lVal & ~kStateShown) | STATE_SYSTEM_READONLY |
                      (m_facts->lit ? STATE_SYSTEM_CHECKED : 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child)) return m_standard.get()->get_accValue(child, value);
        *value =
            SysAllocString(ToWide(m_facts->lit ? m_facts->litText : m_facts->unlitText).c_str());
        return *value ? S_OK : E_OUTOFMEMORY;
    }
    // A lamp cannot be pressed or changed.
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        *action = nullptr;
        return IsSelf(child) ? DISP_E_MEMBERNOTFOUND
                             : m_standard.get()->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return IsSelf(child) ? DISP_E_MEMBERNOTFOUND : m_standard.get()->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return m_standard.get()->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return m_standard.get()->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return m_standard.get()->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return m_standard.get()->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return m_standard.get()->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return m_standard.get()->get_accHelp(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return m_standard.get()->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return m_standard.get()->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return m_standard.get()->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return m_standard.get()->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return m_standard.get()->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return m_standard.get()->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return m_standard.get()->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return m_standard.get()->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return m_standard.get()->put_accName(child, name);
    }

  private:
    ~LampAccessible() = default;

    LONG m_references = 1;
    OwnedCom<IAccessible> m_standard;
    std::shared_ptr<const LampFacts> m_facts;
};

}  // namespace

LRESULT AnswerLampObject(HWND lamp, WPARAM flags, LPARAM objectId,
                         std::shared_ptr<const LampFacts> facts) {
    // The object's id arrives in the parameter's low 32 bits.
    if (static_cast<LONG>(static_cast<DWORD>(objectId)) != OBJID_CLIENT) return 0;
    // The object goes to the asking process through COM, which stays initialized on this thread
    // for the rest of the run; a second call is success.
    if (FAILED(CoInitialize(nullptr))) return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(lamp, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(&standard))))
        return 0;
    const OwnedCom<IAccessible> object(
        new LampAccessible(OwnedCom<IAccessible>(standard), std::move(facts)));
    const LRESULT result = LresultFromObject(IID_IAccessible, flags, object.get());
    return result > 0 ? result : 0;
}
