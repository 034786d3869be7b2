// Calls each of the library's five functions through its public header alone, on the host
// backend that a process gets by default, with arguments that touch no real player.
#include <cstdio>
#include <cstring>

#include "kpz/detection.h"

namespace {

int g_passed = 0;
int g_failed = 0;
int g_callbacks = 0;

void Expect(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", what);
    ++(ok ? g_passed : g_failed);
}

int CountDevice(tagPORTDEVINFO&, long) {
    ++g_callbacks;
    return 1;
}

void CountStatus(tagPORTDEVINFO&, std::uint32_t, tagUPDATESYSFILEINFO*) {
    ++g_callbacks;
}

}  // namespace

// A drive the host always has: on Linux the root file system shows as Z:, on Windows the
// system drive is C:.
#ifdef _WIN32
constexpr char kHostDrive = 'C';
#else
constexpr char kHostDrive = 'Z';
#endif

int main() {
    const char* missing = "Z:\\nonexistent\\kpz\\KPZSupportedPortableDevices.bin";
    Expect(KPZPortableDeviceDetectionEnumDevices(missing, CountDevice, 0L) == 0,
           "enumeration without a database finds nothing");
    tagPORTDEVCONFLICTDIALOGINFO conflict;
    Expect(KPZPortableDeviceDetectionEnumDevices(missing, CountDevice, conflict, 0L) == 0,
           "the four-argument enumeration without a database finds nothing");
    Expect(KPZPortableDeviceDetectionIsPresent('Q') == 0, "a letter without a drive is absent");
    Expect(KPZPortableDeviceDetectionIsPresent(kHostDrive) == 1, "the host's own drive is present");

    Expect(KPZPortableDeviceDetectionUpdateSystemFiles(nullptr, "/tmp", 0, 0, CountStatus) == 0,
           "the update without a record");
    tagPORTDEVINFO device;
    device.driveLetter = 'Q';
    std::strcpy(device.desc.productId, "ZJ-20");
    Expect(KPZPortableDeviceDetectionUpdateSystemFiles(&device, "/tmp", 0, 0, CountStatus) == 0,
           "the update of a model without system files");

    Expect(KPZPortableDeviceDetectionVerifyPlaylistFolders(nullptr, nullptr) == 0,
           "playlist folders without a record");
    Expect(KPZPortableDeviceDetectionVerifyPlaylistFolders(&device, nullptr) == 1,
           "a model without playlist folders needs none");
    Expect(g_callbacks == 0, "no callback was called");

    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
