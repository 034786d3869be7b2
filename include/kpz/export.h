#pragma once

// Marks the library's exported functions; everything else is built hidden.
#define KPZ_EXPORT __attribute__((visibility("default")))
