// The program's icon: in marquill.exe's resources, where Explorer, the
// title bar, the taskbar and Alt+Tab take it from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "e2e/Driver.h"
#include "res/resource.h"

namespace mq::e2e {
namespace {

#pragma pack(push, 2)
struct GroupEntry {  // GRPICONDIRENTRY
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

BOOL CALLBACK FirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    *reinterpret_cast<ULONG_PTR*>(found) = IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : 0;
    return FALSE;
}

// A top-down 32-bit bitmap selected into a memory DC, to draw into or
// copy the screen into and read back.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bmp_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bmp_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    void Fill(std::uint32_t rgb) {
        std::fill_n(static_cast<std::uint32_t*>(bits_), Count(), rgb);
    }
    // 0x00RRGGBB pixels from the top.
    std::vector<std::uint32_t> Pixels() const {
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits_);
        std::vector<std::uint32_t> out(p, p + Count());
        for (auto& v : out) v &= 0xFFFFFF;
        return out;
    }

private:
    std::size_t Count() const { return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_); }
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

// The icon drawn over a grey background.
std::vector<std::uint32_t> Drawn(HICON icon, int size) {
    Canvas canvas(size, size);
    canvas.Fill(0x808080u);
    DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    return canvas.Pixels();
}

TEST(ProgramIcon, TheExecutableCarriesItAt16_32And48Pixels) {
    HMODULE exe = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr);
    ULONG_PTR first = 0;
    EnumResourceNamesW(exe, RT_GROUP_ICON, FirstName, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, static_cast<ULONG_PTR>(IDI_MARQUILL)) << "Explorer shows the first icon group";

    HRSRC group = FindResourceW(exe, MAKEINTRESOURCEW(IDI_MARQUILL), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const WORD*>(LockResource(LoadResource(exe, group)));
    ASSERT_NE(dir, nullptr);
    ASSERT_EQ(dir[1], 1) << "an icon group, not a cursor";
    ASSERT_EQ(dir[2], 3);
    const auto* entries = reinterpret_cast<const GroupEntry*>(dir + 3);
    for (int i = 0; i < 3; ++i) {
        const int size = 16 * (i + 1);
        SCOPED_TRACE(size);
        EXPECT_EQ(entries[i].width, size);
        EXPECT_EQ(entries[i].height, size);
        EXPECT_EQ(entries[i].bitCount, 32);
        EXPECT_NE(FindResourceW(exe, MAKEINTRESOURCEW(entries[i].id), RT_ICON), nullptr);

        // The system picks that image for that size and draws it: the badge
        // over the background, the corner left clear.
        auto* icon = static_cast<HICON>(
            LoadImageW(exe, MAKEINTRESOURCEW(IDI_MARQUILL), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr);
        ICONINFO ii{};
        ASSERT_TRUE(GetIconInfo(icon, &ii));
        BITMAP bm{};
        GetObjectW(ii.hbmColor != nullptr ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        if (ii.hbmColor != nullptr) DeleteObject(ii.hbmColor);
        DeleteObject(ii.hbmMask);
        const std::vector<std::uint32_t> px = Drawn(icon, size);
        EXPECT_EQ(px[0], 0x808080u) << "corner";
        EXPECT_EQ(px[static_cast<std::size_t>(size / 2 * size)], 0x808080u) << "left edge";
        std::size_t white = 0, grey = 0;
        for (auto p : px) {
            white += p == 0xFFFFFFu;
            grey += p == 0x808080u;
        }
        EXPECT_GT(white, px.size() / 10) << "the letter";
        EXPECT_LT(grey, px.size() / 3);
        DestroyIcon(icon);
    }
    FreeLibrary(exe);
}

// Wine draws the caption itself here (the prefix runs unmanaged), with the
// window class's small icon, as Windows does. Another process cannot read
// that class's icons, so the test looks at the screen: the badge's blue,
// a colour nothing else on the caption has.
std::size_t BadgePixelsInCaption(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    POINT clientTop{0, 0};
    ClientToScreen(window, &clientTop);
    const int width = frame.right - frame.left;
    const int height = clientTop.y - frame.top;
    if (width <= 0 || height <= 0) return 0;
    Canvas canvas(width, height);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    std::size_t badge = 0;
    for (std::uint32_t p : canvas.Pixels()) badge += p == 0x1F4FA8u;
    return badge;
}

TEST(ProgramIcon, ThePaletteCaptionShowsIt) {
    HostOptions o;
    o.text = "Hello";
    Session s(o);
    HWND palette = s.Palette();
    ASSERT_NE(palette, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(palette) != FALSE; }));
    // The 16-pixel badge has 96 pixels of that blue.
    std::size_t seen = 0;
    EXPECT_TRUE(WaitUntil([&] { return (seen = BadgePixelsInCaption(palette)) >= 60; }))
        << seen << " pixels of the badge's blue in the caption";
}

}  // namespace
}  // namespace mq::e2e
