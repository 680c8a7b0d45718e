// Registering a stroke font image in a slot.
#include <cstdlib>
#include <cstring>

#include "libbgi.h"

namespace {

// Puts the image into the slot. An image the layer loaded itself is freed
// when replaced, and the character table goes with the old image: it is
// made again from the new one (at once when the slot is in use).
void put(int slot, void *image, size_t len, int owned)
{
    struct _GR_bgiSlot &s = _GrBgiSlots[slot];
    void *old = __gr_text_Fonts[slot];
    const bool current = s.chi != nullptr && __gr_text_fntptr == s.chi;
    if (old != nullptr && old != image && s.owned)
        free(old);
    free(s.chi);
    s.chi = nullptr;
    __gr_text_Fonts[slot] = image;
    s.len = len;
    s.owned = owned;
    if (!current)
        return;
    s.chi = static_cast<struct _GR_chrTable *>(calloc(1, sizeof *s.chi));
    if (s.chi != nullptr &&
        !_GrBgiChrTable(static_cast<const unsigned char *>(image), len, s.chi, &s.height)) {
        free(s.chi);
        s.chi = nullptr;
    }
    __gr_text_fntptr = s.chi;  // null: the font draws nothing
    __gr_text_height = s.chi != nullptr ? s.height : 0;
}

}  // namespace

int _GrBgiRegisterFont(int first, int last, void *image, size_t len, int owned)
{
    __gr_text_init();
    const unsigned char *p = static_cast<const unsigned char *>(image);
    if (p == nullptr || len < 129 || memcmp(p, "PK\b\b", 4) != 0 || p[128] != '+')
        return grInvalidFont;
    size_t t = 0;
    while (t <= 129 && t < len && p[t] != 0x1A)
        t++;
    if (t > 129 || t >= len || len - t < 7)
        return grInvalidFont;
    for (int slot = 1; slot <= 10; slot++)
        if (memcmp(p + t + 3, __gr_text_StdFonts[slot], 4) == 0) {
            put(slot, image, len, owned);
            return slot;
        }
    // stroke images only ever go to stroke slots
    if (first < GR_BGI_FIRSTSTROKE)
        first = GR_BGI_FIRSTSTROKE;
    if (last > GR_BGI_LASTSTROKE)
        last = GR_BGI_LASTSTROKE;
    for (int slot = first; slot <= last; slot++)
        if (__gr_text_Fonts[slot] == nullptr) {
            put(slot, image, len, owned);
            return slot;
        }
    return grNoFontMem;
}

int __gr_text_registerfont(int first, int last, void *image)
{
    return _GrBgiRegisterFont(first, last, image, GR_BGI_UNKNOWNLEN, 0);
}

int registerbgifont(void *image) { return __gr_text_registerfont(GR_BGI_FIRSTUSER, GR_BGI_LASTSTROKE, image); }
int __gr_registerfarbgifont(void *image) { return registerbgifont(image); }
int registerfarbgifont(void *image) { return registerbgifont(image); }
