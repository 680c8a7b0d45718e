/* fonts.c - the default font and the ten stroke fonts, their sizes,
 * directions and justification.
 * Build: cc fonts.c $(pkg-config --cflags --libs pxl) -o fonts */
#include <graphics.h>

static const char *names[] = {
    "Default", "Triplex", "Small", "Sans serif", "Gothic", "Script",
    "Simplex", "Triplex script", "Complex", "European", "Bold"
};

int main(void)
{
    int gd = DETECT, gm, font, h, v, x, y;
    static const char *just[3][3] = {
        {"LB", "LC", "LT"}, {"CB", "CC", "CT"}, {"RB", "RC", "RT"}
    };

    initgraph(&gd, &gm, "");
    if (graphresult() != grOk)
        return 1;

    /* every font by name, one line each */
    y = 8;
    for (font = DEFAULT_FONT; font <= BOLD_FONT; font++) {
        settextstyle(font, HORIZ_DIR, font == DEFAULT_FONT ? 2 : font == SMALL_FONT ? 8 : 4);
        setcolor(font + 4 < 16 ? font + 4 : WHITE);
        outtextxy(10, y, names[font]);
        y += textheight("Ag") + 4;
    }

    /* justification around marked points */
    settextstyle(SANS_SERIF_FONT, HORIZ_DIR, 2);
    for (h = LEFT_TEXT; h <= RIGHT_TEXT; h++)
        for (v = BOTTOM_TEXT; v <= TOP_TEXT; v++) {
            x = 340 + h * 110;
            y = 40 + (2 - v) * 70;
            setcolor(LIGHTRED);
            line(x - 4, y, x + 4, y);
            line(x, y - 4, x, y + 4);
            setcolor(WHITE);
            settextjustify(h, v);
            outtextxy(x, y, just[h][v]);
        }

    /* upward text, and text that moves the current position */
    settextjustify(LEFT_TEXT, TOP_TEXT);
    settextstyle(TRIPLEX_FONT, VERT_DIR, 3);
    setcolor(YELLOW);
    outtextxy(600, 260, "Upward");
    settextstyle(GOTHIC_FONT, HORIZ_DIR, 3);
    moveto(20, 420);
    setcolor(LIGHTGREEN);
    outtext("One ");
    setcolor(LIGHTCYAN);
    outtext("after ");
    setcolor(LIGHTMAGENTA);
    outtext("another");

    getch();
    closegraph();
    return 0;
}
