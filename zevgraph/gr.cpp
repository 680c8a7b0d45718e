// Entering and leaving graphics mode: a 256-colour window of the size that
// -g chose, with the built-in 8x16 font as the page's main font.
#include "graphics.h"
#include "pxl.h"
#include "zevgraph.h"

int font_handle = 0;

int _installpxlfont(void)
{
    // The text state is set up first: setting it up later would empty the
    // slot again.
    __gr_text_init();
    for (int slot = 21; slot <= 29; slot++)
        if (__gr_text_Fonts[slot] == nullptr) {
            __gr_text_Fonts[slot] = &GrFont_PC8x16;
            return slot;
        }
    return -9;
}

void entergrmode(void)
{
    static const struct {
        int w, h;
    } sizes[7] = {{0, 0}, {640, 200}, {640, 350}, {640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
    if (graphic <= 0 || graphic > 6)
        return;
    int Gd = -3, Gm = 3;
    char driver[1] = "";
    __gr_set_BGI_mode_pages(1);
    __gr_BGI_w = sizes[graphic].w;
    __gr_BGI_h = sizes[graphic].h;
    __gr_BGI_c = 256;
    initgraph(&Gd, &Gm, driver);
    font_handle = _installpxlfont();
    settextstyle(font_handle, HORIZ_DIR, 1);
}

void exitgrmode(void)
{
    if (graphic != 0)
        closegraph();
}
