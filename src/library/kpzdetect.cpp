// libkpzdetect.so holds the detection, engine and system-file libraries whole; its version
// script keeps the exports to the library's functions.
#include "kpz/detection.h"
