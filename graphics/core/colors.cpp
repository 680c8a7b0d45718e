// The colour table: how colour values map to red, green and blue in the
// current mode. Palette modes (4 and 8 bits) hand out reference-counted
// cells; every other depth packs the components into the pixel value.
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "libpxl.h"

#define CLRINFO (&_GrColorInfo)

namespace {

const uint32_t kSaveMagic = 0x7ABF5698U;
const size_t kRecordBytes = sizeof(struct _GR_colorTable);
const size_t kSaveBytes = 2 * sizeof(uint32_t) + kRecordBytes;
const int kNumCells = 256;
const int kPresetCells = 16;

// Header and the 16 default cells as they stood at the first reset.
const size_t kInfoSaveBytes =
    offsetof(struct _GR_colorTable, cells) +
    kPresetCells * sizeof(struct _GR_colorCell);

unsigned char *infosave = nullptr;
bool firsttime = true;
void (*DACload)(int c, int r, int g, int b) = nullptr;

// Shift counts come from mode tables or a restored buffer; a count that a
// 32-bit value cannot take shifts everything out instead of being undefined.
inline uint32_t shl(uint32_t v, int32_t n)
{
    return (n >= 0 && n < 32) ? v << n : 0;
}

inline uint32_t shr(uint32_t v, int32_t n)
{
    return (n >= 0 && n < 32) ? v >> n : 0;
}

// Cells that exist for index checks: never beyond the table, whatever the
// colour count says (RGB modes and restored records may claim more).
inline uint32_t cellcount()
{
    return CLRINFO->numcolors < (uint32_t)kNumCells ? CLRINFO->numcolors
                                                    : (uint32_t)kNumCells;
}

inline bool validcell(GrColor c)
{
    return c < CLRINFO->numcolors && c < (uint32_t)kNumCells;
}

// A free cell is being taken; the count never wraps below zero, even in a
// text mode whose cells were never counted as free.
inline void takefree()
{
    if (CLRINFO->numfree > 0)
        CLRINFO->numfree--;
}

void setbits(const unsigned char *prec, const unsigned char *pos)
{
    int32_t norm = 0;
    for (int i = 0; i < 3; i++) {
        const uint32_t p = prec[i];
        const uint32_t mask = p >= 8 ? 0xFFU : (0xFFU ^ (0xFFU >> p));
        CLRINFO->prec[i] = p;
        CLRINFO->toppos[i] = pos[i] + p - 1;
        CLRINFO->mask[i] = mask;
        CLRINFO->round[i] = ~mask & (mask >> 1);
        CLRINFO->shift[i] = (int32_t)p + pos[i] - 8;
        if (-CLRINFO->shift[i] > norm)
            norm = -CLRINFO->shift[i];
    }
    CLRINFO->normshift = norm;
    for (int i = 0; i < 3; i++)
        CLRINFO->shift[i] += norm;
}

// Nearest representable level; anything at or past the top (including
// negative requests, which are huge as unsigned) is the top level.
inline uint32_t roundcomp(int i, int v)
{
    const uint32_t u = (uint32_t)v;
    const uint32_t mask = CLRINFO->mask[i];
    return u >= mask ? mask : (u + CLRINFO->round[i]) & mask;
}

GrColor packrgb(uint32_t r, uint32_t g, uint32_t b)
{
    const uint32_t v = shl(r & CLRINFO->mask[0], CLRINFO->shift[0]) |
                       shl(g & CLRINFO->mask[1], CLRINFO->shift[1]) |
                       shl(b & CLRINFO->mask[2], CLRINFO->shift[2]);
    return shr(v, CLRINFO->normshift);
}

inline int unpackcomp(GrColor c, int i)
{
    const uint32_t d = shl(c, CLRINFO->normshift);
    return (int)(shr(d, CLRINFO->shift[i]) & CLRINFO->mask[i]);
}

// Stores the masked components and hands them to the driver. Flags and
// reference count are the caller's business.
void loadcolor(int c, uint32_t r, uint32_t g, uint32_t b)
{
    struct _GR_colorCell *cell = &CLRINFO->cells[c];
    cell->r = (unsigned char)(r & CLRINFO->mask[0]);
    cell->g = (unsigned char)(g & CLRINFO->mask[1]);
    cell->b = (unsigned char)(b & CLRINFO->mask[2]);
    if (DACload != nullptr)
        DACload(c, cell->r, cell->g, cell->b);
}

// A held (or newly held) read-only cell gains one more reference.
GrColor sharecell(int c)
{
    struct _GR_colorCell *cell = &CLRINFO->cells[c];
    if (cell->refcount == 0)
        takefree();
    cell->refcount++;
    return (GrColor)c;
}

GrColor takecell(int c, uint32_t r, uint32_t g, uint32_t b)
{
    struct _GR_colorCell *cell = &CLRINFO->cells[c];
    cell->flags = (cell->flags | GR_COLOR_LOADED) & ~GR_COLOR_CHANGEABLE;
    cell->refcount = 1;
    takefree();
    loadcolor(c, r, g, b);
    return (GrColor)c;
}

}  // namespace

