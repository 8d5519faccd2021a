// The program's icon as the generator writes it: a well-formed .ico with
// the three images the resource compiler and the system expect.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "res/icon/ProgramIcon.h"

namespace mq::test {
namespace {

std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at) | b.at(at + 1) << 8);
}
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

TEST(ProgramIcon, TheFileHoldsThreeImagesThatDecodeToTheArt) {
    const std::vector<icon::Image> images = icon::ProgramIconImages();
    const std::vector<std::uint8_t> ico = icon::EncodeIco(images);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u) << "an icon, not a cursor";
    ASSERT_EQ(U16(ico, 4), 3u);

    std::size_t next = 6 + 3 * 16;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::uint32_t n = 16 * (static_cast<std::uint32_t>(i) + 1);
        SCOPED_TRACE(n);
        ASSERT_EQ(images[i].size, static_cast<int>(n));
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], n);
        EXPECT_EQ(ico[entry + 1], n);
        EXPECT_EQ(U16(ico, entry + 4), 1u);
        EXPECT_EQ(U16(ico, entry + 6), 32u);
        const std::uint32_t bytes = U32(ico, entry + 8);
        const std::uint32_t at = U32(ico, entry + 12);
        EXPECT_EQ(at, next) << "images follow each other";
        const std::uint32_t maskStride = (n + 31) / 32 * 4;
        ASSERT_EQ(bytes, 40 + n * n * 4 + maskStride * n);
        next = at + bytes;
        ASSERT_LE(next, ico.size());

        EXPECT_EQ(U32(ico, at), 40u);
        EXPECT_EQ(U32(ico, at + 4), n);
        EXPECT_EQ(U32(ico, at + 8), 2 * n) << "colour and mask";
        EXPECT_EQ(U16(ico, at + 14), 32u);
        // Rows bottom-up, BGRA; the mask marks exactly the clear pixels.
        std::size_t clear = 0;
        for (std::uint32_t y = 0; y < n; ++y) {
            for (std::uint32_t x = 0; x < n; ++x) {
                const std::size_t p = at + 40 + ((n - 1 - y) * n + x) * 4;
                const std::uint32_t argb = images[i].argb[y * n + x];
                const std::uint32_t stored = ico[p] | ico[p + 1] << 8 | ico[p + 2] << 16 |
                                             static_cast<std::uint32_t>(ico[p + 3]) << 24;
                ASSERT_EQ(stored, argb) << x << "," << y;
                const std::size_t m = at + 40 + n * n * 4 + (n - 1 - y) * maskStride + x / 8;
                const bool masked = (ico[m] & (0x80 >> (x % 8))) != 0;
                ASSERT_EQ(masked, (argb >> 24) == 0) << x << "," << y;
                clear += masked;
            }
        }
        // A badge with clear corners, not an empty or a full square.
        EXPECT_EQ(images[i].argb[0] >> 24, 0u);
        EXPECT_EQ(images[i].argb[(n / 2) * n + n / 2] >> 24, 0xFFu);
        EXPECT_GT(clear, 0u);
        EXPECT_LT(clear, n * n / 3);
    }
    EXPECT_EQ(next, ico.size()) << "nothing after the last image";
}

TEST(ProgramIcon, ArtThatIsNotSquareOrHasAnUnknownColourStopsTheGenerator) {
    const std::array<const char*, 2> ragged{"..", "..."};
    EXPECT_THROW(icon::FromArt(ragged), std::invalid_argument);
    const std::array<const char*, 2> unknown{"..", ".?"};
    EXPECT_THROW(icon::FromArt(unknown), std::invalid_argument);
    const std::array<const char*, 2> fine{"kb", "w."};
    const icon::Image image = icon::FromArt(fine);
    EXPECT_EQ(image.size, 2);
    EXPECT_EQ(image.argb[2], 0xFFFFFFFFu);
    EXPECT_EQ(image.argb[3], 0u);
}

}  // namespace
}  // namespace mq::test
