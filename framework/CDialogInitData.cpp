#include "CDialogInitData.h"

#include <cstring>

bool CDialogInitData::Parse(const void* data, size_t size)
{
    entries.clear();
    const BYTE* p = static_cast<const BYTE*>(data);
    size_t pos = 0;
    for (;;) {
        if (pos + 2 > size) return false;
        WORD id;
        std::memcpy(&id, p + pos, 2);
        if (id == 0) return true;
        if (pos + 8 > size) return false;
        DialogInitEntry e;
        e.controlId = id;
        std::memcpy(&e.message, p + pos + 2, 2);
        DWORD length;
        std::memcpy(&length, p + pos + 4, 4);
        pos += 8;
        if (length > size - pos) return false;
        e.data.assign(p + pos, p + pos + length);
        pos += length;
        entries.push_back(std::move(e));
    }
}

bool CDialogInitData::Load(HMODULE module, LPCWSTR templateName)
{
    entries.clear();
    HRSRC found = FindResourceW(module, templateName, RT_DLGINIT_RESOURCE);
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes && Parse(bytes, SizeofResource(module, found));
}

const DialogInitEntry* CDialogInitData::Find(WORD controlId, WORD message) const
{
    for (const DialogInitEntry& e : entries)
        if (e.controlId == controlId && e.message == message)
            return &e;
    return nullptr;
}
