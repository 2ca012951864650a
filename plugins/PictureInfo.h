/* The interface of the image-information plug-ins ifgif.spi, ifjpeg.spi and ifpng.spi.
   Each exports one C function, GetPictureInfo, that reads the header of a picture and
   reports its size. The plug-ins read headers only, never decode pixels, and never trust
   a length or count read from the data. */
#ifndef VURO_PICTURE_INFO_H
#define VURO_PICTURE_INFO_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Filled by GetPictureInfo; 28 bytes, every field a signed 32-bit little-endian integer
   at offsets 0, 4, 8, 12, 16, 20 and 24. */
typedef struct VuroPictureInfo {
    int32_t left; /* where the picture stands on its canvas; 0 for whole pictures */
    int32_t top;
    int32_t width; /* in pixels, 1 or more on success */
    int32_t height;
    int32_t bitsPerPixel; /* bits of one pixel as stored (palette index, samples) */
    int32_t reserved[2];  /* 0 */
} VuroPictureInfo;

/* flags: where source points. */
enum {
    /* source is a NUL-terminated file path in the file system's encoding; position is the
       byte offset in the file where the picture begins. */
    kPictureFromFile = 0,
    /* source points to the picture's bytes in memory; position is their count. */
    kPictureFromMemory = 1
};

/* Results. */
enum {
    kPictureOk = 0,
    kPictureNotThisFormat = 2, /* no signature of the plug-in's format */
    kPictureBroken = 3,        /* signature found, but the header is truncated or invalid */
    kPictureReadError = 4,     /* the file cannot be opened or read, or is not a plain file */
    kPictureBadArgument = 5    /* null pointer, negative position, unknown flags */
};

/* Reads the picture's size into *info. Returns kPictureOk on success; on any failure
 *info is all zero. Never blocks on a special file (pipe, device). */
typedef int32_t (*VuroGetPictureInfoEntry)(const char* source, int64_t position, uint32_t flags,
                                           VuroPictureInfo* info);

#ifdef __cplusplus
}
static_assert(sizeof(VuroPictureInfo) == 28, "the record is 28 bytes");
#else
_Static_assert(sizeof(VuroPictureInfo) == 28, "the record is 28 bytes");
#endif

#endif
