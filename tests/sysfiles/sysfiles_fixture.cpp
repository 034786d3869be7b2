#include "sysfiles_fixture.h"

#include <stdexcept>

#include "platform/win32.h"
#include "sysfiles/system_file_update.h"

namespace test {

SysFilesFixture::SysFilesFixture() {
    AddDrive('E');
    g_bNewerFilesMessageShown = 0;  // process-wide: every test starts without the box shown
}

void SysFilesFixture::Put(const std::string& windowsPath, const Bytes& bytes) {
    WriteHostFile(Host(windowsPath), std::string(bytes.begin(), bytes.end()));
}

Bytes SysFilesFixture::Get(const std::string& windowsPath) const {
    const std::string text = ReadHostFile(Host(windowsPath));
    return Bytes(text.begin(), text.end());
}

bool SysFilesFixture::Exists(const std::string& windowsPath) const {
    return HostExists(Host(windowsPath));
}

void SysFilesFixture::SetTime(const std::string& windowsPath, std::int64_t seconds) {
    SetHostWriteTime(Host(windowsPath), seconds);
}

bool SysFilesFixture::Hidden(const std::string& windowsPath) const {
    const win32::DWORD attributes = win32::GetFileAttributesA(windowsPath.c_str());
    return attributes != win32::INVALID_FILE_ATTRIBUTES &&
           (attributes & win32::FILE_ATTRIBUTE_HIDDEN) != 0;
}

Bytes SysFilesFixture::SystemFile(const std::string& name, const std::string& version,
                                  const std::string& tag, std::uint32_t seed,
                                  std::size_t tailBytes) {
    sftool::HeaderFields fields;
    fields.name = name;
    fields.version = version;
    fields.tag = tag;
    Bytes header;
    std::string error;
    if (!sftool::MakeSysFileHeader(fields, header, error)) throw std::runtime_error(error);
    return sftool::MakeRecordContent(header, 600, tailBytes, seed);
}

Bytes SysFilesFixture::RecordChecksum(const Bytes& content,
                                      const sftool::RecordLayoutOptions& options) {
    Bytes file;
    std::string error;
    if (!sftool::WriteRecordLayout(content, options, file, error)) throw std::runtime_error(error);
    return file;
}

Bytes SysFilesFixture::SingleSumChecksum(const Bytes& content,
                                         const sftool::SingleSumOptions& options) {
    Bytes file;
    std::string error;
    if (!sftool::WriteSingleSumLayout(content, options, file, error)) {
        throw std::runtime_error(error);
    }
    return file;
}

}  // namespace test
