#include "front_end_fixture.h"

#include "app/application.h"
#include "app/progress_window.h"
#include "database/database_writer.h"
#include "firmware/firmware_image_writer.h"

namespace test {

std::string FirmwareProgram(const std::string& tag) {
    std::string bytes(64, '\0');
    bytes.replace(4, 7, "kvq.exe");
    bytes.replace(40, std::min<std::size_t>(tag.size(), 8), tag.substr(0, 8));
    bytes.replace(48, 4, "ZARN");
    return bytes + std::string(100, 'p');
}

std::string FirmwareImage(const std::string& version) {
    fwtool::FirmwareHeader header;
    header.version = version;
    return fwtool::ImageBytes(header, 700);
}

bool WatchedUiThread::Send(const std::function<void()>& task) {
    {
        std::lock_guard lock(mutex_);
        senders_.push_back(std::this_thread::get_id());
    }
    return loop_.Send(task);
}

std::vector<std::thread::id> WatchedUiThread::Senders() const {
    std::lock_guard lock(mutex_);
    return senders_;
}

FrontEndFixture::FrontEndFixture() {
    g_theApp.SetMainWindow(&dlg_);
}

FrontEndFixture::~FrontEndFixture() {
    dlg_.OnDestroy();
    g_theApp.SetMainWindow(nullptr);
}

dbtool::Description FrontEndFixture::Model(const std::string& product, const std::string& name,
                                           std::vector<dbtool::SystemFile> files,
                                           std::uint32_t firmwareHeaderFlag) {
    dbtool::Description model;
    model.productId = product;
    model.productId.resize(16, ' ');
    model.displayName = name;
    model.hasSystemFiles = 1;
    model.systemFolder = "\\System";
    model.systemFiles = std::move(files);
    model.firmwareHeaderFlag = firmwareHeaderFlag;
    return model;
}

void FrontEndFixture::WriteDatabase(const std::vector<dbtool::Description>& models) {
    dbtool::DatabaseWriter writer;
    for (const auto& model : models) writer.Entry(model);
    WriteHostFile(Host(std::string(kInstallation) + "\\KPZSupportedPortableDevices.bin"),
                  writer.Bytes());
}

void FrontEndFixture::AddPlayer(char letter, const std::string& product) {
    sim::Drive& drive = AddDrive(letter);
    sim::Inquiry inquiry;
    inquiry.vendor = "Velmora ";
    inquiry.product = product;
    inquiry.product.resize(16, ' ');
    inquiry.revision = "1.00";
    drive.inquiry = inquiry;
}

void FrontEndFixture::WriteInstalled(const std::string& relative, const std::string& content) {
    WriteHostFile(Host(std::string(kInstallation) + "\\" + relative), content);
}

void FrontEndFixture::WriteOnDrive(const std::string& windowsPath, const std::string& content) {
    WriteHostFile(Host(windowsPath), content);
}

int FrontEndFixture::OpenWindow() {
    return dlg_.OnInitDialog(view_);
}

bool FrontEndFixture::RunUntilIdle() {
    return loop_.RunUntil(
        [this] { return dlg_.m_bUpgradeRunning.load() == 0 && dlg_.m_nTimerId == 0; });
}

}  // namespace test
