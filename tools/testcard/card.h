// The test card: one picture of everything the library draws.
#ifndef TESTCARD_CARD_H
#define TESTCARD_CARD_H

// Sets a memory mode of w x h at bpp bits and draws the card into it.
// Returns 0 when the mode could be set.
int testcard_draw(int w, int h, int bpp);
// Draws the card on the screen of the mode in force, of w x h pixels.
void testcard_paint(int w, int h);

#endif
