#include <sys/stat.h>
#include <sys/xattr.h>

#include <cerrno>
#include <string>

#include "platform/posix/dos_attributes.h"
#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

std::string DosAttrib(const std::string& hostPath) {
    char buffer[64];
    const ssize_t n = ::getxattr(hostPath.c_str(), "user.DOSATTRIB", buffer, sizeof buffer);
    return n < 0 ? std::string(errno == ENODATA ? "(none)" : "(error)") : std::string(buffer, n);
}

mode_t Mode(const std::string& hostPath) {
    struct stat st;
    ::stat(hostPath.c_str(), &st);
    return st.st_mode;
}

class Attributes : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        test::WriteHostFile(Host("E:\\System\\kvq.exe"), "program");
    }
};

TEST_F(Attributes, HiddenAndSystemRoundTripThroughDosAttribText) {
    const char* path = "E:\\System\\kvq.exe";
    const std::string host = Host(path);
    EXPECT_EQ(GetFileAttributesA(path), FILE_ATTRIBUTE_ARCHIVE);

    ASSERT_TRUE(SetFileAttributesA(path, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(DosAttrib(host), "0x2");
    EXPECT_EQ(GetFileAttributesA(path), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);

    ASSERT_TRUE(SetFileAttributesA(path, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(DosAttrib(host), "0x6");

    ASSERT_TRUE(SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(DosAttrib(host), "(none)");
    EXPECT_EQ(GetFileAttributesA(path), FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(Attributes, ReadOnlyIsTheAbsenceOfEveryWriteBit) {
    const char* path = "E:\\System\\kvq.exe";
    const std::string host = Host(path);
    ASSERT_TRUE(SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Mode(host) & 0222, 0u);
    EXPECT_EQ(GetFileAttributesA(path),
              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    ::chmod(host.c_str(), 0640);  // another tool gives a write bit back: no longer read-only
    EXPECT_EQ(GetFileAttributesA(path) & FILE_ATTRIBUTE_READONLY, 0u);

    ASSERT_TRUE(SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesA(path, 0));
    EXPECT_NE(Mode(host) & S_IWUSR, 0u);
}

// Every change whole, also where the file can't be written at the time (the kernel lets only
// root change the extended attribute of such a file; this suite runs as a plain user too).
TEST_F(Attributes, EveryChangeBetweenReadOnlyAndHiddenIsWhole) {
    const DWORD ro = FILE_ATTRIBUTE_READONLY, hidden = FILE_ATTRIBUTE_HIDDEN;
    const DWORD system = FILE_ATTRIBUTE_SYSTEM;
    struct Case {
        DWORD from, to;
    } const cases[] = {
        {0, ro | hidden},
        {ro | hidden, 0},
        {ro, ro | hidden},
        {ro | hidden, ro},
        {hidden, ro},
        {ro, hidden},
        {ro | system, ro},
        {ro, ro | system | hidden},
        {ro | hidden, ro | hidden},
    };
    const char* path = "E:\\System\\kvq.exe";
    for (const auto& c : cases) {
        ASSERT_TRUE(SetFileAttributesA(path, 0));
        ASSERT_TRUE(SetFileAttributesA(path, c.from)) << c.from;
        ASSERT_EQ(GetFileAttributesA(path), FILE_ATTRIBUTE_ARCHIVE | c.from);
        EXPECT_TRUE(SetFileAttributesA(path, c.to)) << c.from << " to " << c.to;
        EXPECT_EQ(GetFileAttributesA(path), FILE_ATTRIBUTE_ARCHIVE | c.to)
            << c.from << " to " << c.to;
        EXPECT_EQ((Mode(Host(path)) & 0222) == 0, (c.to & ro) != 0);
    }
}

TEST_F(Attributes, AReadOnlyHiddenFileCopiesWithItsAttributes) {
    ASSERT_TRUE(
        SetFileAttributesA("E:\\System\\kvq.exe", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(CopyFileA("E:\\System\\kvq.exe", "E:\\System\\copy.exe", TRUE));
    EXPECT_EQ(test::ReadHostFile(Host("E:\\System\\copy.exe")), "program");
    EXPECT_EQ(GetFileAttributesA("E:\\System\\copy.exe"),
              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(Attributes, FoldersReportTheDirectoryBitAndCanBeHidden) {
    EXPECT_EQ(GetFileAttributesA("E:\\System"), FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(SetFileAttributesA(
        "E:\\System", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesA("E:\\System"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_NE(Mode(Host("E:\\System")) & S_IWUSR, 0u);  // a read-only folder stays writable
    EXPECT_EQ(GetFileAttributesA("E:\\."), FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(Attributes, MissingPathsGiveInvalidAttributes) {
    EXPECT_EQ(GetFileAttributesA("E:\\System\\none.bin"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetFileAttributesA("E:\\Nowhere\\none.bin"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(SetFileAttributesA("E:\\System\\none.bin", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(Attributes, ValuesWrittenByOtherToolsAreReadAsTheyMean) {
    const std::string host = Host("E:\\System\\kvq.exe");
    struct Case {
        std::string value;
        DWORD bits;
    } const cases[] = {
        {"0x2", FILE_ATTRIBUTE_HIDDEN},
        {"0x22", FILE_ATTRIBUTE_HIDDEN},  // archive is not taken from here
        {"0X6", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {std::string("0x2\0\x03\x00binary", 12), FILE_ATTRIBUTE_HIDDEN},
        {"garbage", 0},
        {"0x", 0},
        {"0xZZ", 0},
        {"2", 0},
        {"0x1234567890", 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(::setxattr(host.c_str(), "user.DOSATTRIB", c.value.data(), c.value.size(), 0), 0);
        EXPECT_EQ(GetFileAttributesA("E:\\System\\kvq.exe"), FILE_ATTRIBUTE_ARCHIVE | c.bits)
            << c.value;
    }
}

}  // namespace
