#include "front_end_fixture.h"

#include <stdexcept>

#include "app/application.h"
#include "app/progress_window.h"
#include "database/database_writer.h"
#include "firmware/firmware_image_writer.h"
#include "sysfile/header_writer.h"

namespace test {

std::string FirmwareProgram(const std::string& tag) {
    sftool::HeaderFields fields;
    fields.name = "kvq.exe";
    fields.version = tag;
    fields.tag = "ZARN";
    fields.fill = '\0';  // a version tag ends at its first zero byte
    sftool::Bytes header;
    std::string error;
    if (!sftool::MakeSysFileHeader(fields, header, error)) throw std::runtime_error(error);
    return std::string(header.begin(), header.end()) + std::string(100, 'p');
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
