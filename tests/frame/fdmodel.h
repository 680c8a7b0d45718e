// Test harness for frame drivers: frames in plain memory, fenced by
// inaccessible pages, and a per-pixel reference model written without
// looking at the drivers. The model is the oracle: keep it plain.
#ifndef TESTS_FRAME_FDMODEL_H
#define TESTS_FRAME_FDMODEL_H

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

#include "libpxl.h"

namespace fdt {

// How one pixel format stores its pixels.
struct Layout {
    const char *name;
    int bpp;     // bits of one stored pixel, all planes together
    int planes;  // 1, or 4 for the planar format (bit i of a pixel in plane i)
    uint32_t (*encode)(GrColor value);    // colour value -> stored pixel
    uint32_t (*decode)(uint32_t stored);  // stored pixel -> readpixel result
};
extern const Layout kL1, kL4, kL8, kL16, kL24, kL32L, kL32H;

// The write mode nibble of a colour, and the per-pixel effect of a mode:
// 1 XOR, 2 OR, 3 AND, anything else replaces the pixel.
inline int oper(GrColor c) { return static_cast<int>((c >> 24) & 15U); }
inline uint32_t combine(int op, uint32_t old, uint32_t v)
{
    switch (op) {
    case 1: return old ^ v;
    case 2: return old | v;
    case 3: return old & v;
    default: return v;
    }
}

// A random number in lo..hi, and a run of 1..maxlen within 0..extent-1.
inline int pick(std::mt19937 &rng, int lo, int hi)
{
    return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1));
}
inline void span(std::mt19937 &rng, int extent, int maxlen, int &pos, int &len)
{
    len = pick(rng, 1, maxlen < extent ? maxlen : extent);
    pos = pick(rng, 0, extent - len);
}

// n usable bytes placed right before (kEnd) or right after (kStart) a page
// that faults on any access, with or without a sanitizer.
class Fenced {
public:
    enum Side { kEnd, kStart };
    explicit Fenced(size_t n, Side side = kEnd);
    ~Fenced();
    Fenced(const Fenced &) = delete;
    Fenced &operator=(const Fenced &) = delete;
    unsigned char *data() const { return p_; }
    // the whole accessible area around data()
    unsigned char *area() const { return area_; }
    size_t area_len() const { return area_len_; }
    void protect(bool noaccess);  // make the whole area inaccessible, or not

private:
    unsigned char *map_, *area_, *p_;
    size_t map_len_, area_len_;
};

class Model;

// A frame whose planes lie in fenced memory. kPadded leaves guard bytes on
// both sides of every plane; kAtEnd/kAtStart put the plane flush against
// the inaccessible page. Bytes and bits that hold no pixel (guards, row
// padding) are filled with noise and must never change.
class MemFrame {
public:
    enum Place { kPadded, kAtEnd, kAtStart };
    MemFrame(const Layout &l, const GrFrameDriver *drv, int w, int h,
             int lineoffset = 0, Place place = kPadded, int shift = 0);
    MemFrame(const MemFrame &) = delete;
    MemFrame &operator=(const MemFrame &) = delete;

    const Layout &L;
    const int w, h;
    GrFrame f{};

    uint32_t get(int x, int y) const;        // stored pixel, read by hand
    void set(int x, int y, uint32_t stored);
    Model randomize(std::mt19937 &rng);  // random pixels; returns them
    void load(const Model &m);
    Model snapshot() const;
    void make_current() const { _GrContextInfo.current.gc_frame = f; }
    void protect(bool noaccess);
    // every pixel equals the model and nothing else changed
    testing::AssertionResult matches(const Model &m) const;

private:
    struct Plane {
        std::unique_ptr<Fenced> mem;
        unsigned char *base;
        std::vector<unsigned char> owned;  // pixel bits of every area byte
        std::vector<unsigned char> orig;   // the area as it was filled
    };
    // the byte holding bit b of pixel (x, y), its mask and its plane
    unsigned char *bit_at(int x, int y, int b, unsigned *mask, int *plane) const;
    std::vector<Plane> planes_;
};

// The picture as plain stored pixel values, with every driver operation
// written out the obvious way.
class Model {
public:
    Model(const Layout &l, int w, int h) : L(&l), w(w), h(h), px(size_t(w) * h) {}
    const Layout *L;
    int w, h;
    std::vector<uint32_t> px;

    uint32_t &at(int x, int y) { return px[index(x, y)]; }
    uint32_t at(int x, int y) const { return px[index(x, y)]; }
    // a test that strays outside the picture is a broken test
    size_t index(int x, int y) const
    {
        if (x < 0 || x >= w || y < 0 || y >= h)
            throw std::out_of_range("model pixel outside the frame");
        return size_t(y) * w + x;
    }
    void pixel(int x, int y, GrColor c);  // combine c with its own mode
    void line(int x, int y, int dx, int dy, GrColor c);
    void hline(int x, int y, int len, GrColor c) { block(x, y, len, 1, c); }
    void vline(int x, int y, int len, GrColor c) { block(x, y, 1, len, c); }
    void block(int x, int y, int bw, int bh, GrColor c);
    void bitmap(int x, int y, int bw, int bh, const unsigned char *bmp,
                int pitch, int start, GrColor fg, GrColor bg);
    void pattern(int x, int y, int len, unsigned char patt, GrColor fg, GrColor bg);
    void putscanline(int x, int y, int len, const GrColor *scl, GrColor op);
    // Copies of stored pixels from src, taken by value so that overlapping
    // copies read an untouched duplicate. op is 0..3 (others write); key >= 0
    // leaves out source pixels equal to it.
    void copy(int dx, int dy, Model src, int sx, int sy, int bw, int bh,
              int op, long key = -1);
    // The byte copy of packed frames: mode 4 (GR_IMAGE) leaves out each
    // source byte (not pixel) equal to the op's low byte; modes 0..3
    // combine; others write.
    void copy_packed(int dx, int dy, Model src, int sx, int sy, int bw, int bh, GrColor op);
    // The rule of the pixel-by-pixel copy: readpixel values go through the
    // scan-line rule (skip op ^ GR_IMAGE, else draw value | mode bits).
    void copy_pixels(int dx, int dy, Model src, int sx, int sy, int bw, int bh,
                     GrColor op);
    std::vector<GrColor> scanline(int x, int y, int len, const int *indx) const;
};

}  // namespace fdt

#endif  // TESTS_FRAME_FDMODEL_H
