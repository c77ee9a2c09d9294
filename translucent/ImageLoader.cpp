#include "translucent/ImageLoader.h"

#include "framework/AppState.h"
#include "framework/ScopedWin.h"

#include <cstring>

namespace {

Gdiplus::Image* LoadBitmapResource(UINT id, HMODULE module)
{
    HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(id));
    // GDI+ copies the pixels, so the GDI bitmap goes at once either way.
    Gdiplus::Bitmap* image = Gdiplus::Bitmap::FromHBITMAP(bitmap, nullptr);
    if (bitmap)
        DeleteObject(bitmap);
    return image;
}

// A stream that owns a copy of the resource bytes. GDI+ keeps a reference and
// may read the bytes again while the image lives; the block is freed with the
// stream's last reference, that is, with the image.
ComPtr<IStream> CopyResourceToStream(UINT id, LPCWSTR type, HMODULE module)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
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
    void* dest = GlobalLock(block);
    std::memcpy(dest, bytes, size);
    GlobalUnlock(block);

    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.Out()))) {
        GlobalFree(block);
        return nullptr;
    }
    return stream;
}

}  // namespace

Gdiplus::Image* LoadImageFromResource(UINT nResourceId, LPCWSTR lpszType, HMODULE hModule)
{
    UINT id = nResourceId & 0xFFFF;
    if (!hModule)
        hModule = AfxGetResourceHandle();
    if (lpszType == RT_BITMAP)
        return LoadBitmapResource(id, hModule);

    ComPtr<IStream> stream = CopyResourceToStream(id, lpszType, hModule);
    // With no stream GDI+ gives an image in the failed state: width and
    // height 0, drawing does nothing. Callers cope with that, not with null.
    return new Gdiplus::Image(stream.Get(), FALSE);
}
