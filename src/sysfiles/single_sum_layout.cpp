#include "sysfiles/checksum_io.h"
#include "sysfiles/checksum_layouts.h"
#include "sysfiles/checksum_sum.h"

int ExtractSingleSumLayout(platform::File& checksum, platform::File& output) {
    std::uint64_t length = 0;
    try {
        length = checksum.GetLength();
    } catch (const platform::FileException&) {
        return kChecksumRejected;
    }
    if (length == 0 || length > kMaxSingleSumSize) return kChecksumRejected;
    const auto size = static_cast<std::uint32_t>(length);
    std::uint8_t bytes[kMaxSingleSumSize];
    if (checksum_io::ReadUpTo(checksum, bytes, size) != size) return kChecksumRejected;
    if (!SumIsZero(bytes, size)) return kChecksumRejected;
    if (!checksum_io::WriteAll(output, bytes, size - 1)) return kOutputFailed;
    return kExtracted;
}
