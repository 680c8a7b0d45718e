/*
 * liboxant.h - path and string utilities of the zevgraph project.
 *
 * Usable from C and C++. Copyright (C) 2026 the zevgraph developers.
 * LGPL-2.1-or-later; see LICENSE.
 */
#ifndef LIBOXANT_H_INCLUDED
#define LIBOXANT_H_INCLUDED

#include <stddef.h>
/* Pulled in first so that a C library which already has strlcpy and
 * strlcat has declared them before we decide whether to. */
#include <string.h>

/* Results. Fixed numbers, the same on every platform, so callers may
 * compare against them without caring what the host's errno values are. */
#define OXA_OK           0
#define OXA_ENOMEM       12 /* no memory for the working copy */
#define OXA_ENAMETOOLONG 38 /* a part does not fit its buffer */

/* Buffer sizes, terminator included, assumed by the short forms. */
#define OXA_DRIVE_SIZE 3   /* a letter and ':' */
#define OXA_DIR_SIZE   256
#define OXA_FILE_SIZE  256
#define OXA_EXT_SIZE   256
#define OXA_PATH_SIZE  260

/*
 * Newer glibc, the BSDs and macOS ship strlcpy/strlcat themselves. Where
 * they do, leave their declarations alone; a build may also decide by
 * defining OXA_HAVE_SYSTEM_STRLCPY to 0 or 1.
 */
#ifndef OXA_HAVE_SYSTEM_STRLCPY
#  if defined(__GLIBC__) && defined(__USE_MISC) && \
      (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 38))
#    define OXA_HAVE_SYSTEM_STRLCPY 1
#  elif defined(__APPLE__) || defined(__FreeBSD__) || defined(__NetBSD__) || \
        defined(__OpenBSD__) || defined(__DragonFly__)
#    define OXA_HAVE_SYSTEM_STRLCPY 1
#  else
#    define OXA_HAVE_SYSTEM_STRLCPY 0
#  endif
#endif

/* glibc marks its C functions noexcept in C++; our own declaration and
 * definition must agree with it or C++ rejects the redeclaration. */
#if defined(__cplusplus) && defined(__GLIBC__)
#  define OXA_STRL_NOEXCEPT noexcept(true)
#else
#  define OXA_STRL_NOEXCEPT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Identification strings. */
extern const char Version[];      /* one-line banner with build date */
extern const char shortVersion[]; /* "liboxant Ver: 0.52" */
extern const char oxaver[];       /* marker for a text search of the binary */
extern const char Copyright[];    /* two-line ownership notice */
extern const char Bugs[];         /* where to report bugs */

/*
 * Split path into drive ("C:"), directory (with its trailing separator),
 * file name and extension (with its dot). Any output may be null; each has
 * its capacity in bytes. Returns 0, OXA_ENOMEM or OXA_ENAMETOOLONG.
 */
int explode_path_n(const char *path,
                   char *drive, size_t drive_size,
                   char *dir, size_t dir_size,
                   char *file, size_t file_size,
                   char *ext, size_t ext_size);

/* explode_path_n with the OXA_*_SIZE capacities. */
int explode_path(const char *path, char *drive, char *dir, char *file,
                 char *ext);

/*
 * Join the parts into out (capacity out_size), adding the ':', '/' and
 * '.' that are missing. Null or empty parts are left out. Returns 0, or
 * OXA_ENAMETOOLONG with as much as fits in out.
 */
int combine_path_n(char *out, size_t out_size, const char *drive,
                   const char *dir, const char *file, const char *ext);

/* combine_path_n with a capacity of OXA_PATH_SIZE. */
int combine_path(char *out, const char *drive, const char *dir,
                 const char *file, const char *ext);

#if !OXA_HAVE_SYSTEM_STRLCPY
/* Bounded copy: always terminates when size > 0; returns strlen(src). */
size_t strlcpy(char *dst, const char *src, size_t size) OXA_STRL_NOEXCEPT;
/* Bounded append: returns the length it tried to create. */
size_t strlcat(char *dst, const char *src, size_t size) OXA_STRL_NOEXCEPT;
#endif

#ifdef __cplusplus
}
#endif

#endif /* LIBOXANT_H_INCLUDED */
