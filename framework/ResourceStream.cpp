#include "ResourceStream.h"

#include <cstring>

ComPtr<IStream> CreateResourceStream(HMODULE module, LPCWSTR name, LPCWSTR type)
{
    HRSRC found = FindResourceW(module, name, type);
    if (!found)
        return nullptr;
    DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0)
        return nullptr;

    HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
    if (!block)
        return nullptr;
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);

    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.Out()))) {
        GlobalFree(block);
        return nullptr;
    }
    return stream;
}
