// winprog: a program on the x11 driver that the window tests drive. It
// reads one command a line from standard input and answers each with one
// line on standard output:
//   card W H BPP PNG  the test card in a W x H mode of BPP bits, saved as PNG
//   fill R G B        the whole screen in one colour
//   text              text mode
//   keys N            starts input, says "listening", then reads N keys
//                     with GrKeyRead and answers their codes
//   events N          the same for N key, button and wheel events, each
//                     as "flags,x,y,buttons,key"
//   quit              ends with status 0 (so does the end of the input)
// Everything drawn is on the window before the answer is written.
#include <cstdio>
#include <cstring>
#include <string>

#include "card.h"
#include "pxl.h"
#include "window/winplat.h"

namespace {

void reply(const std::string &s)
{
    printf("%s\n", s.c_str());
    fflush(stdout);
}

void listening()
{
    GrKeyPressed();  // starts input: keys sent before this are lost
    reply("listening");
}

}  // namespace

int main()
{
    char line[256];
    while (fgets(line, sizeof line, stdin) != nullptr) {
        char png[200] = "";
        int a = 0, b = 0, c = 0;
        if (sscanf(line, "card %d %d %d %199s", &a, &b, &c, png) == 4) {
            if (testcard_draw_on("x11", a, b, c) != 0) {
                reply("no card");
                continue;
            }
            if (GrSaveContextToPng(nullptr, png) != 0) {
                reply("not saved");
                continue;
            }
            _GrWinSync();
            reply("ok");
        } else if (sscanf(line, "fill %d %d %d", &a, &b, &c) == 3) {
            GrClearScreen(GrAllocColor(a, b, c));
            _GrWinSync();
            reply("ok");
        } else if (strncmp(line, "text", 4) == 0) {
            GrSetMode(GR_mode_text_default);
            reply("ok");
        } else if (sscanf(line, "keys %d", &a) == 1) {
            listening();
            std::string codes = "keys";
            for (int i = 0; i < a; i++)
                codes += " " + std::to_string(GrKeyRead());
            reply(codes);
        } else if (sscanf(line, "events %d", &a) == 1) {
            listening();
            const int want = GR_EV_KEYPRESS | GR_EV_LEFT_DOWN | GR_EV_LEFT_UP | GR_EV_RIGHT_DOWN |
                             GR_EV_RIGHT_UP | GR_EV_MIDDLE_DOWN | GR_EV_MIDDLE_UP |
                             GR_EV_BUTTON4_DOWN | GR_EV_BUTTON4_UP | GR_EV_BUTTON5_DOWN |
                             GR_EV_BUTTON5_UP;
            std::string events = "events";
            for (int i = 0; i < a;) {
                GrInputEvent ev;
                GrMouseGetEventT(want | GR_EV_NOPAINT, &ev, 1000);
                if (!(ev.flags & want))
                    continue;
                events += " " + std::to_string(ev.flags) + "," + std::to_string(ev.x) + "," +
                          std::to_string(ev.y) + "," + std::to_string(ev.buttons) + "," +
                          std::to_string(ev.key);
                i++;
            }
            reply(events);
        } else if (strncmp(line, "quit", 4) == 0) {
            return 0;
        } else {
            reply("unknown");
        }
    }
    return 0;
}
