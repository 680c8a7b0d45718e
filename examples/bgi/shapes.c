/* shapes.c - lines, bars in every fill pattern, round shapes and fills.
 * Build: cc shapes.c $(pkg-config --cflags --libs pxl) -o shapes */
#include <graphics.h>
#include <stdio.h>

int main(void)
{
    int gd = DETECT, gm, i, x, y;
    int star[] = {480, 260, 499, 314, 556, 315, 510, 350, 527, 405,
                  480, 372, 433, 405, 450, 350, 404, 315, 461, 314};
    char label[8];

    initgraph(&gd, &gm, "");
    if (graphresult() != grOk)
        return 1;

    setcolor(YELLOW);
    settextjustify(CENTER_TEXT, TOP_TEXT);
    outtextxy(getmaxx() / 2, 4, "Shapes and fills");
    rectangle(0, 0, getmaxx(), getmaxy());

    /* the twelve fill patterns, numbered */
    settextjustify(CENTER_TEXT, TOP_TEXT);
    for (i = 0; i < 12; i++) {
        x = 20 + (i % 6) * 100;
        y = 24 + (i / 6) * 90;
        setfillstyle(i, i + 1 < 16 ? i + 1 : WHITE);
        setcolor(WHITE);
        bar3d(x, y, x + 70, y + 60, 8, 1);
        sprintf(label, "%d", i);
        outtextxy(x + 35, y + 64, label);
    }

    /* line styles */
    for (i = 0; i < 4; i++) {
        setlinestyle(i, 0, i == 0 ? THICK_WIDTH : NORM_WIDTH);
        line(20, 220 + 8 * i, 300, 220 + 8 * i);
    }
    setlinestyle(USERBIT_LINE, 0xF0F0, NORM_WIDTH);
    line(20, 252, 300, 252);
    setlinestyle(SOLID_LINE, 0, NORM_WIDTH);

    /* round shapes */
    setcolor(LIGHTCYAN);
    circle(80, 330, 50);
    ellipse(200, 330, 0, 360, 60, 30);
    arc(200, 330, 0, 180, 40);
    setfillstyle(SOLID_FILL, LIGHTRED);
    pieslice(320, 330, 30, 300, 50);
    setfillstyle(HATCH_FILL, GREEN);
    sector(320, 420, 0, 180, 60, 40);
    setfillstyle(INTERLEAVE_FILL, MAGENTA);
    fillellipse(130, 430, 60, 25);

    /* a star filled as a polygon, and an area flood-filled */
    setcolor(WHITE);
    setfillstyle(SOLID_FILL, BLUE);
    fillpoly(10, star);
    setcolor(YELLOW);
    circle(580, 420, 40);
    line(540, 420, 620, 420);
    setfillstyle(CLOSE_DOT_FILL, LIGHTGREEN);
    floodfill(580, 400, YELLOW);

    getch();
    closegraph();
    return 0;
}
