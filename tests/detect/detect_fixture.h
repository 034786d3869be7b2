// A simulated computer with a database beside the utility and players to plug in.
#pragma once

#include <string>
#include <vector>

#include "database/database_writer.h"
#include "kpz/detection.h"
#include "support/sim_fixture.h"

namespace test {

// The model most tests use: asks for serial and state, has two system files.
dbtool::Description ZarnModel(const std::string& product = "ZJ-20           ");

class DetectFixture : public SimFixture {
  protected:
    ~DetectFixture() override;

    static constexpr const char* kDatabase = "C:\\Zarn\\KPZSupportedPortableDevices.bin";

    // Writes the database file at kDatabase.
    void WriteDatabase(const dbtool::DatabaseWriter& writer);
    void WriteDatabase(const std::vector<dbtool::Description>& entries,
                       dbtool::FormatVersion version = dbtool::FormatVersion::v9_00);

    // A removable drive with a medium whose device reports this identity and pages.
    sim::Drive& AddPlayer(char letter, const std::string& vendor = "Velmora ",
                          const std::string& product = "ZJ-20           ");

    // Runs the enumeration, keeping a copy of every reported record.
    int Enumerate(PFNPORTDEVENUMCALLBACK callback = &Keep, long callerValue = 0);
    static int Keep(tagPORTDEVINFO& device, long callerValue);

    // The letters of the volumes opened, in order.
    std::string OpenedVolumes() const;

    static std::vector<tagPORTDEVINFO> reported_;
};

}  // namespace test
