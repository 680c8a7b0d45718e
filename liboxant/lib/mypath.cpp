/*
 * mypath.cpp - split a path into drive, directory, name and extension,
 * and join such parts again.
 *
 * Copyright (C) 2026 the zevgraph developers. LGPL-2.1-or-later.
 */
#include "liboxant.h"

#include <stdlib.h>
#include <string.h>

namespace {

bool is_dir_sep(char c) { return c == '/' || c == '\\'; }
bool is_sep(char c) { return is_dir_sep(c) || c == ':'; }

/* Clear an output that exists and can hold at least the terminator. */
void clear_part(char *buf, size_t size)
{
    if (buf && size > 0)
        buf[0] = '\0';
}

/* Copy one produced part to its output; a missing output takes anything. */
int put_part(char *buf, size_t size, const char *src)
{
    if (!buf)
        return OXA_OK;
    if (size == 0)  /* not even room for the terminator */
        return src[0] ? OXA_ENAMETOOLONG : OXA_OK;
    return strlcpy(buf, src, size) >= size ? OXA_ENAMETOOLONG : OXA_OK;
}

/* Appends bytes to a fixed buffer, remembering whether anything was lost. */
struct Joiner {
    char *out;
    size_t size;
    size_t len;

    /* False once a byte would take the terminator's place. */
    bool put(char c)
    {
        if (len + 1 >= size)
            return false;
        out[len++] = c;
        return true;
    }
    bool put(const char *s)
    {
        for (; *s; ++s)
            if (!put(*s))
                return false;
        return true;
    }
};

} // namespace

int explode_path_n(const char *path,
                   char *drive, size_t drive_size,
                   char *dir, size_t dir_size,
                   char *file, size_t file_size,
                   char *ext, size_t ext_size)
{
    clear_part(drive, drive_size);
    clear_part(dir, dir_size);
    clear_part(file, file_size);
    clear_part(ext, ext_size);
    if (!path)
        return OXA_OK;

    /* The parts are cut out of a private copy by writing terminators. */
    size_t len = strlen(path);
    char *copy = static_cast<char *>(malloc(len + 1));
    if (!copy)
        return OXA_ENOMEM;
    memcpy(copy, path, len + 1);

    int rc = OXA_OK;
    size_t name_end = len;
    size_t name_start = 0;
    size_t dir_start = 0;

    /* Extension: the last '.' not followed by a separator. A leading '.' of
     * a bare name counts too, so ".profile" is all extension. */
    for (size_t i = len; i > 0;) {
        --i;
        if (copy[i] == '.') {
            rc = put_part(ext, ext_size, copy + i);
            copy[i] = '\0';
            name_end = i;
            break;
        }
        if (i > 0 && is_sep(copy[i]))
            break;
    }
    if (rc != OXA_OK)
        goto done;

    /* File name: everything after the last separator before the cut. */
    for (size_t i = name_end; i > 0; --i) {
        if (is_sep(copy[i - 1])) {
            name_start = i;
            break;
        }
    }
    rc = put_part(file, file_size, copy + name_start);
    if (rc != OXA_OK || name_start == 0)
        goto done;

    /* Directory: keeps its trailing separator, ends at the last ':'. */
    copy[name_start] = '\0';
    for (size_t i = name_start; i > 0; --i) {
        if (copy[i - 1] == ':') {
            dir_start = i;
            break;
        }
    }
    rc = put_part(dir, dir_size, copy + dir_start);
    if (rc != OXA_OK || dir_start == 0)
        goto done;

    /* Drive: whatever precedes the directory, colon included. */
    copy[dir_start] = '\0';
    rc = put_part(drive, drive_size, copy);

done:
    free(copy);
    return rc;
}

int explode_path(const char *path, char *drive, char *dir, char *file,
                 char *ext)
{
    return explode_path_n(path, drive, OXA_DRIVE_SIZE, dir, OXA_DIR_SIZE,
                          file, OXA_FILE_SIZE, ext, OXA_EXT_SIZE);
}

int combine_path_n(char *out, size_t out_size, const char *drive,
                   const char *dir, const char *file, const char *ext)
{
    if (!out)
        return OXA_OK;
    if (out_size == 0)
        return OXA_ENAMETOOLONG;

    Joiner j{out, out_size, 0};
    bool ok = true;
    if (drive && *drive) {
        ok = j.put(drive) && (j.out[j.len - 1] == ':' || j.put(':'));
    }
    if (ok && dir && *dir) {
        ok = j.put(dir) && (is_dir_sep(j.out[j.len - 1]) || j.put('/'));
    }
    if (ok && file && *file)
        ok = j.put(file);
    if (ok && ext && *ext)
        ok = (ext[0] == '.' || j.put('.')) && j.put(ext);

    if (!ok) {
        out[out_size - 1] = '\0';
        return OXA_ENAMETOOLONG;
    }
    out[j.len] = '\0';
    return OXA_OK;
}

int combine_path(char *out, const char *drive, const char *dir,
                 const char *file, const char *ext)
{
    return combine_path_n(out, OXA_PATH_SIZE, drive, dir, file, ext);
}
