// The initial control data of a dialog template (resource type 240): a run of
// entries, each a control id, a message and that message's data, ended by a
// zero id. The dialog sends each entry to its control while it initialises.
#pragma once

#include "Afx.h"
#include <vector>

#define RT_DLGINIT_RESOURCE MAKEINTRESOURCEW(240)
// Messages of the control data: the stored state of an ActiveX control, and
// the property text of an image button.
#define WM_OCC_LOADFROMSTREAM 0x0376
#define WM_MFC_INITCTRL       0x037C

struct DialogInitEntry {
    WORD controlId = 0;
    WORD message = 0;
    std::vector<BYTE> data;
};

class CDialogInitData {
public:
    // Reads the entries; false when the run is cut short (what was read
    // before the cut is kept).
    bool Parse(const void* data, size_t size);
    // Loads resource 240 of that id from the module; false when absent.
    bool Load(HMODULE module, LPCWSTR templateName);

    const DialogInitEntry* Find(WORD controlId, WORD message) const;

    std::vector<DialogInitEntry> entries;
};
