// Safely Remove's calls to udisks2, against python3-dbusmock on a private bus standing in for
// the system bus.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/qt/udisks_release.h"
#include "private_bus.h"
#include "support/temp_dir.h"

namespace {

class UdisksRelease : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        missing_ = test::PrivateSystemBus::Missing();
        if (!missing_.empty()) return;
        folder_ = std::make_unique<test::TempDir>();
        bus_ = std::make_unique<test::PrivateSystemBus>(folder_->path());
        // Before the first use of the system bus, which Qt then keeps for the process.
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", bus_->Address().c_str(), 1);
        static int argc = 1;
        static char name[] = "udisks_release_test";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    static void TearDownTestSuite() {
        application_.reset();
        bus_.reset();
        folder_.reset();
    }

    void SetUp() override {
        if (!missing_.empty()) GTEST_SKIP() << "udisks2 stand-in not available: " << missing_;
        ASSERT_FALSE(bus_->Address().empty()) << "dbus-daemon did not start";
    }

    // Starts the stand-in with these parameters; then releases /dev/sdb1 through it.
    std::string Release(const std::string& parameters, bool& poweredOff) {
        const std::string stand_in = std::string(KPZ_TEST_SOURCE_DIR) + "/udisks2_stand_in.py";
        log_ = log_.empty() ? folder_->PathOf("calls.log") : log_ + "x";
        EXPECT_TRUE(bus_->StartMock(stand_in, parameters, log_));
        return qtui::UdisksRelease().Release("/dev/sdb1", poweredOff);
    }

    // The udisks2 methods called, in order: "Unmount PowerOff". The log has a line
    // "<time> <method> <arguments>" for each call (and others for what a call raised).
    std::string Calls() const {
        std::ifstream in(log_);
        std::string line, calls;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            std::string time, method, next;
            words >> time >> method >> next;
            if ((method == "Unmount" || method == "PowerOff") && next != "raised:") {
                calls += (calls.empty() ? "" : " ") + method;
            }
        }
        return calls;
    }

    std::string log_;
    static inline std::string missing_;
    static inline std::unique_ptr<test::TempDir> folder_;
    static inline std::unique_ptr<test::PrivateSystemBus> bus_;
    static inline std::unique_ptr<QCoreApplication> application_;
};

TEST_F(UdisksRelease, UnmountsThenPowersOff) {
    bool poweredOff = false;
    EXPECT_EQ(Release("{}", poweredOff), "");
    EXPECT_TRUE(poweredOff);
    EXPECT_EQ(Calls(), "Unmount PowerOff");
}

TEST_F(UdisksRelease, NoPowerOffWhenTheDriveCannot) {
    bool poweredOff = true;
    EXPECT_EQ(Release(R"({"CanPowerOff": false})", poweredOff), "");
    EXPECT_FALSE(poweredOff);
    EXPECT_EQ(Calls(), "Unmount");
}

TEST_F(UdisksRelease, AnErrorAnswerIsShownAsItCame) {
    struct Case {
        const char* parameters;
        const char* shown;
        const char* calls;
    } cases[] = {
        {R"({"UnmountError": "Error unmounting /dev/sdb1: target is busy"})",
         "Error unmounting /dev/sdb1: target is busy", "Unmount"},
        {R"({"PowerOffError": "Not authorized to perform operation"})",
         "unmounted, but Not authorized to perform operation", "Unmount PowerOff"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters);
        bool poweredOff = true;
        EXPECT_EQ(Release(c.parameters, poweredOff), c.shown);
        EXPECT_FALSE(poweredOff);
        EXPECT_EQ(Calls(), c.calls);
    }
}

TEST(UdisksBlockPath, EscapesAsUdisksNamesItsObjects) {
    EXPECT_EQ(qtui::UdisksBlockPath("/dev/sdb1"), "/org/freedesktop/UDisks2/block_devices/sdb1");
    EXPECT_EQ(qtui::UdisksBlockPath("/dev/mapper/zarn-disk"),
              "/org/freedesktop/UDisks2/block_devices/zarn_2ddisk");
}

}  // namespace
