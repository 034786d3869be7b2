#include "support/player_computer.h"

#include <stdexcept>

#include "database/database_writer.h"

namespace test {

std::string PlayerFirmwareImage(const std::string& version) {
    std::string image(672, '\0');
    image.replace(544, 12, "portalplayer");
    image.replace(602, 4, "QN01");
    image.replace(607, 5, version);
    return image;
}

PlayerComputer::PlayerComputer() {
    machine.AddDrive('C', win32::DRIVE_FIXED, temp.MakeFolder("c"));
    machine.SetProgram("C:\\Zarn\\KPZPortableDeviceSystemFileUpdater.exe");
    machine.SetLocalTime(win32::SYSTEMTIME{2026, 12, 2, 8, 9, 5, 7, 0});
    dbtool::Description model;
    model.productId = "ZJ-20           ";
    model.displayName = "Zarn Jukebox 20";
    model.hasSystemFiles = 1;
    model.systemFolder = "\\System";
    model.firmwareHeaderFlag = 1;
    model.systemFiles = {{"QDAV3180.mi4", 1, 0}};
    std::string error;
    temp.MakeFolder("c/Zarn");
    if (!dbtool::DatabaseWriter().Entry(model).WriteFile(
            temp.PathOf("c/Zarn/KPZSupportedPortableDevices.bin"), error)) {
        throw std::runtime_error(error);
    }
    WriteHostFile(temp.PathOf("c/Zarn/ZJ-20/System/QDAV3180.mi4"), PlayerFirmwareImage("01.20"));
    for (char letter : {'E', 'G'}) {
        const std::string folder(1, static_cast<char>(letter + 32));
        sim::Drive& drive =
            machine.AddDrive(letter, win32::DRIVE_REMOVABLE, temp.MakeFolder(folder));
        drive.inquiry = sim::Inquiry{"Velmora ", "ZJ-20           ", "1.00"};
        WriteHostFile(temp.PathOf(folder + "/System/QDAV3180.mi4"), PlayerFirmwareImage("01.10"));
    }
}

}  // namespace test
