// The blocks the library sends, and the simulated volume that checks them.
#include "detect/byte_order.h"
#include "detect/request_blocks.h"
#include "detect_fixture.h"
#include "platform/address32.h"
#include "platform/win32.h"

namespace {

using namespace win32;
using Bytes = std::vector<std::uint8_t>;

class VolumeRequests : public test::DetectFixture {
  protected:
    void SetUp() override {
        AddPlayer('E');
        volume_ =
            CreateFileA("\\\\.\\E:", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(volume_, INVALID_HANDLE_VALUE);
    }
    void TearDown() override { CloseHandle(volume_); }

    // The request's outcome: 0 or the error it failed with.
    DWORD PassThrough(detect::PassThroughBlock block, DWORD inSize = 80, DWORD outSize = 80) {
        DWORD returned = 0;
        if (DeviceIoControl(volume_, IOCTL_SCSI_PASS_THROUGH_DIRECT, block.data(), inSize,
                            block.data(), outSize, &returned, nullptr)) {
            return 0;
        }
        return GetLastError();
    }

    HANDLE volume_ = nullptr;
    std::uint8_t answer_[256] = {};
    platform::Address32 mapping_{answer_, sizeof answer_};
};

TEST_F(VolumeRequests, TheScanSendsTheDocumentedBlocks) {
    WriteDatabase({test::ZarnModel()});
    ASSERT_EQ(Enumerate(), 1);
    const auto opens = machine_.HandleOpens();
    ASSERT_EQ(opens.size(), 4u);  // the fixture's own open, then identify, serial, state
    for (const auto& open : opens) {
        EXPECT_EQ(open.name, "\\\\.\\E:");
        EXPECT_EQ(open.access, GENERIC_READ | GENERIC_WRITE);
        EXPECT_EQ(open.share, FILE_SHARE_READ | FILE_SHARE_WRITE);
        EXPECT_EQ(open.creation, OPEN_EXISTING);
        EXPECT_EQ(open.flags, 0u);
    }
    const auto requests = machine_.DeviceRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].code, 0x2D1400u);
    EXPECT_EQ(requests[0].input, Bytes(12, 0));
    for (std::uint8_t page : {0x80, 0xC0}) {
        const Bytes& block = requests[page == 0x80 ? 1 : 2].input;
        EXPECT_EQ(requests[page == 0x80 ? 1 : 2].code, 0x4D014u);
        ASSERT_EQ(block.size(), 80u);
        Bytes expected(80, 0);
        const std::uint8_t head[] = {44, 0, 0, 0, 0, 0, 6, 14, 1, 0, 0, 0, 0, 1, 0, 0, 2, 0, 0, 0};
        std::copy(std::begin(head), std::end(head), expected.begin());
        const std::uint8_t tail[] = {48, 0, 0, 0, 0x12, 0x01, page, 0x00, 0xFF, 0x00};
        std::copy(std::begin(tail), std::end(tail), expected.begin() + 24);
        std::copy(block.begin() + 20, block.begin() + 24, expected.begin() + 20);  // the token
        EXPECT_EQ(block, expected);
        EXPECT_NE(detect::LoadLe32(&block[20]), 0u);
    }
}

TEST_F(VolumeRequests, AMalformedPassThroughBlockIsRefused) {
    const detect::PassThroughBlock good = detect::BuildVpdPassThroughBlock(0x80, mapping_.Token());
    ASSERT_EQ(PassThrough(good), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(answer_) + 4, 8), "ZJ001234");
    const struct {
        std::size_t offset;
        std::uint8_t value;
    } changes[] = {{0, 40},    {2, 1},   {3, 1},     {4, 1},     {5, 1},     {6, 10},
                   {7, 32},    {8, 0},   {9, 1},     {12, 0xFF}, {14, 1},    {16, 5},
                   {21, 0x7F}, {24, 44}, {28, 0x1A}, {29, 0},    {30, 0x83}, {32, 0x24},
                   {33, 1},    {34, 1},  {44, 1},    {79, 1}};
    for (const auto& change : changes) {
        detect::PassThroughBlock block = good;
        block[change.offset] = change.value;
        EXPECT_EQ(PassThrough(block), ERROR_INVALID_PARAMETER) << "byte " << change.offset;
    }
    EXPECT_EQ(PassThrough(good, 79, 80), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(PassThrough(good, 80, 96), ERROR_INVALID_PARAMETER);
    std::uint8_t small[255];
    platform::Address32 tooSmall(small, sizeof small);
    EXPECT_EQ(PassThrough(detect::BuildVpdPassThroughBlock(0x80, tooSmall.Token())),
              ERROR_INVALID_PARAMETER);
    machine_.FindDrive('E')->vpdC0.reset();
    EXPECT_NE(PassThrough(detect::BuildVpdPassThroughBlock(0xC0, mapping_.Token())), 0u);
}

TEST_F(VolumeRequests, AnEmptyPageAnswerTransfersNothing) {
    machine_.FindDrive('E')->vpd80 = std::vector<std::uint8_t>{};
    ASSERT_EQ(PassThrough(detect::BuildVpdPassThroughBlock(0x80, mapping_.Token())), 0u);
    EXPECT_EQ(answer_[4], 0);
}

TEST_F(VolumeRequests, ThePropertyQueryAnswersWithTheDeviceDescriptor) {
    auto query = detect::BuildDevicePropertyQuery();
    std::uint8_t out[512] = {};
    DWORD returned = 0;
    ASSERT_TRUE(DeviceIoControl(volume_, IOCTL_STORAGE_QUERY_PROPERTY, query.data(), 12, out,
                                sizeof out, &returned, nullptr));
    EXPECT_EQ(returned, 36u + 9 + 17 + 5);
    EXPECT_EQ(detect::LoadLe32(out + 4), returned);  // Size
    EXPECT_EQ(detect::LoadLe32(out + 28), 7u);       // BusType: USB
    EXPECT_STREQ(reinterpret_cast<char*>(out + detect::LoadLe32(out + 12)), "Velmora ");
    EXPECT_STREQ(reinterpret_cast<char*>(out + detect::LoadLe32(out + 16)), "ZJ-20           ");
    EXPECT_STREQ(reinterpret_cast<char*>(out + detect::LoadLe32(out + 20)), "1.00");

    std::uint8_t header[20] = {};
    ASSERT_TRUE(DeviceIoControl(volume_, IOCTL_STORAGE_QUERY_PROPERTY, query.data(), 12, header,
                                sizeof header, &returned, nullptr));
    EXPECT_EQ(returned, 20u);  // bounded by the output

    for (std::size_t at : {0u, 4u, 8u}) {
        auto bad = query;
        bad[at] = 1;
        EXPECT_FALSE(DeviceIoControl(volume_, IOCTL_STORAGE_QUERY_PROPERTY, bad.data(), 12, out,
                                     sizeof out, &returned, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
    EXPECT_FALSE(DeviceIoControl(volume_, IOCTL_STORAGE_QUERY_PROPERTY, query.data(), 11, out,
                                 sizeof out, &returned, nullptr));
    machine_.FindDrive('E')->inquiry.reset();
    EXPECT_FALSE(DeviceIoControl(volume_, IOCTL_STORAGE_QUERY_PROPERTY, query.data(), 12, out,
                                 sizeof out, &returned, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FUNCTION);
}

}  // namespace
