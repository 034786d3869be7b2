// The udev rule made from a database: one line per vendor udev can match exactly.
#include <gtest/gtest.h>

#include "database/database_writer.h"
#include "support/temp_dir.h"
#include "udev/udev_rule.h"

namespace {

TEST(UdevRule, OneRulePerVendorUdevCanMatch) {
    std::vector<std::string> skipped;
    const std::string rules =
        udevtool::UdevRules({"Velmora", "Zarn Co", "", "Bad\"Quote", "Glob*", "Tab\tX"}, skipped);
    EXPECT_NE(rules.find("SUBSYSTEM==\"block\", ENV{DEVTYPE}==\"disk\", SUBSYSTEMS==\"usb\", "
                         "ATTRS{vendor}==\"Velmora\", TAG+=\"uaccess\"\n"),
              std::string::npos);
    EXPECT_NE(rules.find("ATTRS{vendor}==\"Zarn Co\""), std::string::npos);
    EXPECT_EQ(skipped, (std::vector<std::string>{"", "Bad\"Quote", "Glob*", "Tab\tX"}));
}

TEST(UdevRule, VendorsOfADatabaseOnceWithoutTrailingBlanks) {
    test::TempDir temp;
    dbtool::Description first, second, other;
    first.productId = "ZJ-20           ";
    second.productId = "ZJ-30           ";
    other.vendorId = "Zarn    ";
    other.productId = "ZX              ";
    const std::string path = temp.PathOf("KPZSupportedPortableDevices.bin");
    std::string error;
    ASSERT_TRUE(
        dbtool::DatabaseWriter().Entry(first).Entry(second).Entry(other).WriteFile(path, error))
        << error;
    std::vector<std::string> vendors;
    ASSERT_TRUE(udevtool::DatabaseVendors(path, vendors, error)) << error;
    EXPECT_EQ(vendors, (std::vector<std::string>{"Velmora", "Zarn"}));

    test::WriteHostFile(temp.PathOf("broken.bin"), "not a database");
    vendors.clear();
    EXPECT_FALSE(udevtool::DatabaseVendors(temp.PathOf("broken.bin"), vendors, error));
    EXPECT_NE(error.find("not a supported-devices database"), std::string::npos);
}

}  // namespace
