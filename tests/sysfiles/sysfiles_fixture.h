// A simulated computer with a player on E: and the helpers to lay system files, their headers
// and checksum files on it, made by our own writer.
#pragma once

#include <cstdint>
#include <string>

#include "support/sim_fixture.h"
#include "sysfile/checksum_writer.h"
#include "sysfile/header_writer.h"

namespace test {

using sftool::Bytes;

class SysFilesFixture : public SimFixture {
  protected:
    SysFilesFixture();

    void Put(const std::string& windowsPath, const Bytes& bytes);
    Bytes Get(const std::string& windowsPath) const;
    bool Exists(const std::string& windowsPath) const;
    // Sets the last-write time, in seconds since 1970.
    void SetTime(const std::string& windowsPath, std::int64_t seconds);
    bool Hidden(const std::string& windowsPath) const;

    // A system file: the header, then content of the record layout's shape.
    static Bytes SystemFile(const std::string& name, const std::string& version,
                            const std::string& tag, std::uint32_t seed = 1,
                            std::size_t tailBytes = 4);
    static Bytes RecordChecksum(const Bytes& content,
                                const sftool::RecordLayoutOptions& options = {});
    static Bytes SingleSumChecksum(const Bytes& content,
                                   const sftool::SingleSumOptions& options = {});
};

}  // namespace test