int _GrResetColors(void)
{
    if (firsttime) {
        infosave = static_cast<unsigned char *>(malloc(kInfoSaveBytes));
        if (infosave != nullptr)
            memcpy(infosave, CLRINFO, kInfoSaveBytes);
        firsttime = false;
    }
    memset(CLRINFO, 0, kRecordBytes);

    const GrVideoMode *md = &_GrDriverInfo.active_mode;
    const GrVideoModeExt *ext = md->extinfo;
    if (ext == nullptr || ext->mode == GR_frameText) {
        if (infosave == nullptr)
            return 0;
        memcpy(&CLRINFO->numcolors,
               infosave + offsetof(struct _GR_colorTable, numcolors),
               sizeof CLRINFO->numcolors);
        memcpy(&CLRINFO->numfree,
               infosave + offsetof(struct _GR_colorTable, numfree),
               sizeof CLRINFO->numfree);
        return 1;
    }

    DACload = ext->loadcolor;
    CLRINFO->black = GR_NOCOLOR;
    CLRINFO->white = GR_NOCOLOR;

    const int bpp = md->bpp;
    if (bpp >= 0 && bpp <= 24) {
        CLRINFO->numcolors = 1U << bpp;
    } else {
        // Deep modes count by their channels; anything past 32 bits is
        // just "too many" and fails below.
        const unsigned bits = ext->cprec[0] + ext->cprec[1] + ext->cprec[2];
        CLRINFO->numcolors = bits < 32 ? 1U << bits : UINT32_MAX;
    }
    setbits(ext->cprec, ext->cpos);

    if (bpp == 4 || bpp == 8) {
        CLRINFO->numfree = CLRINFO->numcolors;
        if (infosave != nullptr) {
            struct _GR_colorCell preset[kPresetCells];
            memcpy(preset, infosave + offsetof(struct _GR_colorTable, cells),
                   sizeof preset);
            // Preset colours stay unreferenced, so they still count as free.
            for (int i = 0; i < kPresetCells; i++) {
                loadcolor(i, preset[i].r, preset[i].g, preset[i].b);
                CLRINFO->cells[i].flags |= GR_COLOR_LOADED;
            }
        }
    } else {
        CLRINFO->rgbmode = 1;
    }
    const uint32_t n = CLRINFO->numcolors;
    return n > 0 && ((n - 1) & ~GR_VALUEMASK) == 0;
}

int GrResetColors(void)
{
    return _GrResetColors();
}

void GrSetRGBcolorMode(void)
{
    if (CLRINFO->rgbmode)
        return;
    static const unsigned char prec16[3] = {1, 2, 1}, pos16[3] = {3, 1, 0};
    static const unsigned char prec256[3] = {3, 3, 2}, pos256[3] = {5, 2, 0};
    switch (CLRINFO->numcolors) {
    case 16:
        setbits(prec16, pos16);
        break;
    case 256:
        setbits(prec256, pos256);
        break;
    default:
        break;
    }
    CLRINFO->rgbmode = 1;
    CLRINFO->numfree = 0;
    CLRINFO->black = 0;
    CLRINFO->white = CLRINFO->numcolors - 1;
    const uint32_t n = cellcount();
    for (uint32_t i = 0; i < n; i++)
        loadcolor((int)i, (uint32_t)unpackcomp(i, 0),
                  (uint32_t)unpackcomp(i, 1), (uint32_t)unpackcomp(i, 2));
}

void GrRefreshColors(void)
{
    const uint32_t n = cellcount();
    for (uint32_t i = 0; i < n; i++) {
        const struct _GR_colorCell *cell = &CLRINFO->cells[i];
        if (cell->flags & GR_COLOR_LOADED)
            loadcolor((int)i, cell->r, cell->g, cell->b);
    }
}

GrColor GrAllocColor(int r, int g, int b)
{
    const uint32_t rr = roundcomp(0, r);
    const uint32_t gg = roundcomp(1, g);
    const uint32_t bb = roundcomp(2, b);
    if (CLRINFO->rgbmode)
        return packrgb(rr, gg, bb);
    if (CLRINFO->numcolors == 0)
        return GR_NOCOLOR;

    // Cells in use not yet seen: once all are behind us, a free cell
    // already found cannot be beaten by an exact match further on.
    int64_t left = (int64_t)CLRINFO->numcolors - (int64_t)CLRINFO->numfree;
    int64_t best = 1000;  // nearest colour must lie closer than this
    int freecell = -1, spare = -1, nearest = -1;
    const int n = (int)cellcount();
    for (int i = 0; i < n; i++) {
        const struct _GR_colorCell *cell = &CLRINFO->cells[i];
        if (!(cell->flags & GR_COLOR_LOADED)) {
            if (freecell < 0)
                freecell = i;
        } else {
            if (!(cell->flags & GR_COLOR_CHANGEABLE)) {
                const int64_t dr = (int64_t)rr - cell->r;
                const int64_t dg = (int64_t)gg - cell->g;
                const int64_t db = (int64_t)bb - cell->b;
                const int64_t d = dr * dr + dg * dg + db * db;
                if (d < best) {
                    nearest = i;
                    if (d == 0)
                        return sharecell(i);
                    best = d;
                }
                // Cell 0 (black, usually) is overwritten only as a last resort.
                if (cell->refcount == 0 && (spare < 0 || spare == 0))
                    spare = i;
            }
            if (cell->refcount != 0)
                left--;
        }
        if (left <= 0 && freecell >= 0)
            break;
    }
    if (freecell >= 0)
        return takecell(freecell, rr, gg, bb);
    if (spare >= 0)
        return takecell(spare, rr, gg, bb);
    if (nearest >= 0)
        return sharecell(nearest);
    return GR_NOCOLOR;
}

