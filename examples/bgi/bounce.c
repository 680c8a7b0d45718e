/* bounce.c - a ball bouncing in a box, drawn on the hidden page while the
 * other one is shown, in a window of today's teaching style.
 * Build: cc bounce.c $(pkg-config --cflags --libs pxl) -o bounce */
#include <graphics.h>
#include <stdio.h>

#define FRAMES 120

int main(void)
{
    int frame, page = 0, x = 60, y = 50, dx = 7, dy = 5, r = 20;
    char text[40];

    initwindow(400, 300, "bounce", 0, 0, 1);
    for (frame = 0; frame < FRAMES; frame++) {
        setactivepage(page);
        setbkcolor(BLUE);
        cleardevice();
        setcolor(WHITE);
        rectangle(10, 10, 389, 289);
        setcolor(YELLOW);
        setfillstyle(SOLID_FILL, LIGHTRED);
        fillellipse(x, y, r, r);
        sprintf(text, "frame %d of %d", frame + 1, FRAMES);
        outtextxy(20, 270, text);
        setvisualpage(page);
        page = 1 - page;

        x += dx;
        y += dy;
        if (x - r <= 10 || x + r >= 389)
            dx = -dx;
        if (y - r <= 10 || y + r >= 289)
            dy = -dy;
        delay(20);
    }
    getch();
    closegraph();
    return 0;
}
