/* A first program written from the guide at the top of pxl.h alone, as a
 * new user would: a memory mode, shapes, text, a read-back and the picture
 * saved as a PNG file. Exits 0 when everything went as the guide says. */
#include <stdio.h>
#include <string.h>

#include <pxl.h>

int main(void)
{
    static const char title[] = "Hello, PXL";
    static const unsigned char png_magic[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};
    unsigned char head[8];
    GrTextStyle style;
    GrColor red, blue;
    const GrColor *row;
    FILE *fp;
    int w, h;

    if (!GrSetDriver("memory"))
        return 1;
    GrSetMode(GR_mode_graphics_size_colors, 320, 200, 256);
    w = GrContextInfo->current.gc_xmax + 1;
    h = GrContextInfo->current.gc_ymax + 1;
    red = GrAllocColor(255, 0, 0);
    blue = GrAllocColor(0, 0, 255);
    if (w != 320 || h != 200 || red == GR_NOCOLOR || blue == GR_NOCOLOR)
        return 2;

    GrClearScreen(GrWhite());
    GrBox(0, 0, w - 1, h - 1, GrBlack());
    GrFilledBox(20, 20, 99, 59, red);
    GrLine(0, 0, w - 1, h - 1, GR_XOR | blue);
    GrFilledCircle(240, 60, 30, blue);

    memset(&style, 0, sizeof style);
    style.font = &GrFont_PC8x16;
    style.fgcolor.v = GrBlack();
    style.bgcolor.v = GR_NOCOLOR;
    style.xalign = GR_ALIGN_CENTER;
    GrDrawString(title, (int)strlen(title), w / 2, 150, &style);

    row = GrGetScanline(0, w - 1, 40);
    if (row == NULL || row[0] != GrBlack() || row[20] != red || row[200] != GrWhite() ||
        row[240] != blue)
        return 3;

    if (GrSaveContextToPng(NULL, "first.png") != 0)
        return 4;
    fp = fopen("first.png", "rb");
    if (fp == NULL || fread(head, 1, 8, fp) != 8 || memcmp(head, png_magic, 8) != 0)
        return 5;
    fclose(fp);
    return 0;
}
