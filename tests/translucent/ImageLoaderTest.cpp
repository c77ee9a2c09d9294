// Pictures from the test executable's own resources: it links the program's
// resource script, so PNG 158 is the real background artwork.
#include "support/TestSupport.h"

#include "framework/ScopedGdiplus.h"
#include "translucent/ImageLoader.h"

#include <psapi.h>

#include <cstring>
#include <memory>

namespace {

const UINT kSkin = 158;
const UINT kRedBlueBitmap = 2001;

class ImageLoader : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_gdiplus.Ok()); }
    ScopedGdiplus m_gdiplus;
};

struct Pixels {
    int w, h;
    std::vector<DWORD> argb;   // top-down, premultiplied as GDI+ leaves it
    DWORD at(int x, int y) const { return argb[static_cast<size_t>(y) * w + x]; }
};

// Draws the image at its size into a zeroed 32-bit top-down DIB, the way the
// translucent window composes its picture, and returns the pixels.
Pixels Draw(Gdiplus::Image* image, int w, int h, Gdiplus::Status* status = nullptr)
{
    Pixels out{w, h, std::vector<DWORD>(static_cast<size_t>(w) * h)};
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ScopedGdiObj<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib) return out;
    std::memset(bits, 0, out.argb.size() * 4);
    ScopedMemDC dc(nullptr);
    {
        ScopedSelect sel(dc, dib);
        Gdiplus::Graphics g(dc);
        Gdiplus::Status s = g.DrawImage(image, 0, 0, w, h);
        if (status) *status = s;
    }
    GdiFlush();
    std::memcpy(out.argb.data(), bits, out.argb.size() * 4);
    return out;
}

TEST_F(ImageLoader, BackgroundComesFromTheExecutablesOwnResources)
{
    std::unique_ptr<Gdiplus::Image> image(LoadImageFromResource(kSkin, L"PNG", nullptr));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 1172u);
    EXPECT_EQ(image->GetHeight(), 745u);
    Pixels p = Draw(image.get(), 1172, 745);
    // The skin's margin is fully transparent, its middle opaque.
    EXPECT_EQ(p.at(0, 0) >> 24, 0u);
    EXPECT_EQ(p.at(1171, 744) >> 24, 0u);
    EXPECT_EQ(p.at(586, 372) >> 24, 255u);
}

TEST_F(ImageLoader, OnlyTheLow16BitsOfTheIdCount)
{
    std::unique_ptr<Gdiplus::Image> image(LoadImageFromResource(0x10000 | kSkin, L"PNG", nullptr));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 1172u);
    EXPECT_EQ(image->GetHeight(), 745u);
}

TEST_F(ImageLoader, ExplicitModuleIsSearched)
{
    std::unique_ptr<Gdiplus::Image> image(LoadImageFromResource(160, L"PNG", GetModuleHandleW(nullptr)));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 21u);
    EXPECT_EQ(image->GetHeight(), 21u);
}

TEST_F(ImageLoader, TwoLoadsAreIndependent)
{
    std::unique_ptr<Gdiplus::Image> first(LoadImageFromResource(kSkin, L"PNG", nullptr));
    std::unique_ptr<Gdiplus::Image> second(LoadImageFromResource(kSkin, L"PNG", nullptr));
    ASSERT_TRUE(first && second);
    ASSERT_NE(first.get(), second.get());
    Pixels before = Draw(second.get(), 1172, 745);
    first.reset();
    Gdiplus::Status status = Gdiplus::GenericError;
    Pixels after = Draw(second.get(), 1172, 745, &status);
    EXPECT_EQ(status, Gdiplus::Ok);
    EXPECT_TRUE(before.argb == after.argb) << "deleting one image changed the other";
}

TEST_F(ImageLoader, DrawsAfterTheLoaderHasReturned)
{
    // The encoded bytes must stay alive with the image: GDI+ decodes lazily
    // and reads the stream again when it first draws.
    std::unique_ptr<Gdiplus::Image> image(LoadImageFromResource(139, L"PNG", nullptr));
    ASSERT_NE(image, nullptr);
    // Churn the heap so a freed block would be overwritten.
    for (int i = 0; i < 64; ++i) {
        std::vector<char> junk(4096 * (i + 1), static_cast<char>(0xCD));
        (void)junk;
    }
    Gdiplus::Status status = Gdiplus::GenericError;
    Pixels p = Draw(image.get(), 99, 29, &status);
    EXPECT_EQ(status, Gdiplus::Ok);
    EXPECT_EQ(p.at(50, 14) >> 24, 255u) << "button pictures are opaque inside";
}

TEST_F(ImageLoader, BitmapPathCopiesTheBitmap)
{
    std::unique_ptr<Gdiplus::Image> image(LoadImageFromResource(kRedBlueBitmap, RT_BITMAP, nullptr));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetType(), Gdiplus::ImageTypeBitmap);
    EXPECT_EQ(image->GetWidth(), 16u);
    EXPECT_EQ(image->GetHeight(), 8u);
    Pixels p = Draw(image.get(), 16, 8);
    EXPECT_EQ(p.at(2, 2) & 0xFFFFFF, 0xFF0000u) << "left half red";
    EXPECT_EQ(p.at(13, 5) & 0xFFFFFF, 0x0000FFu) << "right half blue";
}

TEST_F(ImageLoader, MissingResourcesGiveAnEmptyImage)
{
    struct Case { const char* context; UINT id; LPCWSTR type; };
    const Case cases[] = {
        {"PNG 146 does not exist", 146, L"PNG"},
        {"wrong type", kSkin, L"JPEG"},
        {"missing bitmap", 2002, RT_BITMAP},
        {"PNG bytes of the wrong type", kRedBlueBitmap, L"PNG"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.context);
        std::unique_ptr<Gdiplus::Image> image(LoadImageFromResource(c.id, c.type, nullptr));
        ASSERT_NE(image, nullptr) << "callers cope with 0 x 0, not with null";
        EXPECT_EQ(image->GetWidth(), 0u);
        EXPECT_EQ(image->GetHeight(), 0u);
        Gdiplus::Status status = Gdiplus::Ok;
        Draw(image.get(), 4, 4, &status);
        EXPECT_NE(status, Gdiplus::Ok);
    }
}

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.PagefileUsage;
}

TEST_F(ImageLoader, DeletingTheImageFreesTheResourceCopy)
{
    // Each load copies the 134 KB resource into a memory block. 400 loads
    // that kept their blocks would hold over 50 MB.
    for (int i = 0; i < 20; ++i)
        delete LoadImageFromResource(kSkin, L"PNG", nullptr);
    SIZE_T before = PrivateBytes();
    for (int i = 0; i < 400; ++i) {
        Gdiplus::Image* image = LoadImageFromResource(kSkin, L"PNG", nullptr);
        ASSERT_EQ(image->GetWidth(), 1172u);
        delete image;
    }
    SIZE_T after = PrivateBytes();
    EXPECT_LT(after, before + 8 * 1024 * 1024) << "grew by " << (after - before) / 1024 << " KB";
}

}  // namespace
