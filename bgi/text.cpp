// The text state: settings, scales, the font slots, and its set-up.
#include "libbgi.h"

void *__gr_text_Fonts[__GR_NFONTS];
struct textsettingstype __gr_text_setting = {DEFAULT_FONT, HORIZ_DIR, 1, LEFT_TEXT, TOP_TEXT};
int __gr_text_multx = 1, __gr_text_divx = 1, __gr_text_multy = 1, __gr_text_divy = 1;
int __gr_text_usr_multx = 1, __gr_text_usr_divx = 1, __gr_text_usr_multy = 1,
    __gr_text_usr_divy = 1;
int __gr_text_height = 0;
void *__gr_text_fntptr = nullptr;
GrTextStyle __gr_text_style;
GrFont *__gr_text_DefaultFonts[11];
struct _GR_bgiSlot _GrBgiSlots[GR_BGI_LASTSTROKE + 1];

const char *const __gr_text_StdFonts[12] = {"",         "TRIP.CHR", "LITT.CHR", "SANS.CHR",
                                            "GOTH.CHR", "SCRI.CHR", "SIMP.CHR", "TSCR.CHR",
                                            "LCOM.CHR", "EURO.CHR", "BOLD.CHR", nullptr};

namespace {

int Init = 0;

// a font unit becomes mult / div pixels at character size 1..10
const int _mult[11] = {1, 3, 2, 3, 1, 4, 5, 2, 5, 3, 4};
const int _div[11] = {1, 5, 3, 4, 1, 3, 3, 1, 2, 1, 1};

}  // namespace

void __gr_text_init(void)
{
    if (Init)
        return;
    Init = 1;
    for (int i = 1; i < __GR_NFONTS; i++)
        __gr_text_Fonts[i] = nullptr;
    __gr_text_Fonts[0] = &GrFont_PC8x8;
    for (GrFont *&f : __gr_text_DefaultFonts)
        f = nullptr;
    __gr_text_DefaultFonts[0] = __gr_text_DefaultFonts[1] = &GrFont_PC8x8;
    __gr_text_style.font = &GrFont_PC8x8;
    __gr_text_style.chrtype = GR_BYTE_TEXT;
    __gr_text_setting = {DEFAULT_FONT, HORIZ_DIR, 1, LEFT_TEXT, TOP_TEXT};
    __gr_text_multx = __gr_text_divx = __gr_text_multy = __gr_text_divy = 1;
    __gr_text_usr_multx = __gr_text_usr_divx = __gr_text_usr_multy = __gr_text_usr_divy = 1;
}

void _GrBgiSetScale(int size)
{
    if (size <= 0 || size > 10) {
        __gr_text_multx = __gr_text_usr_multx;
        __gr_text_divx = __gr_text_usr_divx;
        __gr_text_multy = __gr_text_usr_multy;
        __gr_text_divy = __gr_text_usr_divy;
    } else {
        __gr_text_multx = __gr_text_multy = _mult[size];
        __gr_text_divx = __gr_text_divy = _div[size];
    }
}
