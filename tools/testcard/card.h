// The test card: one picture of everything the library draws.
#ifndef TESTCARD_CARD_H
#define TESTCARD_CARD_H

// Sets a memory mode of w x h at bpp bits (1 to 24) through the BGI layer
// and draws the card into it: the library's drawing above, the BGI stroke
// fonts in the bottom 72 rows (when h is over 144). Returns 0 when the
// mode could be set.
int testcard_draw(int w, int h, int bpp);
// The same on the video driver of that name (from GrSetDriver).
int testcard_draw_on(const char *driver, int w, int h, int bpp);

#endif
