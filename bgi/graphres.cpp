// The result code of the last call, and its text.
#include "libbgi.h"

int __gr_graphresult(void)
{
    const int r = __gr_INIT ? __gr_Result : grNoInitGraph;
    __gr_Result = grOk;
    return r;
}

int graphresult(void) { return __gr_graphresult(); }

const char *grapherrormsg(int code)
{
    switch (code) {
    case grOk: return "No error";
    case grNoInitGraph: return "Graphics not initialised (call initgraph)";
    case grNotDetected: return "No graphics hardware found";
    case grFileNotFound: return "Font file not found";
    case grInvalidDriver: return "Invalid device driver";
    case grNoLoadMem: return "Not enough memory to load the driver";
    case grNoScanMem: return "Out of memory in scan fill";
    case grNoFloodMem: return "Out of memory in flood fill";
    case grFontNotFound: return "Stroke font could not be loaded";
    case grNoFontMem: return "No room for another font";
    case grInvalidMode: return "Invalid graphics mode";
    case grError: return "Graphics error: value out of range or not supported";
    case grIOerror: return "Graphics input/output error";
    case grInvalidFont: return "Not a stroke font file";
    case grInvalidFontNum: return "Invalid font number";
    case grInvalidVersion: return "Invalid version number";
    default: return "Unknown graphics error";
    }
}
