// The SCSI manager library WNASPI32.DLL of a simulated machine: its two entry points answer
// from the machine's host adapters and targets. A request block is checked field by field;
// a malformed one completes at once with SS_INVALID_SRB.
#include <algorithm>
#include <cstring>

#include "platform/address32.h"
#include "platform/ascii.h"
#include "platform/aspi32.h"
#include "platform/sim/block_bytes.h"
#include "platform/sim/machine.h"
#include "platform/win32.h"

namespace sim {
namespace {

// A module handle is the library's load address.
win32::HMODULE const kScsiManagerModule =
    reinterpret_cast<win32::HMODULE>(std::uintptr_t{0x10000000});
constexpr std::uint32_t kInquiryBufferSize = 96;

bool IsScsiManagerName(const std::string& name) {
    return platform::EqualsNoCase(name, aspi::kLibraryName) ||
           platform::EqualsNoCase(name, "WNASPI32");
}

// The entry points reach the machine that is installed when they are called.
Machine* CurrentMachine() {
    return dynamic_cast<Machine*>(&platform::Current());
}

win32::DWORD EntryGetSupportInfo() {
    Machine* machine = CurrentMachine();
    return machine ? machine->AspiSupportInfo() : 0;
}

win32::DWORD EntrySendCommand(void* requestBlock) {
    Machine* machine = CurrentMachine();
    return machine ? machine->AspiSendCommand(requestBlock) : aspi::SS_ERR;
}

win32::HANDLE EventOf(const std::uint8_t* block) {
    return reinterpret_cast<win32::HANDLE>(std::uintptr_t{Le32(block + aspi::kPostProc)});
}

}  // namespace

win32::HMODULE Machine::LoadLibrary(const char* name) {
    std::lock_guard lock(mutex_);
    const std::string text = name ? name : "";
    Record("LoadLibraryA " + text);
    if (!scsiManager_ || !IsScsiManagerName(text)) {
        win32::SetLastError(win32::ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    ++scsiManagerLoads_;
    return kScsiManagerModule;
}

win32::FARPROC Machine::GetProcAddress(win32::HMODULE module, const char* name) {
    std::lock_guard lock(mutex_);
    const std::string text = name ? name : "";
    Record("GetProcAddress " + text);
    if (module != kScsiManagerModule || scsiManagerLoads_ == 0 || !scsiManager_) {
        win32::SetLastError(win32::ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (text != scsiManager_->missingEntryPoint) {  // exported names are compared exactly
        if (text == aspi::kGetSupportInfoName) {
            return reinterpret_cast<win32::FARPROC>(&EntryGetSupportInfo);
        }
        if (text == aspi::kSendCommandName) {
            return reinterpret_cast<win32::FARPROC>(&EntrySendCommand);
        }
    }
    win32::SetLastError(win32::ERROR_PROC_NOT_FOUND);
    return nullptr;
}

bool Machine::FreeLibrary(win32::HMODULE module) {
    std::lock_guard lock(mutex_);
    Record(std::string("FreeLibrary ") + aspi::kLibraryName);
    if (module != kScsiManagerModule || scsiManagerLoads_ == 0) {
        win32::SetLastError(win32::ERROR_INVALID_HANDLE);
        return false;
    }
    --scsiManagerLoads_;
    return true;
}

win32::DWORD Machine::AspiSupportInfo() {
    std::lock_guard lock(mutex_);
    Record(aspi::kGetSupportInfoName);
    if (!scsiManager_ || scsiManagerLoads_ == 0) return 0;
    if (scsiManager_->supportInfo) return *scsiManager_->supportInfo;
    const auto adapters = std::min<std::size_t>(scsiManager_->adapters.size(), 255);
    return static_cast<DWORD>(aspi::SS_COMP) << 8 | static_cast<DWORD>(adapters);
}

std::uint8_t Machine::CheckAspiRequest(const std::uint8_t* b) const {
    using namespace aspi;
    if (b[kCmd] != SC_EXEC_SCSI_CMD) return SS_INVALID_CMD;
    if (b[kHaId] >= scsiManager_->adapters.size()) return SS_INVALID_HA;
    const bool wellFormed =
        b[kStatus] == 0 && b[kFlags] == (SRB_DIR_IN | SRB_EVENT_NOTIFY) &&
        AllZero(b + kHdrRsvd, 4) && b[kLun] == 0 && AllZero(b + kRsvd1, 2) &&
        Le32(b + kBufLen) == kInquiryBufferSize &&
        platform::Address32::Resolve(Le32(b + kBufPointer), kInquiryBufferSize) != nullptr &&
        b[kSenseLen] == kSenseLength && b[kCdbLen] == 6 && b[kHaStat] == 0 && b[kTargStat] == 0 &&
        events_.Contains(EventOf(b)) && AllZero(b + kRsvd2, 20) &&
        SameBytes(b + kCdb, {0x12, 0x00, 0x00, 0x00, 0x60, 0x00}) && AllZero(b + kCdb + 6, 10) &&
        AllZero(b + kSenseArea, kExecRequestSize - kSenseArea);
    return wellFormed ? 0 : SS_INVALID_SRB;
}

win32::DWORD Machine::AspiSendCommand(void* requestBlock) {
    using namespace aspi;
    std::lock_guard lock(mutex_);
    auto* b = static_cast<std::uint8_t*>(requestBlock);
    if (b == nullptr) {
        Record(std::string(kSendCommandName) + " (no request)");
        return SS_INVALID_SRB;
    }
    Record(std::string(kSendCommandName) + " " + std::to_string(b[kHaId]) + ":" +
           std::to_string(b[kTarget]));
    aspiRequests_.emplace_back(b, b + kExecRequestSize);
    if (!scsiManager_ || scsiManagerLoads_ == 0) return SS_ERR;
    if (const std::uint8_t refused = CheckAspiRequest(b); refused != 0) {
        b[kStatus] = refused;
        return refused;
    }
    const auto& targets = scsiManager_->adapters[b[kHaId]].targets;
    const bool present = b[kTarget] < targets.size() && targets[b[kTarget]].has_value();
    if (!present) {  // the selection times out, and the request ends in error
        b[kStatus] = SS_ERR;
        b[kHaStat] = HASTAT_SEL_TO;
        events_.Set(EventOf(b));
        return SS_PENDING;
    }
    const AspiTarget& target = *targets[b[kTarget]];
    const auto answer = StandardInquiryData(target.inquiry);
    auto* buffer = static_cast<std::uint8_t*>(
        platform::Address32::Resolve(Le32(b + kBufPointer), kInquiryBufferSize));
    std::memcpy(buffer, answer.data(), answer.size());
    b[kStatus] = SS_COMP;
    if (target.completesAtOnce) return SS_COMP;
    events_.Set(EventOf(b));
    return SS_PENDING;
}

}  // namespace sim
