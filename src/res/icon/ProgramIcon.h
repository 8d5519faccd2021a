#pragma once
// The program's icon, drawn as pixel art and written in the icon file
// format (.ico) at build time. Plain C++: the generator runs on the build
// machine, and the native tests check the file it writes.
#include <cstdint>
#include <span>
#include <vector>

namespace mq::icon {

// A square image, 0xAARRGGBB pixels row by row from the top.
struct Image {
    int size = 0;
    std::vector<std::uint32_t> argb;
};

// Pixel art, one character a pixel, as many characters a row as there are
// rows, in the program icon's colours. Throws std::invalid_argument on a
// row of another width or a character without a colour.
Image FromArt(std::span<const char* const> rows);

// An .ico file holding `images` in this order, each as a 32-bit image with
// its alpha channel and an AND mask that agrees with it.
std::vector<std::uint8_t> EncodeIco(const std::vector<Image>& images);

// The program's icon at 16, 32 and 48 pixels.
std::vector<Image> ProgramIconImages();

}  // namespace mq::icon
