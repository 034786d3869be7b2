#include <string>

#include "platform/file.h"
#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

class PathResolution : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        test::WriteHostFile(Host("E:\\Zarn\\System\\QDAV3180.mi4"), "image");
    }
};

TEST_F(PathResolution, NamesResolveWithoutRegardToCase) {
    const char* spellings[] = {
        "E:\\Zarn\\System\\QDAV3180.mi4",
        "e:\\zarn\\system\\qdav3180.mi4",
        "E:\\ZARN\\SYSTEM\\QDAV3180.MI4",
        "E:/Zarn/System/QDAV3180.mi4",
        "E:\\Zarn\\.\\System\\..\\System\\QDAV3180.mi4",
        "E:\\Zarn\\System\\QDAV3180.mi4.",
        "E:\\..\\..\\Zarn\\System\\QDAV3180.mi4",
    };
    for (const char* path : spellings) {
        EXPECT_EQ(GetFileAttributesA(path), FILE_ATTRIBUTE_ARCHIVE) << path;
    }
}

TEST_F(PathResolution, DotsAndBlanksEndingANameGoAsWindowsDropsThem) {
    struct Case {
        const char* path;
        DWORD attributes;  // INVALID_FILE_ATTRIBUTES: the error below
        DWORD error;
    } const cases[] = {
        // The last name loses every dot and blank it ends with.
        {"E:\\Zarn\\System\\QDAV3180.mi4. . ", FILE_ATTRIBUTE_ARCHIVE, 0},
        {"E:\\Zarn\\System.", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"E:\\Zarn\\System\\. .", FILE_ATTRIBUTE_DIRECTORY, 0},
        // A folder's name on the way loses one dot and keeps its blanks.
        {"E:\\Zarn.\\System.\\QDAV3180.mi4", FILE_ATTRIBUTE_ARCHIVE, 0},
        {"E:\\Zarn..\\System\\QDAV3180.mi4", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
        {"E:\\Zarn \\System\\QDAV3180.mi4", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
        // Dots alone are no name on the way, not even one up.
        {"E:\\Zarn\\...\\QDAV3180.mi4", INVALID_FILE_ATTRIBUTES, ERROR_INVALID_NAME},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetFileAttributesA(c.path), c.attributes) << c.path;
        if (c.attributes == INVALID_FILE_ATTRIBUTES) {
            EXPECT_EQ(GetLastError(), c.error) << c.path;
        }
    }
}

TEST_F(PathResolution, CreatingANameThatDiffersOnlyInCaseReachesTheExistingOne) {
    platform::File file;
    ASSERT_TRUE(file.Open("E:\\zarn\\SYSTEM\\qdav3180.MI4",
                          platform::File::modeCreate | platform::File::modeWrite));
    file.Write("new", 3);
    file.Close();
    EXPECT_EQ(test::ReadHostFile(Host("E:\\Zarn\\System\\QDAV3180.mi4")), "new");
    EXPECT_FALSE(test::HostExists(Host("E:\\zarn")));

    ASSERT_TRUE(CopyFileA("E:\\Zarn\\System\\QDAV3180.mi4", "E:\\ZARN\\system\\copy.bin", FALSE));
    EXPECT_TRUE(test::HostExists(Host("E:\\Zarn\\System\\copy.bin")));
}

TEST_F(PathResolution, AnExactMatchWinsOverOneThatDiffersInCase) {
    test::WriteHostFile(Host("E:\\Zarn\\System\\qdav3180.mi4"), "lower");
    platform::File file;
    ASSERT_TRUE(file.Open("E:\\Zarn\\System\\qdav3180.mi4", platform::File::modeRead));
    char buffer[8] = {};
    file.Read(buffer, 5);
    EXPECT_STREQ(buffer, "lower");
}

TEST_F(PathResolution, MalformedAndOverlongPathsAreRefused) {
    struct Case {
        std::string path;
        DWORD error;
    } const cases[] = {
        {"E:\\" + std::string(257, 'a'), ERROR_FILENAME_EXCED_RANGE},
        {"E:\\a*b", ERROR_INVALID_NAME},
        {"E:\\a?b", ERROR_INVALID_NAME},
        {"E:\\a|b", ERROR_INVALID_NAME},
        {"E:\\a:b", ERROR_INVALID_NAME},
        {"\\\\server\\share\\a", ERROR_BAD_PATHNAME},
        {"", ERROR_PATH_NOT_FOUND},
        {"Q:\\a", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetFileAttributesA(c.path.c_str()), INVALID_FILE_ATTRIBUTES) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    EXPECT_EQ(GetFileAttributesA(("E:\\" + std::string(256, 'a')).c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);  // 259 characters: looked up
}

TEST_F(PathResolution, RelativePathsStartAtTheCurrentDirectory) {
    test::WriteHostFile(Host("C:\\Zarn\\KPZSupportedPortableDevices.bin"), "db");
    machine_.SetCurrentDirectory("C:\\Zarn\\");
    EXPECT_EQ(GetFileAttributesA("KPZSupportedPortableDevices.bin"), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(GetFileAttributesA("\\Zarn\\KPZSupportedPortableDevices.bin"),
              FILE_ATTRIBUTE_ARCHIVE);
}

}  // namespace
