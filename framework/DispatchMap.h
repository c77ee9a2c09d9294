// Dispatch maps: the automation members a command target offers to scripts,
// one static table per class, chained to its base class's table like
// message maps.
//
// A member declared with DISPID_UNKNOWN gets the id (level << 16) | position:
// position counts from 1 within its own table, level is 0 for the most
// derived class's table and grows toward the base. Names resolve without
// regard to case.
#pragma once

#include "Afx.h"

#include <type_traits>
#include <type_traits>
#include <utility>

class CCmdTarget;

// Parameter type codes, one byte each, as strings (VTS_VARIANT VTS_VARIANT).
#define VTS_NONE     ""
#define VTS_I2       "\x02"
#define VTS_I4       "\x03"
#define VTS_R8       "\x05"
#define VTS_BSTR     "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_SCODE    "\x0A"
#define VTS_BOOL     "\x0B"
#define VTS_VARIANT  "\x0C"
#define VTS_UNKNOWN  "\x0D"
#define VTS_PVARIANT "\x4C"   // VT_VARIANT passed by reference

// Calls the member with the arguments in script order (args[0] is the first)
// and stores its result.
typedef HRESULT (*AFX_DISP_THUNK)(CCmdTarget* target, VARIANT* args, VARIANT* result);

struct AFX_DISPMAP_ENTRY {
    const char* lpszName;    // null ends the table
    DISPID lDispID;          // DISPID_UNKNOWN: formed from the position
    const char* lpszParams;  // VTS_ codes
    VARTYPE vt;              // result type, VT_EMPTY for none
    AFX_DISP_THUNK pfn;
};

struct AFX_DISPMAP {
    const AFX_DISPMAP* (*pfnGetBaseMap)();
    const AFX_DISPMAP_ENTRY* lpEntries;
};

#define DECLARE_DISPATCH_MAP()                          \
protected:                                              \
    static const AFX_DISPMAP* GetThisDispatchMap();     \
    const AFX_DISPMAP* GetDispatchMap() const override;

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                            \
    const AFX_DISPMAP* theClass::GetDispatchMap() const { return GetThisDispatchMap(); }  \
    const AFX_DISPMAP* theClass::GetThisDispatchMap()                                      \
    {                                                                                      \
        typedef baseClass TheBaseClass;                                                    \
        static const AFX_DISPMAP_ENTRY _dispatchEntries[] = {

#define END_DISPATCH_MAP()                                                                 \
            {nullptr, 0, nullptr, VT_EMPTY, nullptr}                                       \
        };                                                                                 \
        static const AFX_DISPMAP dispatchMap = {&TheBaseClass::GetThisDispatchMap, &_dispatchEntries[0]}; \
        return &dispatchMap;                                                               \
    }

// A method: the handler takes `const VARIANT&` for each VTS_VARIANT (the
// only parameter type the thunks convert to) and returns nothing.
// Both are checked at compile time: a handler whose parameters do not match
// its VTS_ string would read past the arguments.
#define DISP_FUNCTION(theClass, szExternalName, pfnMember, vtRetVal, vtsParams)             \
    {szExternalName, DISPID_UNKNOWN, vtsParams, vtRetVal,                                   \
     [](CCmdTarget* target_, VARIANT* args_, VARIANT*) -> HRESULT {                         \
         static_assert(AfxDispHandler<decltype(&theClass::pfnMember)>::kCount == sizeof(vtsParams) - 1, \
                       "the handler's parameters do not match its VTS_ string");           \
         static_assert(AfxDispHandler<decltype(&theClass::pfnMember)>::kAllVariants &&       \
                           AfxAllVariantCodes(vtsParams),                                    \
                       "dispatch handlers take const VARIANT& for VTS_VARIANT only");       \
         return AfxCallDispatchMember(static_cast<theClass*>(target_), &theClass::pfnMember, args_); \
     }},

// What the compiler knows of a handler, to hold it against its VTS_ string.
template <typename F>
struct AfxDispHandler;
template <typename T, typename... Args>
struct AfxDispHandler<void (T::*)(Args...)> {
    static constexpr size_t kCount = sizeof...(Args);
    static constexpr bool kAllVariants = (std::is_same<Args, const VARIANT&>::value && ...);
};

template <size_t N>
constexpr bool AfxAllVariantCodes(const char (&codes)[N])
{
    for (size_t i = 0; i + 1 < N; ++i)
        if (codes[i] != '\x0C') return false;
    return true;
}

// Calls a member whose parameters are all `const VARIANT&`, with the
// arguments in script order.
template <typename T, typename... Args, size_t... I>
void AfxCallDispatchMemberImpl(T* target, void (T::*member)(Args...), VARIANT* args, std::index_sequence<I...>)
{
    (target->*member)(args[I]...);
}

template <typename T, typename... Args>
HRESULT AfxCallDispatchMember(T* target, void (T::*member)(Args...), VARIANT* args)
{
    AfxCallDispatchMemberImpl(target, member, args, std::index_sequence_for<Args...>{});
    return S_OK;
}
