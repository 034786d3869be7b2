#include <fcntl.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/posix/wildcard.h"
#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

struct Found {
    std::string name;
    DWORD attributes;
    DWORD size;
};

class FolderSearch : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        test::WriteHostFile(Host("C:\\Zarn\\Data\\b.mp3"), "bb");
        test::WriteHostFile(Host("C:\\Zarn\\Data\\A.mp3"), "a");
        test::WriteHostFile(Host("C:\\Zarn\\Data\\readme"), "readme");
        test::WriteHostFile(Host("C:\\Zarn\\Data\\Sub\\c.mp3"), "ccc");
    }

    std::vector<Found> Search(const char* pattern, DWORD* error = nullptr) {
        std::vector<Found> found;
        WIN32_FIND_DATAA data;
        HANDLE search = FindFirstFileA(pattern, &data);
        if (search == INVALID_HANDLE_VALUE) {
            if (error) *error = GetLastError();
            return found;
        }
        do {
            found.push_back({data.cFileName, data.dwFileAttributes, data.nFileSizeLow});
        } while (FindNextFileA(search, &data));
        EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
        EXPECT_TRUE(FindClose(search));
        return found;
    }

    static std::vector<std::string> Names(const std::vector<Found>& found) {
        std::vector<std::string> names;
        for (const Found& f : found) names.push_back(f.name);
        return names;
    }
};

using ::testing::ElementsAre;

TEST_F(FolderSearch, ListsFilesAndFoldersByNameIgnoringCaseWithDotsFirst) {
    EXPECT_THAT(Names(Search("C:\\zarn\\DATA\\*")),
                ElementsAre(".", "..", "A.mp3", "b.mp3", "readme", "Sub"));
    EXPECT_THAT(Names(Search("C:\\Zarn\\Data\\*.*")),
                ElementsAre(".", "..", "A.mp3", "b.mp3", "readme", "Sub"));
    EXPECT_THAT(Names(Search("C:\\Zarn\\Data\\*.MP3")), ElementsAre("A.mp3", "b.mp3"));
    EXPECT_THAT(Names(Search("C:\\Zarn\\Data\\?.mp3")), ElementsAre("A.mp3", "b.mp3"));
    EXPECT_THAT(Names(Search("C:\\Zarn\\Data\\*.")), ElementsAre(".", "..", "readme", "Sub"));
    EXPECT_THAT(Names(Search("C:\\Zarn\\Data\\readme")), ElementsAre("readme"));
}

TEST_F(FolderSearch, ADriveRootHasNoDotEntries) {
    EXPECT_THAT(Names(Search("C:\\*")), ElementsAre("Zarn"));
}

TEST_F(FolderSearch, RecordsCarryAttributesSizeAndTime) {
    SetFileAttributesA("C:\\Zarn\\Data\\b.mp3", FILE_ATTRIBUTE_HIDDEN);
    const std::vector<Found> found = Search("C:\\Zarn\\Data\\*");
    ASSERT_EQ(found.size(), 6u);
    EXPECT_EQ(found[0].attributes, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(found[3].attributes, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(found[3].size, 2u);
    EXPECT_EQ(found[5].attributes, FILE_ATTRIBUTE_DIRECTORY);

    struct timespec times[2] = {{0, 0}, {1600000000, 0}};
    ::utimensat(AT_FDCWD, Host("C:\\Zarn\\Data\\A.mp3").c_str(), times, 0);
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA("C:\\Zarn\\Data\\a.mp3", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    const std::uint64_t ticks = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                data.ftLastWriteTime.dwLowDateTime;
    EXPECT_EQ(ticks, (1600000000ull + 11644473600ull) * 10000000ull);
    FindClose(search);
}

TEST_F(FolderSearch, NothingFoundAndNoFolderAreDifferentErrors) {
    DWORD error = 0;
    EXPECT_TRUE(Search("C:\\Zarn\\Data\\*.wav", &error).empty());
    EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(Search("C:\\Zarn\\None\\*.wav", &error).empty());
    EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(FindClose(reinterpret_cast<HANDLE>(0x1234)));
}

TEST_F(FolderSearch, AnUnpluggedDriveEndsTheSearch) {
    test::WriteHostFile(Host("E:\\a.bin"), "");
    test::WriteHostFile(Host("E:\\b.bin"), "");
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA("E:\\*.bin", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    machine_.Unplug('E');
    EXPECT_FALSE(FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_TRUE(FindClose(search));
}

TEST(MatchesWildcard, WindowsRules) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    } const cases[] = {
        {"*", "anything", true},
        {"*.*", "noextension", true},
        {"*.*", ".", true},
        {"*.mi4", "QDAV3180.MI4", true},
        {"*.mi4", "QDAV3180.mi45", false},
        {"q*.m?4", "qdav.mi4", true},
        {"?", "ab", false},
        {"??", "ab", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false},
        {"*.", "readme", true},
        {"*.", "a.b", false},
        {"*.", ".", true},
        {"*.", "..", true},
        {"kvq.exe", "KVQ.EXE", true},
        {"*a", "\xe1", false},
        // '?' matches nothing before a period or at the end of the name; a '.' before a
        // wildcard or ending the pattern matches the end of the name.
        {"abc.*", "abc", true},
        {"abc.*", "abcd", false},
        {"a?c.*", "abc", true},
        {"a??.*", "a", true},
        {"a??.*", "ab", true},
        {"a??.*", "a.b.c", true},
        {"a??.*", "abcd", false},
        {"??", "a", true},
        {"?", "a.b", false},
        {"?.?", "a", true},
        {"x.?", "x", true},
        {"x.?", "x.tst", false},
        {"abc.", "abc", true},
        {"abc.", "abc.txt", false},
        {"abc.", "abcd", false},
        {"*.t?t", "x.txt", true},
        {"*.t?t", "x.tt", false},
        {"*.*.*", "abc", true},
        {"*.*.*", "a.b.c", true},
        {"a*b*c", "abcabcabcabcabcabcabcabcabcabcabcabcabcabd", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::posix::MatchesWildcard(c.pattern, c.name), c.matches)
            << c.pattern << " ~ " << c.name;
    }
}

}  // namespace
