#include <cstring>

#include "kpz/detection.h"
#include "platform/win32.h"
#include "sysfiles_fixture.h"

namespace {

class PlaylistFolders : public test::SysFilesFixture {
  protected:
    PlaylistFolders() { device_.driveLetter = 'E'; }

    void Folder(int number, const std::string& name, std::uint32_t enabled = 1) {
        tagPORTDEVDESC& d = device_.desc;
        std::uint32_t* flags[] = {&d.playlistFolder1Enabled, &d.playlistFolder2Enabled,
                                  &d.playlistFolder3Enabled};
        char* names[] = {d.playlistFolder1Name, d.playlistFolder2Name, d.playlistFolder3Name};
        *flags[number - 1] = enabled;
        std::strcpy(names[number - 1], name.c_str());
    }

    bool IsFolder(const std::string& path) const {
        const win32::DWORD a = win32::GetFileAttributesA(path.c_str());
        return a != win32::INVALID_FILE_ATTRIBUTES && (a & win32::FILE_ATTRIBUTE_DIRECTORY);
    }

    tagPORTDEVINFO device_;
};

TEST_F(PlaylistFolders, NothingEnabledNothingMade) {
    Folder(1, "Playlists", 0);
    EXPECT_EQ(KPZPortableDeviceDetectionVerifyPlaylistFolders(&device_, nullptr), 1);
    EXPECT_FALSE(Exists("E:\\Playlists"));
    EXPECT_EQ(KPZPortableDeviceDetectionVerifyPlaylistFolders(nullptr, nullptr), 0);
}

TEST_F(PlaylistFolders, PresentAndMissingFolders) {
    win32::CreateDirectoryA("E:\\Playlists", nullptr);
    Folder(1, "Playlists");
    Folder(2, "Recordings");
    EXPECT_EQ(KPZPortableDeviceDetectionVerifyPlaylistFolders(&device_, nullptr), 1);
    EXPECT_TRUE(IsFolder("E:\\Recordings"));
    EXPECT_FALSE(Hidden("E:\\Recordings"));  // attributes are left alone
}

TEST_F(PlaylistFolders, AGivenRootGetsItsBackslash) {
    win32::CreateDirectoryA("E:\\Music", nullptr);
    Folder(3, "Lists");
    EXPECT_EQ(KPZPortableDeviceDetectionVerifyPlaylistFolders(&device_, "E:\\Music"), 1);
    EXPECT_TRUE(IsFolder("E:\\Music\\Lists"));
    EXPECT_FALSE(Exists("E:\\MusicLists"));
}

TEST_F(PlaylistFolders, AFailureLeavesTheOthersTried) {
    Folder(1, "Missing\\Lists");  // only the last level is made
    Folder(2, "Two");
    Folder(3, "Three");
    EXPECT_EQ(KPZPortableDeviceDetectionVerifyPlaylistFolders(&device_, nullptr), 0);
    EXPECT_FALSE(Exists("E:\\Missing"));
    EXPECT_TRUE(IsFolder("E:\\Two"));
    EXPECT_TRUE(IsFolder("E:\\Three"));
}

TEST_F(PlaylistFolders, NamesThatLeaveTheRootAreNeverFollowed) {
    win32::CreateDirectoryA("E:\\Music", nullptr);
    const std::string tooLong(251, 'x');  // 260 characters below the root
    for (const std::string& name :
         {std::string("..\\Escaped"), std::string("C:\\Escaped"), std::string(""), tooLong}) {
        Folder(1, name);
        EXPECT_EQ(KPZPortableDeviceDetectionVerifyPlaylistFolders(&device_, "E:\\Music\\"), 0)
            << name;
    }
    EXPECT_FALSE(Exists("E:\\Escaped"));
    EXPECT_FALSE(Exists("C:\\Escaped"));
}

TEST_F(PlaylistFolders, AnUnpluggedDeviceFailsEveryFolder) {
    Folder(1, "One");
    Folder(2, "Two");
    machine_.Unplug('E');
    EXPECT_EQ(KPZPortableDeviceDetectionVerifyPlaylistFolders(&device_, nullptr), 0);
}

}  // namespace
