#include "platform/file.h"

#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using platform::File;
using platform::FileException;

class FileObject : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        test::WriteHostFile(Host("E:\\System\\image.mi4"), "0123456789");
    }
};

TEST_F(FileObject, ReadsSeeksAndReportsLengthAndTime) {
    test::SetHostWriteTime(Host("E:\\System\\image.mi4"), 1700000000);
    File file;
    ASSERT_TRUE(file.Open("E:\\system\\IMAGE.MI4", File::modeRead | File::shareDenyWrite));
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.GetStatus().mtimeSeconds, 1700000000);
    EXPECT_EQ(file.Seek(4, File::begin), 4u);
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 6u);  // a short read is a count, not an error
    EXPECT_STREQ(buffer, "456789");
    EXPECT_EQ(file.Read(buffer, 4), 0u);
}

TEST_F(FileObject, CreateEmptiesAndWrites) {
    File file;
    ASSERT_TRUE(file.Open("E:\\System\\image.mi4", File::modeCreate | File::modeWrite));
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(file.Write("abc", 3), 3u);
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\image.mi4")), "abc");

    ASSERT_TRUE(file.Open("E:\\System\\new.bin", File::modeCreate | File::modeWrite));
    file.Close();
    EXPECT_TRUE(test::HostExists(Host("E:\\System\\new.bin")));
}

TEST_F(FileObject, OpenFailsWithTheWindowsReason) {
    struct Case {
        const char* path;
        unsigned flags;
        win32::DWORD error;
    } const cases[] = {
        {"E:\\System\\none.bin", File::modeRead, win32::ERROR_FILE_NOT_FOUND},
        {"E:\\Nowhere\\none.bin", File::modeCreate | File::modeWrite, win32::ERROR_PATH_NOT_FOUND},
        {"E:\\System", File::modeRead, win32::ERROR_ACCESS_DENIED},
        {"E:\\System\\ro.bin", File::modeWrite, win32::ERROR_ACCESS_DENIED},
        {"E:\\System\\ro.bin", File::modeCreate | File::modeWrite, win32::ERROR_ACCESS_DENIED},
        {"E:\\System\\hidden.bin", File::modeCreate | File::modeWrite, win32::ERROR_ACCESS_DENIED},
        {"Q:\\none.bin", File::modeRead, win32::ERROR_PATH_NOT_FOUND},
    };
    test::WriteHostFile(Host("E:\\System\\ro.bin"), "ro");
    test::WriteHostFile(Host("E:\\System\\hidden.bin"), "hidden");
    win32::SetFileAttributesA("E:\\System\\ro.bin", win32::FILE_ATTRIBUTE_READONLY);
    win32::SetFileAttributesA("E:\\System\\hidden.bin", win32::FILE_ATTRIBUTE_HIDDEN);
    for (const auto& c : cases) {
        File file;
        EXPECT_FALSE(file.Open(c.path, c.flags)) << c.path;
        EXPECT_EQ(win32::GetLastError(), c.error) << c.path;
    }
    File file;
    EXPECT_TRUE(file.Open("E:\\System\\ro.bin", File::modeRead));
    EXPECT_TRUE(file.Open("E:\\System\\hidden.bin", File::modeWrite));  // no create: allowed
}

TEST_F(FileObject, CallsOnAClosedFileThrow) {
    File file;
    char buffer[4];
    EXPECT_THROW(file.Read(buffer, 4), FileException);
    EXPECT_THROW(file.GetLength(), FileException);
    EXPECT_THROW(file.Seek(0, File::begin), FileException);
}

TEST_F(FileObject, AFileOnAnUnpluggedDriveThrows) {
    File file;
    ASSERT_TRUE(file.Open("E:\\System\\image.mi4", File::modeRead));
    machine_.Unplug('E');
    char buffer[4];
    try {
        file.Read(buffer, 4);
        FAIL() << "no exception";
    } catch (const FileException& e) {
        EXPECT_EQ(e.Error(), win32::ERROR_DEVICE_NOT_CONNECTED);
    }
    EXPECT_THROW(file.GetStatus(), FileException);
}

}  // namespace
