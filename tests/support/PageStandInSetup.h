// Makes the test prefix's text/html handler the stand-in HTML engine
// (tools/PageStandIn.cpp) for as long as the object lives, and restores what
// was there. Wine looks classes up under HKLM.
#pragma once

#include "framework/Afx.h"

#include <string>

namespace test {

class RegistryValue {
public:
    RegistryValue(const std::wstring& key, const wchar_t* name, const std::wstring& value);
    ~RegistryValue();
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;
    bool Set() const { return m_set; }

private:
    std::wstring m_key;
    const wchar_t* m_name;
    bool m_had = false, m_set = false;
    std::wstring m_old;
};

class PageStandInSetup {
public:
    // `dll`: the stand-in's path.
    explicit PageStandInSetup(const std::wstring& dll);
    bool Ok() const { return m_server.Set() && m_threading.Set() && m_html.Set(); }

private:
    RegistryValue m_server, m_threading, m_html;
};

// A file's path as a file: URL (file:///Z:/...).
std::string FileUrl(const std::wstring& path);

}  // namespace test
