// SG_IO: the kernel's SCSI pass-through for disks (sd) and generic SCSI nodes (sg).
#include <fcntl.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/scsi_commands.h"
#include "platform/posix/unique_fd.h"

namespace platform::posix {
namespace {

class SgIoCommands : public ScsiCommands {
  public:
    ScsiResult Send(const std::string& node, const ScsiCommand& command) override {
        ScsiResult result;
        UniqueFd fd(::open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (!fd.valid()) {
            result.openError = errno;
            return result;
        }
        sg_io_hdr_t io{};
        io.interface_id = 'S';
        io.dxfer_direction = SG_DXFER_FROM_DEV;
        io.cmd_len = command.cdbLength;
        io.cmdp = const_cast<unsigned char*>(command.cdb);
        io.dxfer_len = command.dataSize;
        io.dxferp = command.data;
        io.mx_sb_len = command.senseSize;
        io.sbp = command.sense;
        io.timeout = command.timeoutMilliseconds;
        if (::ioctl(fd.get(), SG_IO, &io) != 0) return result;
        result.status = io.status;
        result.senseLength = std::min<std::uint8_t>(io.sb_len_wr, command.senseSize);
        const int resid = std::clamp<int>(io.resid, 0, static_cast<int>(command.dataSize));
        result.received = command.dataSize - static_cast<std::uint32_t>(resid);
        result.done = io.status == 0 && io.host_status == 0 && io.driver_status == 0;
        return result;
    }
};

}  // namespace

std::unique_ptr<ScsiCommands> MakeSgIoCommands() {
    return std::make_unique<SgIoCommands>();
}

}  // namespace platform::posix
