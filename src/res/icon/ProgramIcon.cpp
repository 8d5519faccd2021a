#include "res/icon/ProgramIcon.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace mq::icon {
namespace {

// The program's icon: a white "M" on the blue badge of the version box,
// in the pixel-art manner of the toolbar icons, one character a pixel:
// 'k' outline, 'b' badge, 'l' the badge's lit top, 'd' the letter's
// shadow, 'w' the letter, '.' transparent. Each size is drawn for itself.
const char* const kArt16[] = {
    "................",
    "..kkkkkkkkkkkk..",
    ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbwwbbbbbbwwbk.",
    ".kbwwwbbbbwwwbk.",
    ".kbwwwwbbwwwwbk.",
    ".kbwwbwwwwbwwbk.",
    ".kbwwbbwwbbwwbk.",
    ".kbwwbbbbbbwwbk.",
    ".kbwwbbbbbbwwbk.",
    ".kbwwbbbbbbwwbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.",
    "..kkkkkkkkkkkk..",
    "................",
};

const char* const kArt32[] = {
    "................................",
    "................................",
    ".....kkkkkkkkkkkkkkkkkkkkkk.....",
    "...kkllllllllllllllllllllllkk...",
    "...kllllllllllllllllllllllllk...",
    "..kllllllllllllllllllllllllllk..",
    "..kllllllllllllllllllllllllllk..",
    "..kbbbbbbbbbbbbbbbbbbbbbbbbbbk..",
    "..kbbbwwwwbbbbbbbbbbbbwwwwbbbk..",
    "..kbbbwwwwwbbbbbbbbbbwwwwwdbbk..",
    "..kbbbwwwwwwbbbbbbbbwwwwwwdbbk..",
    "..kbbbwwwwwwwbbbbbbwwwwwwwdbbk..",
    "..kbbbwwwwwwwwbbbbwwwwwwwwdbbk..",
    "..kbbbwwwwdwwwwbbwwwwdwwwwdbbk..",
    "..kbbbwwwwdbwwwwwwwwddwwwwdbbk..",
    "..kbbbwwwwdbbwwwwwwddbwwwwdbbk..",
    "..kbbbwwwwdbbbwwwwddbbwwwwdbbk..",
    "..kbbbwwwwdbbbbddddbbbwwwwdbbk..",
    "..kbbbwwwwdbbbbbbbbbbbwwwwdbbk..",
    "..kbbbwwwwdbbbbbbbbbbbwwwwdbbk..",
    "..kbbbwwwwdbbbbbbbbbbbwwwwdbbk..",
    "..kbbbwwwwdbbbbbbbbbbbwwwwdbbk..",
    "..kbbbwwwwdbbbbbbbbbbbwwwwdbbk..",
    "..kbbbwwwwdbbbbbbbbbbbwwwwdbbk..",
    "..kbbbbddddbbbbbbbbbbbbddddbbk..",
    "..kbbbbbbbbbbbbbbbbbbbbbbbbbbk..",
    "..kbbbbbbbbbbbbbbbbbbbbbbbbbbk..",
    "...kbbbbbbbbbbbbbbbbbbbbbbbbk...",
    "...kkbbbbbbbbbbbbbbbbbbbbbbkk...",
    ".....kkkkkkkkkkkkkkkkkkkkkk.....",
    "................................",
    "................................",
};

const char* const kArt48[] = {
    "................................................",
    "................................................",
    "................................................",
    ".......kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk.......",
    "......kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk......",
    ".....kkkllllllllllllllllllllllllllllllllkkk.....",
    "....kkllllllllllllllllllllllllllllllllllllkk....",
    "...kkkllllllllllllllllllllllllllllllllllllkkk...",
    "...kkllllllllllllllllllllllllllllllllllllllkk...",
    "...kkllllllllllllllllllllllllllllllllllllllkk...",
    "...kkllllllllllllllllllllllllllllllllllllllkk...",
    "...kkbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbkk...",
    "...kkbbbbwwwwwwbbbbbbbbbbbbbbbbbbwwwwwwbbbbkk...",
    "...kkbbbbwwwwwwwbbbbbbbbbbbbbbbbwwwwwwwbbbbkk...",
    "...kkbbbbwwwwwwwwbbbbbbbbbbbbbbwwwwwwwwddbbkk...",
    "...kkbbbbwwwwwwwwwbbbbbbbbbbbbwwwwwwwwwddbbkk...",
    "...kkbbbbwwwwwwwwwwbbbbbbbbbbwwwwwwwwwwddbbkk...",
    "...kkbbbbwwwwwwwwwwwbbbbbbbbwwwwwwwwwwwddbbkk...",
    "...kkbbbbwwwwwwwwwwwwbbbbbbwwwwwwwwwwwwddbbkk...",
    "...kkbbbbwwwwwwdwwwwwwbbbbwwwwwwdwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddwwwwwwbbwwwwwwddwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbwwwwwwwwwwwwdddwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbwwwwwwwwwwddddwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbwwwwwwwwddddbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbwwwwwwwwdddbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbddddddddbbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbddddddddbbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbbbbbbbbbbbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbbbbbbbbbbbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbbbbbbbbbbbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbbbbbbbbbbbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbbbbbbbbbbbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbbbbbbbbbbbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbbbbbbbbbbbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbbbbbbbbbbbbwwwwwwddbbkk...",
    "...kkbbbbwwwwwwddbbbbbbbbbbbbbbbbwwwwwwddbbkk...",
    "...kkbbbbbbddddddbbbbbbbbbbbbbbbbbbddddddbbkk...",
    "...kkbbbbbbddddddbbbbbbbbbbbbbbbbbbddddddbbkk...",
    "...kkbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbkk...",
    "...kkbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbkk...",
    "...kkkbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbkkk...",
    "....kkbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbkk....",
    ".....kkkbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbkkk.....",
    "......kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk......",
    ".......kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk.......",
    "................................................",
    "................................................",
    "................................................",
};

std::uint32_t Pixel(char c) {
    switch (c) {
    case 'k': return 0xFF0A1F4D;
    case 'b': return 0xFF1F4FA8;
    case 'l': return 0xFF3C6FCF;
    case 'd': return 0xFF112F6B;
    case 'w': return 0xFFFFFFFF;
    case '.': return 0x00000000;
    default: throw std::invalid_argument(std::string("no colour for '") + c + "'");
    }
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One image as the icon format stores it: a BITMAPINFOHEADER of twice the
// height (colour and mask), the 32-bit BGRA rows bottom-up, then the
// 1-bit AND mask bottom-up, each row padded to 32 bits, set where the
// pixel is transparent (for systems that ignore the alpha channel).
std::vector<std::uint8_t> EncodeImage(const Image& image) {
    const auto n = static_cast<std::uint32_t>(image.size);
    const std::uint32_t maskStride = (n + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, n);
    Put32(out, 2 * n);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, 0);   // BI_RGB
    Put32(out, n * n * 4 + maskStride * n);
    for (int i = 0; i < 4; ++i) Put32(out, 0);
    for (std::uint32_t y = n; y-- > 0;) {
        for (std::uint32_t x = 0; x < n; ++x) {
            const std::uint32_t argb = image.argb[y * n + x];
            out.push_back(static_cast<std::uint8_t>(argb));        // blue
            out.push_back(static_cast<std::uint8_t>(argb >> 8));   // green
            out.push_back(static_cast<std::uint8_t>(argb >> 16));  // red
            out.push_back(static_cast<std::uint8_t>(argb >> 24));  // alpha
        }
    }
    for (std::uint32_t y = n; y-- > 0;) {
        std::vector<std::uint8_t> row(maskStride, 0);
        for (std::uint32_t x = 0; x < n; ++x) {
            if ((image.argb[y * n + x] >> 24) == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

Image FromArt(std::span<const char* const> rows) {
    const std::size_t size = rows.size();
    if (size == 0 || size > 256) throw std::invalid_argument("an icon is 1 to 256 pixels square");
    Image image;
    image.size = static_cast<int>(size);
    image.argb.reserve(size * size);
    for (std::size_t y = 0; y < size; ++y) {
        const std::string_view row = rows[y];
        if (row.size() != size) {
            throw std::invalid_argument("row " + std::to_string(y) + " of the " + std::to_string(size) +
                                        "-pixel art is " + std::to_string(row.size()) + " wide");
        }
        for (char c : row) image.argb.push_back(Pixel(c));
    }
    return image;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<Image>& images) {
    std::vector<std::vector<std::uint8_t>> encoded;
    for (const Image& image : images) encoded.push_back(EncodeImage(image));
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, static_cast<std::uint32_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto n = static_cast<std::uint32_t>(images[i].size);
        out.push_back(static_cast<std::uint8_t>(n == 256 ? 0 : n));
        out.push_back(static_cast<std::uint8_t>(n == 256 ? 0 : n));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(encoded[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const auto& image : encoded) out.insert(out.end(), image.begin(), image.end());
    return out;
}

std::vector<Image> ProgramIconImages() {
    return {FromArt(kArt16), FromArt(kArt32), FromArt(kArt48)};
}

}  // namespace mq::icon
