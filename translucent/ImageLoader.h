// Decodes a picture from a module's resources into a GDI+ image.
#pragma once

#include "framework/Afx.h"
#include <gdiplus.h>

// RT_BITMAP resources come back as a Gdiplus::Bitmap (the GDI bitmap is
// copied and deleted); every other type ("PNG", ...) is decoded from a stream
// over the resource bytes. Only the low 16 bits of the id are used. Module 0
// means the application's resource module.
//
// The result is owned by the caller and freed with delete. A resource that is
// missing or cannot be decoded gives an image whose width and height read 0;
// null only when GDI+ cannot allocate the object.
Gdiplus::Image* LoadImageFromResource(UINT nResourceId, LPCWSTR lpszType, HMODULE hModule);
