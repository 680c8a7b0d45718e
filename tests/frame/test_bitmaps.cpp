// drawbitmap of every packed format against the bit-by-bit model: every
// pair of write modes (with and without effect), every start bit of a
// byte pair, widths around the eight-pixel steps, drawn against the end
// and the start of fenced frames from bitmaps that end at a fence.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "fdmodel.h"
#include "libpxl.h"

namespace {

struct Packed {
    const char *name;
    const GrFrameDriver *d;
    const fdt::Layout *L;
};
const Packed kPacked[] = {
    {"RAM8", &_GrFrameDriverRAM8, &fdt::kL8},
    {"RAM16", &_GrFrameDriverRAM16, &fdt::kL16},
    {"RAM24", &_GrFrameDriverRAM24, &fdt::kL24},
    {"RAM32L", &_GrFrameDriverRAM32L, &fdt::kL32L},
    {"RAM32H", &_GrFrameDriverRAM32H, &fdt::kL32H},
};

TEST(Bitmaps, EveryModePairStartAndWidthMatchesModel)
{
    // each mode with a value that changes nothing and one that does (AND
    // with 0xFFFFFF still clears the spare byte of 32-bit pixels); a mode
    // above AND writes; bits above the pixel must not matter
    const GrColor colours[] = {GR_WRITE | 0,       GR_WRITE | 0xA5C3E1U, GR_XOR | 0,
                               GR_XOR | 0x5A3C96U, GR_OR | 0,           GR_OR | 0x814224U,
                               GR_AND | 0xFFFFFFU, GR_AND | 0x7E5BDBU,  0x09000000U | 0x42F00FU};
    const int widths[] = {1, 2, 3, 5, 7, 8, 9, 13, 15, 16, 17, 24, 31, 40};
    for (const Packed &P : kPacked) {
        SCOPED_TRACE(P.name);
        const fdt::Layout &L = *P.L;
        std::mt19937 rng(99);
        for (int place = 0; place < 2; place++) {
            // padded rows ending at a fence, or rows without gaps after one
            const int fw = 44, fh = 4, pad = place ? 0 : 4;
            fdt::MemFrame fr(L, P.d, fw, fh, fw * L.bpp / 8 + pad,
                             place ? fdt::MemFrame::kAtStart : fdt::MemFrame::kAtEnd);
            fdt::Model m = fr.randomize(rng);
            fr.make_current();
            for (int start = 0; start < 16; start++)
                for (int w : widths) {
                    const int h = 1 + (start + w) % 3;
                    const int need = (start >> 3) + (start % 8 + w + 7) / 8;
                    const int pitch = need + w % 2, len = (h - 1) * pitch + need;
                    fdt::Fenced bmp(static_cast<size_t>(len));  // the last byte needed
                    for (int i = 0; i < len; i++)                // is the last readable
                        bmp.data()[i] = static_cast<unsigned char>(rng());
                    const int x = place ? 0 : fw - w, y = place ? 0 : fh - h;
                    for (GrColor fg : colours)
                        for (GrColor bg : colours) {
                            P.d->drawbitmap(x, y, w, h, bmp.data(), pitch, start, fg, bg);
                            m.bitmap(x, y, w, h, bmp.data(), pitch, start, fg, bg);
                            ASSERT_TRUE(fr.matches(m)) << "start " << start << " w " << w
                                                       << " h " << h << " colours " << std::hex
                                                       << fg << ' ' << bg;
                        }
                }
        }
    }
}

}  // namespace
