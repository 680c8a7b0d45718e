// A PNG file decoded to 8-bit RGB with libpng's reader, as any viewer
// would see it; for comparing pictures pixel by pixel.
#ifndef TESTS_COMMON_PNGIMAGE_H
#define TESTS_COMMON_PNGIMAGE_H

#include <png.h>

#include <cstring>
#include <string>
#include <vector>

struct PngImage {
    unsigned w = 0, h = 0;
    std::vector<unsigned char> rgb;

    const unsigned char *at(unsigned x, unsigned y) const { return &rgb[(y * w + x) * 3]; }

    bool read(const std::string &path)
    {
        png_image pi;
        memset(&pi, 0, sizeof pi);
        pi.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_file(&pi, path.c_str()))
            return false;
        pi.format = PNG_FORMAT_RGB;
        w = pi.width;
        h = pi.height;
        rgb.resize(PNG_IMAGE_SIZE(pi));
        return png_image_finish_read(&pi, nullptr, rgb.data(), 0, nullptr) != 0;
    }

    // Pixels that differ from other's, outside the rows skip_y0..skip_y1,
    // with the first of them in *fx, *fy; -1 when the sizes differ.
    long differences(const PngImage &other, unsigned *fx = nullptr, unsigned *fy = nullptr,
                     int skip_y0 = -1, int skip_y1 = -2) const
    {
        if (w != other.w || h != other.h)
            return -1;
        long d = 0;
        for (unsigned y = 0; y < h; y++) {
            if (static_cast<int>(y) >= skip_y0 && static_cast<int>(y) <= skip_y1)
                continue;
            for (unsigned x = 0; x < w; x++)
                if (memcmp(at(x, y), other.at(x, y), 3) != 0 && d++ == 0 && fx && fy) {
                    *fx = x;
                    *fy = y;
                }
        }
        return d;
    }
};

#endif
