// Nothing on a drive is reached through a symbolic link: a link is access denied wherever it
// stands in a path, searches never offer one, and nothing outside the drive is touched.
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/win32.h"
#include "support/sim_fixture.h"

namespace {

using namespace win32;

class SymbolicLinks : public test::SimFixture {
  protected:
    void SetUp() override {
        AddDrive('E');
        outside_ = temp_.MakeFolder("outside");
        test::WriteHostFile(outside_ + "/victim.bin", "outside");
        test::MakeFolderFor(Host("E:\\System\\x"));
        ::symlink(outside_.c_str(), Host("E:\\System\\Data").c_str());
        ::symlink((outside_ + "/victim.bin").c_str(), Host("E:\\System\\link.bin").c_str());
        test::WriteHostFile(Host("C:\\Zarn\\new.bin"), "new");
    }

    bool OutsideUntouched() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(outside_)) {
            names.push_back(entry.path().filename().string());
        }
        return names == std::vector<std::string>{"victim.bin"} &&
               test::ReadHostFile(outside_ + "/victim.bin") == "outside";
    }

    std::string outside_;
};

TEST_F(SymbolicLinks, EveryCallThroughOrOnALinkIsDenied) {
    struct Case {
        const char* what;
        std::function<bool()> call;
    } const cases[] = {
        {"attributes through",
         [] {
             return GetFileAttributesA("E:\\System\\Data\\victim.bin") != INVALID_FILE_ATTRIBUTES;
         }},
        {"attributes of a link",
         [] { return GetFileAttributesA("E:\\System\\link.bin") != INVALID_FILE_ATTRIBUTES; }},
        {"attributes set through",
         [] {
             return SetFileAttributesA("E:\\system\\data\\VICTIM.BIN", FILE_ATTRIBUTE_HIDDEN) != 0;
         }},
        {"copy through",
         [] { return CopyFileA("C:\\Zarn\\new.bin", "E:\\System\\Data\\victim.bin", FALSE) != 0; }},
        {"copy onto a link",
         [] { return CopyFileA("C:\\Zarn\\new.bin", "E:\\System\\link.bin", FALSE) != 0; }},
        {"copy from a link",
         [] { return CopyFileA("E:\\System\\link.bin", "C:\\Zarn\\got.bin", FALSE) != 0; }},
        {"folder through", [] { return CreateDirectoryA("E:\\System\\Data\\new", nullptr) != 0; }},
        {"delete through", [] { return DeleteFileA("E:\\System\\Data\\victim.bin") != 0; }},
        {"move through",
         [] {
             return MoveFileExA("E:\\System\\Data\\victim.bin", "E:\\System\\got.bin",
                                MOVEFILE_REPLACE_EXISTING) != 0;
         }},
        {"move over a link",
         [] {
             return MoveFileExA("C:\\Zarn\\new.bin", "E:\\System\\link.bin",
                                MOVEFILE_REPLACE_EXISTING) != 0;
         }},
        {"free space through",
         [] { return GetDiskFreeSpaceExA("E:\\System\\Data\\", nullptr, nullptr, nullptr) != 0; }},
        {"open through",
         [] {
             platform::File f;
             return f.Open("E:\\System\\Data\\victim.bin", platform::File::modeReadWrite);
         }},
        {"search through",
         [] {
             WIN32_FIND_DATAA d;
             return FindFirstFileA("E:\\System\\Data\\*", &d) != INVALID_HANDLE_VALUE;
         }},
    };
    for (const auto& c : cases) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(c.call()) << c.what;
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED) << c.what;
    }
    EXPECT_TRUE(OutsideUntouched());
}

TEST_F(SymbolicLinks, SearchesNeverOfferALink) {
    test::WriteHostFile(Host("E:\\System\\real.bin"), "real");
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA("E:\\System\\*", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do names.push_back(data.cFileName);
    while (FindNextFileA(search, &data));
    FindClose(search);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "real.bin"}));
}

TEST_F(SymbolicLinks, ADrivesOwnFolderMayBeReachedThroughALink) {
    // The machine's configuration names the folder; only what lies below it is the drive's.
    const std::string linked = temp_.PathOf("linked-e");
    ::symlink(Host("E:\\").c_str(), linked.c_str());
    machine_.AddDrive('F', DRIVE_REMOVABLE, linked);
    test::WriteHostFile(Host("E:\\System\\real.bin"), "real");
    EXPECT_EQ(GetFileAttributesA("F:\\System\\real.bin"), FILE_ATTRIBUTE_ARCHIVE);
}

}  // namespace
