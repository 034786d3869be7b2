# What the Windows build takes from the Linux machine it is made on: nlohmann-json's headers
# (only those: the host's include folder must not reach the cross compiler) and GoogleTest
# built from Debian's sources. Programs carry the manifest that names the Windows versions
# they support.

find_path(KPZ_NLOHMANN_JSON_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
          REQUIRED)
file(COPY ${KPZ_NLOHMANN_JSON_DIR}/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/nlohmann-json)
add_library(kpz_nlohmann_json INTERFACE)
target_include_directories(kpz_nlohmann_json SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/nlohmann-json)
add_library(nlohmann_json::nlohmann_json ALIAS kpz_nlohmann_json)

# The target, for the scripts that pick the Wine to run the programs with.
set(KPZ_WINDOWS_TARGET ${KPZ_MINGW_TRIPLE} CACHE INTERNAL "")

# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/run-under-wine)

set(KPZ_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")

macro(kpz_add_windows_googletest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${KPZ_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endmacro()

enable_language(RC)
set(KPZ_WINDOWS_MANIFEST ${CMAKE_SOURCE_DIR}/src/platform/win32/program.manifest)
set(KPZ_WINDOWS_MANIFEST_RC ${CMAKE_BINARY_DIR}/program_manifest.rc)
file(WRITE ${KPZ_WINDOWS_MANIFEST_RC} "1 24 \"${KPZ_WINDOWS_MANIFEST}\"\n")
set_source_files_properties(${KPZ_WINDOWS_MANIFEST_RC} PROPERTIES
    OBJECT_DEPENDS ${KPZ_WINDOWS_MANIFEST})

# A Windows program of ours: the manifest goes in, so GetVersionExA tells the real version.
function(kpz_windows_program target)
    target_sources(${target} PRIVATE ${KPZ_WINDOWS_MANIFEST_RC})
endfunction()
