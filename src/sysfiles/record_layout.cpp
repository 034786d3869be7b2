#include "sysfiles/checksum_io.h"
#include "sysfiles/checksum_layouts.h"
#include "sysfiles/checksum_sum.h"

using checksum_io::ReadUpTo;
using checksum_io::WriteAll;

namespace {

// The end mark was read: it and up to 32 tail bytes end the content; the tail isn't checked.
int FinishAtEndMark(platform::File& checksum, platform::File& output) {
    const std::uint8_t endMark = 0;
    if (!WriteAll(output, &endMark, 1)) return kOutputFailed;
    std::uint8_t tail[kMaxTailSize];
    const std::uint32_t count = ReadUpTo(checksum, tail, kMaxTailSize);
    WriteAll(output, tail, count);
    return kExtracted;
}

}  // namespace

int ExtractRecordLayout(platform::File& checksum, platform::File& output) {
    std::uint8_t head[kHeadBlockSize];
    if (ReadUpTo(checksum, head, kHeadBlockSize) != kHeadBlockSize) return kChecksumRejected;
    if (!SumIsZero(head, kHeadBlockSize)) return kChecksumRejected;
    if (!WriteAll(output, head, kHeadContentSize)) return kOutputFailed;
    // The count byte and its 2n bytes; a count above 127 would not fit and is refused.
    std::uint8_t record[1 + 2 * kMaxRecordCount];
    for (;;) {
        if (ReadUpTo(checksum, record, 1) != 1) return kChecksumRejected;  // no end mark
        const unsigned count = record[0];
        if (count == 0) return FinishAtEndMark(checksum, output);
        if (count > kMaxRecordCount) return kChecksumRejected;
        const std::uint32_t size = 2 * count;
        if (ReadUpTo(checksum, record + 1, size) != size) return kChecksumRejected;
        if (!SumIsZero(record, size + 1)) return kChecksumRejected;
        // The count byte is content too; the last byte read is the record's sum.
        if (!WriteAll(output, record, size)) return kOutputFailed;
    }
}
