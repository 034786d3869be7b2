// What a device answers on the NT family: the storage descriptor of the property query and
// the INQUIRY data of pages 80h and C0h, as any device might give them, read by the
// identification and the two device queries.
//
// Input: one flag byte (bit 0: the property query fails, bit 1: the pass-through fails), two
// bytes of descriptor length and the descriptor, one byte of page 80h length and its answer,
// and the rest the page C0h answer.
#include <algorithm>
#include <cstring>
#include <span>

#include "database/database_writer.h"
#include "detect/database_file.h"
#include "detect/nt_identification.h"
#include "detect/nt_queries.h"
#include "fuzz_machine.h"
#include "platform/address32.h"
#include "platform/win32.h"

namespace {

using win32::DWORD;

struct Answers {
    bool queryFails = false;
    bool passThroughFails = false;
    std::span<const std::uint8_t> descriptor, page80, pageC0;
};

Answers Split(std::span<const std::uint8_t> input) {
    Answers answers;
    auto take = [&input](std::size_t n) {
        n = std::min(n, input.size());
        auto part = input.first(n);
        input = input.subspan(n);
        return part;
    };
    const auto flags = take(1);
    answers.queryFails = !flags.empty() && (flags[0] & 1);
    answers.passThroughFails = !flags.empty() && (flags[0] & 2);
    const auto length = take(2);
    answers.descriptor = take(length.size() == 2 ? (length[0] | length[1] << 8) : 0);
    const auto length80 = take(1);
    answers.page80 = take(length80.empty() ? 0 : length80[0]);
    answers.pageC0 = input;
    return answers;
}

// A volume that answers with whatever the input says, within the buffers it is given.
class AnsweringMachine : public sim::Machine {
  public:
    explicit AnsweringMachine(const Answers& answers) : answers_(answers) {
        sim::Drive& drive = AddDrive('E', win32::DRIVE_REMOVABLE, fuzz::DriveFolder());
        drive.inquiry = sim::Inquiry{"Velmora ", "ZJ-20           ", "1.00"};
    }

  protected:
    bool AnswerVolumeRequest(sim::Drive&, DWORD code, void* in, DWORD inSize, void* out,
                             DWORD outSize, DWORD* returned) override {
        if (code == win32::IOCTL_STORAGE_QUERY_PROPERTY) {
            if (answers_.queryFails || out == nullptr || returned == nullptr) return Fail();
            *returned = Copy(answers_.descriptor, out, outSize);
            return true;
        }
        if (answers_.passThroughFails || in == nullptr || inSize < 80 || returned == nullptr) {
            return Fail();
        }
        auto* block = static_cast<std::uint8_t*>(in);
        const std::uint32_t token = block[20] | block[21] << 8 | block[22] << 16 |
                                    static_cast<std::uint32_t>(block[23]) << 24;
        void* data = platform::Address32::Resolve(token, 256);
        if (data == nullptr) return Fail();
        const auto& page = block[30] == 0x80 ? answers_.page80 : answers_.pageC0;
        const DWORD size = Copy(page, data, 256);
        if (out != nullptr && outSize >= 80 && out != in) std::memcpy(out, in, 80);
        if (out != nullptr && outSize >= 16) {
            auto* answer = static_cast<std::uint8_t*>(out);
            for (int i = 0; i < 4; ++i) answer[12 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        }
        *returned = 80;
        return true;
    }

  private:
    static DWORD Copy(std::span<const std::uint8_t> from, void* to, DWORD capacity) {
        const auto n = static_cast<DWORD>(std::min<std::size_t>(from.size(), capacity));
        if (n > 0) std::memcpy(to, from.data(), n);
        return n;
    }
    static bool Fail() {
        win32::SetLastError(win32::ERROR_IO_DEVICE);
        return false;
    }

    Answers answers_;
};

void LoadOneModel() {
    dbtool::Description model;
    model.productId = "ZJ-20           ";
    model.displayName = "Zarn ZJ-20";
    model.querySerialFlag = 1;
    model.queryStateFlag = 1;
    const auto bytes = dbtool::DatabaseWriter().Entry(model).Bytes();
    const std::string path = fuzz::WriteInput(
        "devices.bin", reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    detect::LoadSupportedDevices(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool loaded = (LoadOneModel(), true);
    (void)loaded;
    AnsweringMachine machine(Split({data, size}));
    platform::ScopedSystem installed(machine);
    tagPORTDEVINFO device;
    device.driveLetter = 'E';
    detect::IdentifyNtDevice(device);
    std::uint8_t serial[8];
    std::uint8_t state = 0;
    detect::ReadNtSerialNumber('E', serial);
    detect::ReadNtDeviceState('E', &state);
    return 0;
}
