// Identification method 2 through the SCSI manager (WNASPI32.DLL): targets 0 and 1 of every
// host adapter are asked for their INQUIRY data, and those of a supported model are
// registered in the drive map from the SCSI device registry, once per enumeration; then the
// drive is looked up.
#include "detect/diagnostics.h"
#include "detect/drive_map.h"
#include "detect/scsi_registry.h"
#include "detect/win9x_methods.h"
#include "detect/win9x_request_blocks.h"
#include "platform/address32.h"
#include "platform/win32.h"

namespace detect {
namespace {

using namespace win32;

// Loaded by the first use that succeeds and kept; a partial load is undone.
bool LoadScsiManager() {
    if (g_driveMap.scsiManager != nullptr) return true;
    HMODULE module = LoadLibraryA(aspi::kLibraryName);
    if (module == nullptr) return false;
    FARPROC getSupportInfo = GetProcAddress(module, aspi::kGetSupportInfoName);
    FARPROC sendCommand = GetProcAddress(module, aspi::kSendCommandName);
    if (getSupportInfo == nullptr || sendCommand == nullptr) {
        FreeLibrary(module);
        return false;
    }
    g_driveMap.scsiManager = module;
    g_driveMap.getSupportInfo = reinterpret_cast<aspi::GetSupportInfoFunction>(getSupportInfo);
    g_driveMap.sendCommand = reinterpret_cast<aspi::SendCommandFunction>(sendCommand);
    return true;
}

// An answer needs the request pending, the event signalled, and the request completed: one
// that ends in error (no device at the target) is no answer either.
bool InquireTarget(std::uint8_t adapter, std::uint8_t target, std::uint8_t* answer) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (event == nullptr) return false;
    ResetEvent(event);
    platform::Address32 buffer(answer, kScsiManagerAnswerSize);
    ScsiManagerRequest request = BuildScsiManagerRequest(adapter, target, buffer.Token(), event);
    bool answered = false;
    if (g_driveMap.sendCommand(request.data()) == aspi::SS_PENDING) {
        answered = WaitForSingleObject(event, INFINITE) == WAIT_OBJECT_0 &&
                   request[aspi::kStatus] == aspi::SS_COMP;
    }
    CloseHandle(event);
    return answered;
}

void RegisterTarget(std::uint8_t adapter, std::uint8_t target) {
    std::uint8_t answer[kScsiManagerAnswerSize] = {};
    if (!InquireTarget(adapter, target, answer)) return;
    const std::string vendor = InquiryText(answer + 8, 8);
    const std::string product = InquiryText(answer + 16, 16);
    WriteStandardOutput(FormatText("VendorID = %s\n", vendor.c_str()));
    WriteStandardOutput(FormatText("ProductID = %s\n", product.c_str()));
    RegisterMatchingEntries(vendor, product,
                            MakeDeviceId(vendor, product, static_cast<char>(answer[32])));
}

// False when the method fails for this drive without a lookup.
bool ScanScsiManager() {
    if (!LoadScsiManager()) return false;
    const DWORD support = g_driveMap.getSupportInfo();
    const DWORD adapters = support & 0xFF;
    if (((support >> 8) & 0xFF) != aspi::SS_COMP || adapters == 0) return false;
    g_driveMap.count = 0;  // what the disk-drive scan registered is dropped
    for (DWORD adapter = 0; adapter < adapters; ++adapter) {
        for (std::uint8_t target : {0, 1})
            RegisterTarget(static_cast<std::uint8_t>(adapter), target);
    }
    g_driveMap.scsiManagerScanPending = false;
    return true;
}

}  // namespace

bool IdentifyByScsiManagerScan(tagPORTDEVINFO& device) {
    if (g_driveMap.scsiManagerScanPending && !ScanScsiManager()) return false;
    return LookUpDriveMap(device);
}

}  // namespace detect
