#include "fdmodel.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdlib>

namespace fdt {

namespace {
uint32_t same(uint32_t s) { return s; }
}  // namespace

const Layout kL1 = {"1-bit", 1, 1, [](GrColor v) { return v & 1U; }, same};
const Layout kL4 = {"4-bit planar", 4, 4, [](GrColor v) { return v & 15U; }, same};
const Layout kL8 = {"8-bit", 8, 1, [](GrColor v) { return v & 0xFFU; }, same};
const Layout kL16 = {"16-bit", 16, 1, [](GrColor v) { return v & 0xFFFFU; }, same};
const Layout kL24 = {"24-bit", 24, 1, [](GrColor v) { return v & 0xFFFFFFU; }, same};
const Layout kL32L = {"32-bit low", 32, 1, [](GrColor v) { return v & 0xFFFFFFU; },
                      [](uint32_t s) { return s & 0xFFFFFFU; }};
const Layout kL32H = {"32-bit high", 32, 1, [](GrColor v) { return (v & 0xFFFFFFU) << 8; },
                      [](uint32_t s) { return s >> 8; }};

// Pages that fault on any access, so that a stray read or write stops the
// test where it happens.
namespace {
#ifdef _WIN32
size_t page_size()
{
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    return si.dwPageSize;
}
void *map_pages(size_t len)
{
    return VirtualAlloc(nullptr, len, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}
void protect_pages(void *p, size_t len, bool noaccess)
{
    DWORD old;
    VirtualProtect(p, len, noaccess ? PAGE_NOACCESS : PAGE_READWRITE, &old);
}
void unmap_pages(void *p, size_t) { VirtualFree(p, 0, MEM_RELEASE); }
#else
size_t page_size() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }
void *map_pages(size_t len)
{
    void *m = mmap(nullptr, len, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return m == MAP_FAILED ? nullptr : m;
}
void protect_pages(void *p, size_t len, bool noaccess)
{
    mprotect(p, len, noaccess ? PROT_NONE : PROT_READ | PROT_WRITE);
}
void unmap_pages(void *p, size_t len) { munmap(p, len); }
#endif
}  // namespace

Fenced::Fenced(size_t n, Side side)
{
    const size_t ps = page_size();
    area_len_ = n ? (n + ps - 1) / ps * ps : ps;
    map_len_ = area_len_ + 2 * ps;
    void *m = map_pages(map_len_);
    if (!m)
        abort();
    map_ = static_cast<unsigned char *>(m);
    area_ = map_ + ps;
    protect_pages(map_, ps, true);
    protect_pages(area_ + area_len_, ps, true);
    p_ = side == kEnd ? area_ + area_len_ - n : area_;
}

Fenced::~Fenced() { unmap_pages(map_, map_len_); }

void Fenced::protect(bool noaccess) { protect_pages(area_, area_len_, noaccess); }

MemFrame::MemFrame(const Layout &l, const GrFrameDriver *drv, int w, int h, int lineoffset,
                   Place place, int shift)
    : L(l), w(w), h(h)
{
    const int rowbytes = l.bpp >= 8 ? w * (l.bpp / 8) : (w + 7) / 8;
    const int lo = lineoffset ? lineoffset : rowbytes;
    // the plane ends with the last pixel byte, so kAtEnd is really flush
    const size_t extent = size_t(h - 1) * lo + rowbytes, guard = 64;
    std::mt19937 noise(static_cast<unsigned>(w * 131 + h));
    f.gf_lineoffset = lo;
    f.gf_driver = drv;
    planes_.resize(l.planes);
    for (int p = 0; p < 4; p++) {
        if (p >= l.planes) {
            f.gf_baseaddr[p] = f.gf_baseaddr[0];
            continue;
        }
        Plane &pl = planes_[p];
        pl.mem.reset(new Fenced(extent + 2 * guard + 8, Fenced::kStart));
        const size_t len = pl.mem->area_len();
        pl.base = f.gf_baseaddr[p] = pl.mem->area() + (place == kAtStart ? 0
                                                      : place == kAtEnd ? len - extent
                                                                        : guard + shift);
        for (size_t i = 0; i < len; i++)
            pl.mem->area()[i] = static_cast<unsigned char>(noise());
        pl.orig.assign(pl.mem->area(), pl.mem->area() + len);
        pl.owned.assign(len, 0);
    }
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            for (int b = 0; b < l.bpp; b++) {
                unsigned mask;
                int p;
                unsigned char *c = bit_at(x, y, b, &mask, &p);
                planes_[p].owned[size_t(c - planes_[p].mem->area())] |= mask;
            }
}

// Packed pixels are little-endian bytes; bit pixels are most significant
// bit first, with bit i of a pixel in plane i when there are planes.
unsigned char *MemFrame::bit_at(int x, int y, int b, unsigned *mask, int *plane) const
{
    const size_t row = size_t(y) * f.gf_lineoffset;
    if (L.bpp >= 8) {
        *mask = 1U << (b % 8);
        *plane = 0;
        return planes_[0].base + row + size_t(x) * (L.bpp / 8) + b / 8;
    }
    *mask = 0x80U >> (x % 8);
    *plane = L.planes == 1 ? 0 : b;
    return planes_[*plane].base + row + x / 8;
}

uint32_t MemFrame::get(int x, int y) const
{
    uint32_t v = 0;
    unsigned mask;
    int p;
    if (L.bpp >= 8) {  // whole bytes, for speed
        const unsigned char *c = bit_at(x, y, 0, &mask, &p);
        for (int i = L.bpp / 8 - 1; i >= 0; i--)
            v = v << 8 | c[i];
        return v;
    }
    for (int b = 0; b < L.bpp; b++)
        if (*bit_at(x, y, b, &mask, &p) & mask)
            v |= 1U << b;
    return v;
}

void MemFrame::set(int x, int y, uint32_t v)
{
    unsigned mask;
    int p;
    for (int b = 0; b < L.bpp; b++) {
        unsigned char *c = bit_at(x, y, b, &mask, &p);
        *c = static_cast<unsigned char>((v >> b & 1U) ? (*c | mask) : (*c & ~mask));
    }
}

Model MemFrame::randomize(std::mt19937 &rng)
{
    Model m(L, w, h);
    for (uint32_t &v : m.px)
        v = static_cast<uint32_t>(rng()) & (L.bpp == 32 ? ~0U : (1U << L.bpp) - 1);
    load(m);
    return m;
}

void MemFrame::load(const Model &m)
{
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            set(x, y, m.at(x, y));
}

Model MemFrame::snapshot() const
{
    Model m(L, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            m.at(x, y) = get(x, y);
    return m;
}

void MemFrame::protect(bool noaccess)
{
    for (Plane &pl : planes_)
        pl.mem->protect(noaccess);
}

testing::AssertionResult MemFrame::matches(const Model &m) const
{
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (get(x, y) != m.at(x, y))
                return testing::AssertionFailure() << L.name << " pixel (" << x << "," << y
                                                   << ") is " << get(x, y) << ", expected "
                                                   << m.at(x, y);
    for (size_t p = 0; p < planes_.size(); p++) {
        const Plane &pl = planes_[p];
        const unsigned char *a = pl.mem->area();
        for (size_t i = 0; i < pl.orig.size(); i++)
            if ((a[i] ^ pl.orig[i]) & ~pl.owned[i])
                return testing::AssertionFailure()
                       << "byte " << (a + i - pl.base) << " of plane " << p << " (not a pixel)"
                       << " changed from " << int(pl.orig[i]) << " to " << int(a[i]);
    }
    return testing::AssertionSuccess();
}

void Model::pixel(int x, int y, GrColor c)
{
    at(x, y) = combine(oper(c), at(x, y), L->encode(c & GR_VALUEMASK));
}

void Model::line(int x, int y, int dx, int dy, GrColor c)
{
    if (dx < 0) {
        x += dx, y += dy;
        dx = -dx, dy = -dy;
    }
    int ystep = 1;
    if (dy < 0)
        dy = -dy, ystep = -1;
    if (dx > dy) {
        for (int i = 0, err = dx / 2; i <= dx; i++, x++) {
            pixel(x, y, c);
            err -= dy;
            if (err < 0)
                err += dx, y += ystep;
        }
    } else {
        for (int i = 0, err = dy / 2; i <= dy; i++, y += ystep) {
            pixel(x, y, c);
            err -= dx;
            if (err < 0)
                err += dy, x++;
        }
    }
}

void Model::block(int x, int y, int bw, int bh, GrColor c)
{
    for (int r = 0; r < bh; r++)
        for (int i = 0; i < bw; i++)
            pixel(x + i, y + r, c);
}

void Model::bitmap(int x, int y, int bw, int bh, const unsigned char *bmp, int pitch,
                   int start, GrColor fg, GrColor bg)
{
    for (int r = 0; r < bh; r++)
        for (int i = 0, bit = start; i < bw; i++, bit++)
            pixel(x + i, y + r, (bmp[r * pitch + bit / 8] & (0x80 >> (bit % 8))) ? fg : bg);
}

void Model::pattern(int x, int y, int len, unsigned char patt, GrColor fg, GrColor bg)
{
    for (int i = 0; i < len; i++)
        pixel(x + i, y, (patt & (0x80 >> (i % 8))) ? fg : bg);
}

void Model::putscanline(int x, int y, int len, const GrColor *scl, GrColor op)
{
    for (int i = 0; i < len; i++)
        if (scl[i] != (op ^ GR_IMAGE))
            pixel(x + i, y, scl[i] | (op & GR_MODEMASK));
}

void Model::copy(int dx, int dy, Model src, int sx, int sy, int bw, int bh, int op, long key)
{
    for (int r = 0; r < bh; r++)
        for (int i = 0; i < bw; i++) {
            const uint32_t s = src.at(sx + i, sy + r);
            if (key < 0 || s != static_cast<uint32_t>(key))
                at(dx + i, dy + r) = combine(op, at(dx + i, dy + r), s);
        }
}

void Model::copy_packed(int dx, int dy, Model src, int sx, int sy, int bw, int bh, GrColor op)
{
    if (oper(op) != 4) {
        copy(dx, dy, src, sx, sy, bw, bh, oper(op));
        return;
    }
    const uint32_t key = op & 0xFFU;
    for (int r = 0; r < bh; r++)
        for (int i = 0; i < bw; i++) {
            const uint32_t s = src.at(sx + i, sy + r);
            uint32_t &d = at(dx + i, dy + r);
            for (int b = 0; b < L->bpp; b += 8)
                if ((s >> b & 0xFFU) != key)
                    d = (d & ~(0xFFU << b)) | (s & 0xFFU << b);
        }
}

void Model::copy_pixels(int dx, int dy, Model src, int sx, int sy, int bw, int bh, GrColor op)
{
    for (int r = 0; r < bh; r++)
        putscanline(dx, dy + r, bw, src.scanline(sx, sy + r, bw, nullptr).data(), op);
}

std::vector<GrColor> Model::scanline(int x, int y, int len, const int *indx) const
{
    std::vector<GrColor> out(len);
    for (int i = 0; i < len; i++)
        out[i] = L->decode(at(x + (indx ? indx[i] : i), y));
    return out;
}

}  // namespace fdt
