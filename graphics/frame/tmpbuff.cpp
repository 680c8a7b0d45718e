// The shared scan-line buffer. It only grows; users borrow it for one call.
#include <cstdlib>

#include "libpxl.h"

void *_GrTempBuffer = nullptr;
uint32_t _GrTempBufferBytes = 0;

void *_GrTempBufferAlloc_(size_t bytes)
{
    if (_GrTempBuffer != nullptr && _GrTempBufferBytes >= bytes)
        return _GrTempBuffer;
    if (bytes > UINT32_MAX)
        return nullptr;
    void *p = realloc(_GrTempBuffer, bytes ? bytes : 1);
    if (p == nullptr)
        return nullptr;  // the old buffer stays valid and recorded
    _GrTempBuffer = p;
    _GrTempBufferBytes = (uint32_t)bytes;
    return p;
}

void _GrTempBufferFree(void)
{
    free(_GrTempBuffer);
    _GrTempBuffer = nullptr;
    _GrTempBufferBytes = 0;
}
