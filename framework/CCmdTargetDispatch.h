// The IDispatch of a command target. A separate COM object with its own
// reference count: it forwards to the target while the target lives and
// answers RPC_E_DISCONNECTED once the target has gone.
#pragma once

#include "Afx.h"

class CCmdTarget;

class CCmdTargetDispatch final : public IDispatch {
public:
    explicit CCmdTargetDispatch(CCmdTarget* target) : m_target(target) {}
    CCmdTargetDispatch(const CCmdTargetDispatch&) = delete;
    CCmdTargetDispatch& operator=(const CCmdTargetDispatch&) = delete;

    // The target is going; references held elsewhere stay valid.
    void Disconnect() { m_target = nullptr; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    ~CCmdTargetDispatch() = default;
    LONG m_refs = 1;   // the target's own reference
    CCmdTarget* m_target;
};
