// Line styles: four fixed dash tables and one made from 16 user bits.
#include "libbgi.h"

namespace {

// run lengths, drawn first: a leading 0 starts with a gap
const unsigned char dotted[] = {0, 2, 2, 0};
const unsigned char centre[] = {0, 3, 4, 3, 6, 0};
const unsigned char dashed[] = {0, 3, 5, 3, 5, 0};

unsigned short usr_pat = 0;
unsigned char user[18];

// The runs of the 16 bits of p from bit 0 up: even entries count 1-bits
// (drawn), odd ones 0-bits; the pattern length.
int user_runs(unsigned p)
{
    int k = 0;
    user[0] = 0;
    int bit = 1;  // the kind that entry k counts
    for (int i = 0; i < 16; i++) {
        const int b = (p >> i) & 1;
        if (b != bit) {
            user[++k] = 0;
            bit = b;
        }
        user[k]++;
    }
    if (k == 1)
        return user[0] == 0 ? 1 : 2;
    if (k % 2 == 1)
        return k + 1;
    user[k + 1] = 0;
    return k + 2;
}

}  // namespace

void setlinestyle(int style, unsigned pattern, int thickness)
{
    if (!_GrBgiReady())
        return;
    if (static_cast<unsigned>(style) > USERBIT_LINE) {
        __gr_Result = grError;
        return;
    }
    static const struct {
        int length;
        const unsigned char *runs;
    } fixed[USERBIT_LINE] = {{0, nullptr}, {sizeof dotted, dotted}, {sizeof centre, centre},
                             {sizeof dashed, dashed}};
    if (style < USERBIT_LINE) {
        __gr_Line.pattern_length = fixed[style].length;
        __gr_Line.pattern = fixed[style].runs;
    } else {
        usr_pat = static_cast<unsigned short>(pattern);
        // all bits set: solid, though through the custom line
        __gr_Line.pattern_length = usr_pat == 0xFFFF ? 0 : user_runs(usr_pat);
        __gr_Line.pattern = usr_pat == 0xFFFF ? nullptr : user;
    }
    __gr_lstyle = style;
    __gr_Line.width = thickness;
}

void getlinesettings(struct linesettingstype *ls)
{
    if (!_GrBgiReady() || ls == nullptr)
        return;
    ls->linestyle = __gr_lstyle;
    ls->upattern = usr_pat;
    ls->thickness = __gr_Line.width;
}

void setwritemode(int mode)
{
    if (!_GrBgiReady())
        return;
    if (static_cast<unsigned>(mode) > AND_PUT) {
        __gr_Result = grError;
        return;
    }
    __gr_WR = mode << 24;
}
