#include "detect_fixture.h"

#include "detect/win9x_routes.h"

namespace test {

std::vector<tagPORTDEVINFO> DetectFixture::reported_;

// What a Windows 98/Me route kept process-wide came from this test's machine: it goes with it.
DetectFixture::~DetectFixture() {
    detect::ReleaseWin9xServices();
}

dbtool::Description ZarnModel(const std::string& product) {
    dbtool::Description model;
    model.productId = product;
    model.displayName = "Zarn Jukebox 20";
    model.queryStateFlag = 1;
    model.querySerialFlag = 1;
    model.hasSystemFiles = 1;
    model.systemFolder = "\\System";
    model.systemFiles = {{"QDAV3180.mi4", 0, 0}, {"kvq.exe", 1, 0}};
    return model;
}

void DetectFixture::WriteDatabase(const dbtool::DatabaseWriter& writer) {
    WriteHostFile(Host(kDatabase), writer.Bytes());
}

void DetectFixture::WriteDatabase(const std::vector<dbtool::Description>& entries,
                                  dbtool::FormatVersion version) {
    dbtool::DatabaseWriter writer(version);
    for (const auto& entry : entries) writer.Entry(entry);
    WriteDatabase(writer);
}

sim::Drive& DetectFixture::AddPlayer(char letter, const std::string& vendor,
                                     const std::string& product) {
    sim::Drive& drive = AddDrive(letter);
    drive.inquiry = sim::Inquiry{vendor, product, "1.00"};
    drive.vpd80 =
        std::vector<std::uint8_t>{0x00, 0x80, 0x00, 0x08, 'Z', 'J', '0', '0', '1', '2', '3', '4'};
    drive.vpdC0 = std::vector<std::uint8_t>{0x00, 0x00};
    return drive;
}

int DetectFixture::Enumerate(PFNPORTDEVENUMCALLBACK callback, long callerValue) {
    reported_.clear();
    return KPZPortableDeviceDetectionEnumDevices(kDatabase, callback, callerValue);
}

int DetectFixture::Keep(tagPORTDEVINFO& device, long) {
    reported_.push_back(device);
    return 1;
}

std::string DetectFixture::OpenedVolumes() const {
    std::string letters;
    for (const auto& open : machine_.HandleOpens()) letters += open.name.substr(4, 1);
    return letters;
}

}  // namespace test
