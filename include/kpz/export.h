#pragma once

// Marks the library's exported functions; everything else is built hidden. On Windows the
// library's definition file names them, and programs reach them through the import library.
#ifdef _WIN32
#define KPZ_EXPORT
#else
#define KPZ_EXPORT __attribute__((visibility("default")))
#endif
