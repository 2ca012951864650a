#pragma once

// The help library's two entry points. The editor looks them up by name at run time, so
// they keep C linkage and are the only symbols the library exports.

#include <stdint.h>

#if defined(__GNUC__)
#define VURO_HELP_EXPORT __attribute__((visibility("default")))
#else
#define VURO_HELP_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

// 1: the help location names a compiled help file; 0: a folder of HTML pages. This
// edition serves the folder "help" beside the program and returns 0.
VURO_HELP_EXPORT int32_t IsSupportCmh(void);

// Shows a page of the help in the desktop's web browser: command 0 the topic (a page
// inside the location, possibly followed by "#anchor"), 1 the contents, 2 the keyword
// index. Non-zero when the browser was started, 0 when nothing could be shown.
VURO_HELP_EXPORT int32_t ShowHelp(const char* location, const char* topic, int32_t command);

#ifdef __cplusplus
}
#endif
