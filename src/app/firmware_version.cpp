#include "app/firmware_version.h"

#include "app/version_tag.h"
#include "engine/firmware_image.h"

VersionRead ReadFirmwareFileVersion(const std::string& path, FirmwareReader reader,
                                    char (&version)[9]) {
    platform::File file;
    if (!file.Open(path.c_str(), platform::File::modeRead | platform::File::shareDenyNone)) {
        return VersionRead::NotOpened;
    }
    int read = 0;
    if (reader == FirmwareReader::Image) read = ReadFirmwareVersion(file, version);
    if (reader == FirmwareReader::Program) read = ReadVersionTag(file, version);
    file.Close();
    return read == 1 ? VersionRead::Read : VersionRead::NotRead;
}
