// The sweeps write and sync thousands of small files. Where the machine has a RAM file system
// that keeps extended attributes (as the drives' attributes need), they run there, unless the
// caller chose a folder.
#include <gtest/gtest.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

bool KeepsDosAttributes(const char* folder) {
    std::string path = std::string(folder) + "/kpz-probe-XXXXXX";
    const int fd = ::mkstemp(path.data());
    if (fd < 0) return false;
    const bool ok = ::fsetxattr(fd, "user.DOSATTRIB", "0x2", 3, 0) == 0;
    ::close(fd);
    ::unlink(path.c_str());
    return ok;
}

class FastTemporaryFolder : public ::testing::Environment {
  public:
    void SetUp() override {
        if (std::getenv("TMPDIR") == nullptr && KeepsDosAttributes("/dev/shm")) {
            ::setenv("TMPDIR", "/dev/shm", 1);
        }
    }
};

[[maybe_unused]] auto* const g_environment =
    ::testing::AddGlobalTestEnvironment(new FastTemporaryFolder);

}  // namespace
