#include "translucent/ImageLoader.h"

#include "framework/AppState.h"
#include "framework/ResourceStream.h"

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

}  // namespace

Gdiplus::Image* LoadImageFromResource(UINT nResourceId, LPCWSTR lpszType, HMODULE hModule)
{
    UINT id = nResourceId & 0xFFFF;
    // Module 0 means the application's resources on both paths: a bitmap
    // looked up in module 0 could only be one of the system's own.
    if (!hModule)
        hModule = AfxGetResourceHandle();
    if (lpszType == RT_BITMAP)
        return LoadBitmapResource(id, hModule);

    // GDI+ keeps a reference to the stream and may read the encoded bytes
    // again while the image lives; the stream owns its copy of them, so the
    // copy goes with the image.
    ComPtr<IStream> stream = CreateResourceStream(hModule, MAKEINTRESOURCEW(id), lpszType);
    // With no stream GDI+ gives an image in the failed state: width and
    // height 0, drawing does nothing. Callers cope with that, not with null.
    return new Gdiplus::Image(stream.Get(), FALSE);
}
