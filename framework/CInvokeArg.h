// One argument of an automation call made through InvokeHelper, remembering
// the C++ type it was made from. The call checks each argument against its
// VTS_ code before anything reaches the control: a variable argument list
// cannot, and on x64 a literal 0 passed where the callee reads a pointer is
// not a null pointer. Use nullptr for "no value".
#pragma once

#include "Afx.h"

#include <cstddef>

class CString;

class CInvokeArg {
public:
    enum Kind { Integer, Real, Text, Dispatch, VariantRef, Null };

    CInvokeArg(short v) : m_kind(Integer), m_integer(v) {}
    CInvokeArg(int v) : m_kind(Integer), m_integer(v) {}
    CInvokeArg(long v) : m_kind(Integer), m_integer(v) {}
    CInvokeArg(bool v) : m_kind(Integer), m_integer(v ? 1 : 0) {}
    CInvokeArg(double v) : m_kind(Real), m_real(v) {}
    CInvokeArg(const wchar_t* v) : m_kind(v ? Text : Null), m_text(v) {}
    CInvokeArg(const CString& v);
    CInvokeArg(IDispatch* v) : m_kind(v ? Dispatch : Null), m_dispatch(v) {}
    CInvokeArg(VARIANT* v) : m_kind(v ? VariantRef : Null), m_variant(v) {}
    CInvokeArg(std::nullptr_t) : m_kind(Null) {}
    // Anything else (another pointer type, a 64-bit integer) is refused here
    // rather than guessed at.
    template <typename T>
    CInvokeArg(T) = delete;

    Kind GetKind() const { return m_kind; }
    long GetInteger() const { return m_integer; }
    double GetReal() const { return m_kind == Real ? m_real : static_cast<double>(m_integer); }
    const wchar_t* GetText() const { return m_kind == Text ? m_text : nullptr; }
    IDispatch* GetDispatch() const { return m_kind == Dispatch ? m_dispatch : nullptr; }
    VARIANT* GetVariant() const { return m_kind == VariantRef ? m_variant : nullptr; }

private:
    Kind m_kind;
    union {
        long m_integer;
        double m_real;
        const wchar_t* m_text;
        IDispatch* m_dispatch;
        VARIANT* m_variant;
    };
};
