// Carrying a system file back to the computer from the checksum file beside the device's copy.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The path with the extension of its file name (from the name's last '.') replaced by
// `replacement`; none when the name has no '.', its extension is shorter than `minLength`
// characters with the dot, or the result would be too long.
std::optional<std::string> ReplaceExtension(std::string_view path, std::string_view replacement,
                                            std::size_t minLength = 0);

// Rebuilds `sourceFile` from the checksum file of `targetFile` (same path, ".crc"), in the
// single-sum layout when `fileName` contains "config", else in the record layout. On success
// the rebuilt file is at the source path, `result` is 0 and the newer flag 0; otherwise both
// stay as they were. A checksum file that fails its checks is deleted from the device.
void RecoverFromChecksumFile(const char* sourceFile, const char* targetFile, const char* fileName,
                             int* result, std::int32_t* newerFlag);
