// An extended dialog template (DLGTEMPLATEEX) taken apart and put back
// together. The dialog code uses it to lift ActiveX items, whose class is a
// "{CLSID}", out of a template before the system sees it: the dialog manager
// would fail to create a window of such a class.
#pragma once

#include "Afx.h"
#include <string>
#include <vector>

// A name or an ordinal, as templates store classes, titles and menus.
struct TemplateName {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::wstring text;

    static TemplateName Ordinal(WORD value) { TemplateName n; n.isOrdinal = true; n.ordinal = value; return n; }
    static TemplateName Text(const std::wstring& value) { TemplateName n; n.text = value; return n; }
};

struct DialogTemplateItem {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    TemplateName windowClass;
    TemplateName title;
    std::vector<BYTE> creationData;

    // The class is "{...}": an ActiveX control named by its CLSID.
    bool IsActiveX() const;
    // The CLSID of an ActiveX item; false when the class is not one.
    bool GetClsid(CLSID& clsid) const;
};

class CDialogTemplate {
public:
    // Parses an extended template. Classic templates are not taken apart:
    // Parse returns false and callers use the bytes as they are.
    bool Parse(const void* data, size_t size);
    std::vector<BYTE> Build() const;

    WORD version = 1;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu;
    TemplateName windowClass;
    std::wstring title;
    bool hasFont = false;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<DialogTemplateItem> items;

    static bool IsExtended(const void* data, size_t size);
};
