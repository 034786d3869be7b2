# 64-bit Windows: the same programs for running the Windows suites under a 64-bit Wine, where
# the machine cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KPZ_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
