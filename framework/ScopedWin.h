// Owners for Win32, GDI, COM and GDI+ handles. Each releases exactly what it
// was given, once; none can be copied, so no handle is released twice.
#pragma once

#include "Afx.h"
#include <utility>

#define SELVANE_NO_COPY(T) \
    T(const T&) = delete;  \
    T& operator=(const T&) = delete

// A DC from GetDC, given back with ReleaseDC.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    ~ScopedGetDC() { if (m_hdc) ::ReleaseDC(m_hwnd, m_hdc); }
    SELVANE_NO_COPY(ScopedGetDC);
    operator HDC() const { return m_hdc; }
private:
    HWND m_hwnd;
    HDC m_hdc;
};

// A DC from CreateCompatibleDC / CreateDC, deleted with DeleteDC.
class ScopedMemDC {
public:
    explicit ScopedMemDC(HDC compatibleWith) : m_hdc(::CreateCompatibleDC(compatibleWith)) {}
    ~ScopedMemDC() { if (m_hdc) ::DeleteDC(m_hdc); }
    SELVANE_NO_COPY(ScopedMemDC);
    operator HDC() const { return m_hdc; }
private:
    HDC m_hdc;
};

// Any GDI object (bitmap, brush, pen, font, region), deleted with DeleteObject.
template <typename H>
class ScopedGdiObj {
public:
    explicit ScopedGdiObj(H handle = nullptr) : m_handle(handle) {}
    ~ScopedGdiObj() { Reset(); }
    SELVANE_NO_COPY(ScopedGdiObj);
    ScopedGdiObj(ScopedGdiObj&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    void Reset(H handle = nullptr)
    {
        if (m_handle) ::DeleteObject(m_handle);
        m_handle = handle;
    }
    H Detach() { return std::exchange(m_handle, nullptr); }
    H Get() const { return m_handle; }
    operator H() const { return m_handle; }
private:
    H m_handle;
};

// SelectObject for the life of the scope; the previous object goes back in.
class ScopedSelect {
public:
    ScopedSelect(HDC hdc, HGDIOBJ obj) : m_hdc(hdc), m_old(obj ? ::SelectObject(hdc, obj) : nullptr) {}
    ~ScopedSelect() { if (m_old) ::SelectObject(m_hdc, m_old); }
    SELVANE_NO_COPY(ScopedSelect);
private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

// A module from LoadLibraryW, freed with FreeLibrary.
class ScopedLibrary {
public:
    explicit ScopedLibrary(const wchar_t* name) : m_module(::LoadLibraryW(name)) {}
    ~ScopedLibrary() { if (m_module) ::FreeLibrary(m_module); }
    SELVANE_NO_COPY(ScopedLibrary);
    template <typename Fn>
    Fn Get(const char* name) const
    {
        return m_module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m_module, name))) : nullptr;
    }
private:
    HMODULE m_module;
};

// A COM interface pointer holding one reference.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a reference of its own.
    explicit ComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    ComPtr(const ComPtr& other) : m_p(other.m_p) { if (m_p) m_p->AddRef(); }
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr other) noexcept { std::swap(m_p, other.m_p); return *this; }

    // Adopts a reference the caller already owns.
    static ComPtr Adopt(T* p) { ComPtr r; r.m_p = p; return r; }

    void Reset() { if (T* p = std::exchange(m_p, nullptr)) p->Release(); }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out-parameters: releases what is held first.
    T** Out() { Reset(); return &m_p; }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* Detach() { return std::exchange(m_p, nullptr); }

    template <typename U>
    ComPtr<U> As(REFIID iid) const
    {
        ComPtr<U> r;
        if (m_p) m_p->QueryInterface(iid, r.OutVoid());
        return r;
    }

private:
    T* m_p = nullptr;
};

// OleInitialize / OleUninitialize on this thread.
class ScopedOle {
public:
    ScopedOle() : m_hr(::OleInitialize(nullptr)) {}
    ~ScopedOle() { if (SUCCEEDED(m_hr)) ::OleUninitialize(); }
    SELVANE_NO_COPY(ScopedOle);
    HRESULT Result() const { return m_hr; }
private:
    HRESULT m_hr;
};

// A BSTR owned for the scope.
//
// Text is always copied; only Adopt takes over a string, and only a BSTR.
// BSTR is a wchar_t*, so an adopting constructor would also take a plain
// wchar_t buffer and later free memory that SysAllocString never made.
class ScopedBstr {
public:
    ScopedBstr() = default;
    explicit ScopedBstr(const wchar_t* text) : m_b(::SysAllocString(text)) {}
    ScopedBstr(ScopedBstr&& other) noexcept : m_b(std::exchange(other.m_b, nullptr)) {}
    ~ScopedBstr() { ::SysFreeString(m_b); }
    SELVANE_NO_COPY(ScopedBstr);
    // Takes over a string that SysAllocString (or a COM call) made.
    static ScopedBstr Adopt(BSTR b)
    {
        ScopedBstr r;
        r.m_b = b;
        return r;
    }
    BSTR Get() const { return m_b; }
    BSTR* Out() { ::SysFreeString(m_b); m_b = nullptr; return &m_b; }
private:
    BSTR m_b = nullptr;
};

// A VARIANT cleared at the end of the scope.
class ScopedVariant : public VARIANT {
public:
    ScopedVariant() { ::VariantInit(this); }
    ~ScopedVariant() { ::VariantClear(this); }
    SELVANE_NO_COPY(ScopedVariant);
};
