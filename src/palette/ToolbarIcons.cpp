#include "palette/ToolbarIcons.h"

#include <array>
#include <cstring>
#include <vector>

#include "platform/win32/CommonControls.h"
#include "res/resource.h"

namespace mq::win32 {
namespace {

// Pixel art, one character a pixel; '.' is the silver mask colour.
struct Icon {
    const char* key;
    std::array<const char*, 16> rows;
};

const Icon kIcons[] = {
    {"Delete", {{
        "................",
        "..rr........rr..",
        ".rRRr......rRRr.",
        ".rRRRr....rRRRr.",
        "..rRRRr..rRRRr..",
        "...rRRRrrRRRr...",
        "....rRRRRRRr....",
        ".....rRRRRr.....",
        ".....rRRRRr.....",
        "....rRRRRRRr....",
        "...rRRRrrRRRr...",
        "..rRRRr..rRRRr..",
        ".rRRRr....rRRRr.",
        ".rRRr......rRRr.",
        "..rr........rr..",
        "................"}}},
    {"Deck", {{
        "................",
        ".....kkkkkkkkk..",
        ".....kwwwwwwwk..",
        "...kkkkkkkkkwk..",
        "...kwwwwwwwkwk..",
        ".kkkkkkkkkwkwk..",
        ".kwwwwwwwkwkwk..",
        ".kwbbbbbwkwkwk..",
        ".kwwwwwwwkwkwk..",
        ".kwGGGGGwkwkkk..",
        ".kwwwwwwwkwk....",
        ".kwGGGGwwkkk....",
        ".kwwwwwwwk......",
        ".kwwwwwwwk......",
        ".kkkkkkkkk......",
        "................"}}},
    {"Card", {{
        "................",
        "...kkkkkkkkk....",
        "...kwwwwwwwkk...",
        "...kwbbbbbwkwk..",
        "...kwwwwwwwkkkk.",
        "...kwwwwwwwwwwk.",
        "...kwGGGGGGGGwk.",
        "...kwwwwwwwwwwk.",
        "...kwGGGGGGGwwk.",
        "...kwwwwwwwwwwk.",
        "...kwGGGGGGGGwk.",
        "...kwwwwwwwwwwk.",
        "...kwGGGGGwwwwk.",
        "...kwwwwwwwwwwk.",
        "...kkkkkkkkkkkk.",
        "................"}}},
    {"Center", {{
        "................",
        "................",
        "..kkkkkkkkkkkk..",
        "................",
        "....kkkkkkkk....",
        "................",
        "..kkkkkkkkkkkk..",
        "................",
        ".....kkkkkk.....",
        "................",
        "..kkkkkkkkkkkk..",
        "................",
        "....kkkkkkkk....",
        "................",
        "................",
        "................"}}},
    {"NaviA", {{
        "................",
        "......bbbb......",
        ".....bb..bb.....",
        ".....bb..bb.....",
        "....bb....bb....",
        "....bb....bb....",
        "...bbbbbbbbbb...",
        "...bb......bb...",
        "..bb........bb..",
        "..bb........bb..",
        ".bbb........bbb.",
        "................",
        ".bbbbbbbbbbbbbb.",
        ".bbbbbbbbbbbbbb.",
        "................",
        "................"}}},
    {"NaviAction", {{
        "................",
        "..dddddddddddd..",
        ".dwwwwwwwwwwwwd.",
        ".dwwwwwggwwwwwd.",
        ".dwwwwwgggwwwwd.",
        ".dwgggggggggwwd.",
        ".dwggggggggggwd.",
        ".dwgggggggggwwd.",
        ".dwwwwwgggwwwwd.",
        ".dwwwwwggwwwwwd.",
        ".dwwwwwwwwwwwwd.",
        "..dddddddddddd..",
        "................",
        "...GGGG..GGGG...",
        "...GGGG..GGGG...",
        "................"}}},
    {"CE", {{
        "................",
        ".kkk............",
        "kwwwk..nnnnnnnn.",
        "kwbwk...........",
        "kwwwk...........",
        ".kkk............",
        ".kkk............",
        "kwwwk..nnnnnnnn.",
        "kwwwk...........",
        "kwwwk...........",
        ".kkk............",
        ".kkk............",
        "kwwwk..nnnnnnnn.",
        "kwwwk...........",
        ".kkk............",
        "................"}}},
    {"img", {{
        "................",
        "kkkkkkkkkkkkkkkk",
        "kcccccccccccccck",
        "kcccccccccyyyyck",
        "kccccccccyyyyyyk",
        "kccccccccyyyyyyk",
        "kcccccccccyyyyck",
        "kccccgccccccccck",
        "kcccgggccccccgck",
        "kccgggggccccgggk",
        "kcgggggggccgggGk",
        "kggggggggggggGGk",
        "kGGggggggggGGGGk",
        "kGGGGGGGGGGGGGGk",
        "kkkkkkkkkkkkkkkk",
        "................"}}},
    {"templete", {{
        "................",
        "..kkkkkkkkk.....",
        "..kwwwwwwwkk....",
        "..kwwwwwwwkwk...",
        "..kwwwwwwwkkkk..",
        "..kwwwwwwwwwwk..",
        "..kwwwoowwwwwk..",
        "..kwwoowwoowwk..",
        "..kwoowwwwoowk..",
        "..kwwoowwoowwk..",
        "..kwwwoowwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
        "................"}}},
};

COLORREF Colour(char c) {
    switch (c) {
    case 'k': return RGB(0, 0, 0);
    case 'w': return RGB(255, 255, 255);
    case 'r': return RGB(128, 0, 0);
    case 'R': return RGB(230, 30, 30);
    case 'b': return RGB(0, 64, 200);
    case 'n': return RGB(0, 0, 128);
    case 'g': return RGB(0, 150, 40);
    case 'G': return RGB(128, 128, 128);
    case 'd': return RGB(64, 64, 64);
    case 'c': return RGB(150, 210, 255);
    case 'y': return RGB(255, 220, 0);
    case 'o': return RGB(220, 110, 0);
    default: return RGB(192, 192, 192);
    }
}

}  // namespace

int ToolbarIconIndex(std::string_view key) {
    int i = 0;
    for (const Icon& icon : kIcons) {
        if (key == icon.key) return i;
        ++i;
    }
    return -1;
}

HBITMAP PixelArtBitmap(const char* const rows[16], int size, DWORD (*pixel)(char)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp == nullptr) return nullptr;
    auto* px = static_cast<DWORD*>(bits);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) px[y * size + x] = pixel(rows[y * 16 / size][x * 16 / size]);
    }
    return bmp;
}

HIMAGELIST CreateToolbarIcons(int size) {
    constexpr int kCount = static_cast<int>(sizeof kIcons / sizeof kIcons[0]);
    HIMAGELIST list = CreateImageList(size, size, ILC_COLOR24 | ILC_MASK, kCount, 0);
    // Opaque pixels; silver marks what the image list makes transparent.
    const auto pixel = [](char code) -> DWORD {
        const COLORREF c = Colour(code);
        return (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) |
               GetBValue(c);
    };
    for (const Icon& icon : kIcons) {
        HBITMAP bmp = PixelArtBitmap(icon.rows.data(), size, pixel);
        if (bmp == nullptr) continue;
        AddMaskedImage(list, bmp, RGB(192, 192, 192));
        DeleteObject(bmp);
    }
    return list;
}

HICON LoadProgramIcon(HINSTANCE module, int size) {
    return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(IDI_MARQUILL), IMAGE_ICON, size,
                                         size, LR_DEFAULTCOLOR));
}

}  // namespace mq::win32
