// kpz-udevrule: the udev rule for the players of a supported-devices database.
#include <cstdio>
#include <fstream>
#include <string>

#include "udev/udev_rule.h"

int main(int argc, char** argv) {
    if (argc != 4 || std::string(argv[2]) != "-o") {
        std::fputs(
            "Usage: kpz-udevrule DATABASE -o RULES\n"
            "Writes the udev rule that gives the user at the seat access to the disks of\n"
            "the players the supported-devices database DATABASE names.\n",
            stderr);
        return 2;
    }
    std::vector<std::string> vendors;
    std::string error;
    if (!udevtool::DatabaseVendors(argv[1], vendors, error)) {
        std::fprintf(stderr, "kpz-udevrule: %s\n", error.c_str());
        return 1;
    }
    std::vector<std::string> skipped;
    const std::string rules = udevtool::UdevRules(vendors, skipped);
    for (const std::string& vendor : skipped) {
        std::fprintf(stderr, "kpz-udevrule: no rule for vendor \"%s\": udev cannot match it\n",
                     vendor.c_str());
    }
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out << rules;
    out.close();
    if (!out) {
        std::fprintf(stderr, "kpz-udevrule: %s: cannot be written\n", argv[3]);
        return 1;
    }
    return 0;
}