GrColor GrAllocCell(void)
{
    if (CLRINFO->rgbmode || CLRINFO->numfree == 0 || CLRINFO->numcolors == 0)
        return GR_NOCOLOR;
    const int n = (int)cellcount();
    int c = -1;
    for (int i = 0; i < n && c < 0; i++)
        if (!(CLRINFO->cells[i].flags & GR_COLOR_LOADED))
            c = i;
    for (int i = 0; i < n && c < 0; i++)
        if (CLRINFO->cells[i].refcount == 0)
            c = i;
    if (c < 0)
        return GR_NOCOLOR;
    takefree();
    CLRINFO->cells[c].flags = GR_COLOR_LOADED | GR_COLOR_CHANGEABLE;
    CLRINFO->cells[c].refcount = 1;
    loadcolor(c, 0, 0, 0);
    return (GrColor)c;
}

void GrFreeColor(GrColor c)
{
    if (CLRINFO->rgbmode || !validcell(c))
        return;
    struct _GR_colorCell *cell = &CLRINFO->cells[c];
    const uint32_t kind = cell->flags & (GR_COLOR_LOADED | GR_COLOR_CHANGEABLE);
    // A preset colour nobody holds has no reference to drop.
    if (kind != GR_COLOR_LOADED || cell->refcount == 0)
        return;
    if (--cell->refcount == 0) {
        cell->flags &= ~(GR_COLOR_LOADED | GR_COLOR_CHANGEABLE);
        CLRINFO->numfree++;
    }
}

void GrFreeCell(GrColor c)
{
    if (CLRINFO->rgbmode || !validcell(c))
        return;
    struct _GR_colorCell *cell = &CLRINFO->cells[c];
    if (!(cell->flags & GR_COLOR_CHANGEABLE))
        return;
    cell->flags &= ~(GR_COLOR_LOADED | GR_COLOR_CHANGEABLE);
    cell->refcount = 0;
    CLRINFO->numfree++;
}

void GrSetColor(GrColor c, int r, int g, int b)
{
    if (CLRINFO->rgbmode || !validcell(c))
        return;
    struct _GR_colorCell *cell = &CLRINFO->cells[c];
    if (!(cell->flags & GR_COLOR_LOADED) || cell->refcount == 0) {
        cell->flags |= GR_COLOR_LOADED | GR_COLOR_CHANGEABLE;
        cell->refcount = 1;
        takefree();
    }
    if (cell->flags & GR_COLOR_CHANGEABLE)
        loadcolor((int)c, roundcomp(0, r), roundcomp(1, g), roundcomp(2, b));
}

void GrQueryColor(GrColor c, int *r, int *g, int *b)
{
    int cr = 0, cg = 0, cb = 0;
    if (CLRINFO->rgbmode) {
        cr = unpackcomp(c, 0);
        cg = unpackcomp(c, 1);
        cb = unpackcomp(c, 2);
    } else if (validcell(c) && (CLRINFO->cells[c].flags & GR_COLOR_LOADED)) {
        cr = CLRINFO->cells[c].r;
        cg = CLRINFO->cells[c].g;
        cb = CLRINFO->cells[c].b;
    }
    if (r != nullptr)
        *r = cr;
    if (g != nullptr)
        *g = cg;
    if (b != nullptr)
        *b = cb;
}

void GrQueryColor2(GrColor c, uint32_t *hcolor)
{
    int r, g, b;
    GrQueryColor(c, &r, &g, &b);
    if (hcolor != nullptr)
        *hcolor = ((uint32_t)r << 16) | ((uint32_t)g << 8) | (uint32_t)b;
}

int GrColorSaveBufferSize(void)
{
    return (int)kSaveBytes;
}

void GrSaveColors(void *buffer)
{
    unsigned char *p = static_cast<unsigned char *>(buffer);
    if (p == nullptr)
        return;
    const uint32_t head[2] = {kSaveMagic, CLRINFO->numcolors};
    memcpy(p, head, sizeof head);
    memcpy(p + sizeof head, CLRINFO, kRecordBytes);
}

void GrRestoreColors(void *buffer)
{
    const unsigned char *p = static_cast<const unsigned char *>(buffer);
    uint32_t head[2];
    if (p == nullptr)
        return;
    memcpy(head, p, sizeof head);
    if (head[0] != kSaveMagic || head[1] != CLRINFO->numcolors)
        return;
    memcpy(CLRINFO, p + sizeof head, kRecordBytes);
    GrRefreshColors();
}
