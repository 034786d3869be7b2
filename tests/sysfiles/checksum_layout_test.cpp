#include "sysfiles/checksum_layouts.h"

#include "sysfiles/checksum_sum.h"
#include "sysfiles_fixture.h"

namespace {

using platform::File;
using sftool::Bytes;

class ChecksumLayouts : public test::SysFilesFixture {
  protected:
    // Extracts the checksum file `file` and returns the result; the output is in `out`.
    int Extract(const Bytes& file, bool singleSum, Bytes& out, bool outputWritable = true) {
        Put("C:\\in.crc", file);
        Put("C:\\out.bin", {});
        File in, output;
        EXPECT_TRUE(in.Open("C:\\in.crc", File::modeRead | File::shareDenyWrite));
        const unsigned mode = outputWritable ? File::modeCreate | File::modeWrite : File::modeRead;
        EXPECT_TRUE(output.Open("C:\\out.bin", mode));
        const int result =
            singleSum ? ExtractSingleSumLayout(in, output) : ExtractRecordLayout(in, output);
        output.Close();
        out = Get("C:\\out.bin");
        return result;
    }

    static Bytes Content(std::size_t tail, std::uint32_t seed = 3) {
        return sftool::MakeRecordContent(Bytes(64, 0x41), 500, tail, seed);
    }
};

TEST(ChecksumSum, ZeroModulo256) {
    const std::uint8_t bytes[] = {0x80, 0x80, 0xFF, 0x01};
    EXPECT_TRUE(SumIsZero(bytes, 4));
    EXPECT_FALSE(SumIsZero(bytes, 3));
    EXPECT_TRUE(SumIsZero(nullptr, 0));
}

TEST_F(ChecksumLayouts, RecordLayoutRoundTripsItsContent) {
    for (std::size_t tail : {0u, 1u, 32u}) {
        const Bytes content = Content(tail);
        Bytes out;
        EXPECT_EQ(Extract(RecordChecksum(content), false, out), kExtracted) << tail;
        EXPECT_EQ(out, content) << tail;
    }
}

TEST_F(ChecksumLayouts, RecordLayoutKeepsThirtyTwoTailBytes) {
    const Bytes content = Content(40);
    sftool::RecordLayoutOptions longTail;
    longTail.allowLongTail = true;
    Bytes out;
    ASSERT_EQ(Extract(RecordChecksum(content, longTail), false, out), kExtracted);
    EXPECT_EQ(out, Bytes(content.begin(), content.end() - 8));
}

TEST_F(ChecksumLayouts, RecordLayoutRejections) {
    const Bytes content = Content(5);
    const Bytes sound = RecordChecksum(content);
    sftool::RecordLayoutOptions badHead, badRecord, noEndMark, anyCount;
    badHead.breakHeadSum = true;
    badRecord.breakRecordSum = 2;
    noEndMark.omitEndMark = true;
    anyCount.allowAnyCount = true;
    Bytes bigCount = content;
    const std::size_t end = content.size() - 6;  // the end mark
    bigCount.insert(bigCount.begin() + static_cast<std::ptrdiff_t>(end), 256, 0x11);
    bigCount[end] = 128;  // a record of count 128 right before the end mark
    struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"head block sum", RecordChecksum(content, badHead)},
        {"record sum", RecordChecksum(content, badRecord)},
        {"no end mark", RecordChecksum(content, noEndMark)},
        {"count above 127", RecordChecksum(bigCount, anyCount)},
        {"record cut short", Bytes(sound.begin(), sound.begin() + 100)},
        {"head block cut short", Bytes(sound.begin(), sound.begin() + 64)},
        {"empty", {}},
    };
    for (const auto& c : cases) {
        Bytes out;
        EXPECT_EQ(Extract(c.file, false, out), kChecksumRejected) << c.what;
    }
}

TEST_F(ChecksumLayouts, SingleSumLayoutBounds) {
    const Bytes sized1024(1024, 0x5A), sized1025(1025, 0x5A);
    sftool::SingleSumOptions oversize, badSum;
    oversize.allowOversize = true;
    badSum.breakSum = true;
    Bytes out;
    EXPECT_EQ(Extract(SingleSumChecksum(sized1024), true, out), kExtracted);  // 1025 bytes
    EXPECT_EQ(out, sized1024);
    EXPECT_EQ(Extract(SingleSumChecksum(sized1025, oversize), true, out), kChecksumRejected);
    EXPECT_EQ(Extract(SingleSumChecksum(sized1024, badSum), true, out), kChecksumRejected);
    EXPECT_EQ(Extract({}, true, out), kChecksumRejected);
    EXPECT_EQ(Extract({0}, true, out), kExtracted);  // the sum alone: empty content
    EXPECT_TRUE(out.empty());
}

TEST_F(ChecksumLayouts, AnOutputThatTakesNothingIsNotTheChecksumFilesFault) {
    Bytes out;
    EXPECT_EQ(Extract(RecordChecksum(Content(0)), false, out, false), kOutputFailed);
    EXPECT_EQ(Extract(SingleSumChecksum(Bytes(10, 1)), true, out, false), kOutputFailed);
}

}  // namespace
