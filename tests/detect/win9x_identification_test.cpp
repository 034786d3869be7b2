// Identification on simulated Windows 98 and Me machines: which methods run, in which order,
// and what each finds.
#include "detect/drive_map.h"
#include "win9x_fixture.h"

namespace {

using namespace win32;
using test::kZarnAspiDeviceId;
using test::kZarnDeviceId;
using Texts = std::vector<std::string>;

class Win9xIdentification : public test::Win9xFixture {
  protected:
    // The model without its two queries, so only identification talks to the machine.
    void WriteQuietDatabase(int method) {
        dbtool::Description model = test::ZarnModel();
        model.identMethod = static_cast<std::uint8_t>(method);
        model.querySerialFlag = 0;
        model.queryStateFlag = 0;
        WriteDatabase({model});
    }
    std::string ReportedLetters() const {
        std::string letters;
        for (const auto& device : reported_) letters += device.driveLetter;
        return letters;
    }
};

TEST_F(Win9xIdentification, MethodZeroAsksTheBlockDriverAndMatchesTheWholeList) {
    // A method matches against every entry, not only those that name it.
    dbtool::Description other = test::ZarnModel("ZJ-30           ");
    dbtool::Description model = test::ZarnModel();
    model.identMethod = 1;
    WriteDatabase({other, model});
    AddPlayer('E');
    for (bool me : {false, true}) {
        if (me) UseWindowsMe();
        ASSERT_EQ(Enumerate(), 1);
        EXPECT_STREQ(reported_[0].desc.productId, "ZJ-20           ");
        EXPECT_STREQ(reported_[0].desc.serialNumber, "ZJ001234");
        EXPECT_EQ(reported_[0].desc.deviceState, 0);
    }
    EXPECT_FALSE(Called("VWIN32 440Dh"));            // method 0 found it: method 1 never ran
    EXPECT_EQ(Calls("VWIN32 4404h E:").size(), 6u);  // identify, serial, state; twice
    EXPECT_TRUE(StandardOutputTexts().empty());
    EXPECT_EQ(machine_.LiveLocalBlocks(), 0u);
}

TEST_F(Win9xIdentification, MethodOneFollowsWhenTheDriverKeepsItsPrivateRequest) {
    dbtool::Description zero = test::ZarnModel("ZJ-30           ");
    dbtool::Description one = test::ZarnModel();
    one.identMethod = 1;
    one.querySerialFlag = 0;
    one.queryStateFlag = 0;
    WriteDatabase({zero, one});
    AddPlayer('E').blockDriver.privateRequest = false;
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_EQ(machine_.ServiceCalls(),
              (Texts{"CreateFileA \\\\.\\VWIN32", "VWIN32 4404h E:", "CloseHandle \\\\.\\VWIN32",
                     "CreateFileA \\\\.\\VWIN32", "VWIN32 440Dh E:", "CloseHandle \\\\.\\VWIN32"}));
    EXPECT_EQ(StandardOutputTexts(),
              (Texts{"Sending Inquiry\n", "DeviceType:     00\n", "RemovableMedia:  1\n"}));
    EXPECT_EQ(machine_.LiveLocalBlocks(), 0u);
}

TEST_F(Win9xIdentification, FailedRequestsWriteTheirErrorsAndTheNextMethodRuns) {
    dbtool::Description zero = test::ZarnModel();
    dbtool::Description one = test::ZarnModel("ZJ-30           ");
    one.identMethod = 1;
    for (auto* model : {&zero, &one}) model->querySerialFlag = model->queryStateFlag = 0;
    WriteDatabase({zero, one});
    const Texts methodOne = {"Sending Inquiry\n", "DeviceType:     00\n", "RemovableMedia:  1\n"};
    const struct {
        const char* what;
        void (*arrange)(sim::BlockDriver&);
        int found;
        Texts texts;
    } rows[] = {
        {"private request fails",
         [](sim::BlockDriver& d) { d.privateError = 31; },
         1,
         {"GetLastError() = 31\n", methodOne[0], methodOne[1], methodOne[2]}},
        {"nonzero driver status", [](sim::BlockDriver& d) { d.privateStatus = 2; }, 1, methodOne},
        {"pass-through fails",
         [](sim::BlockDriver& d) {
             d.privateRequest = false;
             d.passThroughError = 50;
         },
         0,
         {"Sending Inquiry\n", "error sending IOCTL (50)\n"}},
        {"carry set",
         [](sim::BlockDriver& d) {
             d.privateRequest = false;
             d.passThroughCarry = true;
         },
         0,
         {"Sending Inquiry\n", "error sending IOCTL (31)\n"}},  // DOS general failure
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        row.arrange(AddPlayer('E').blockDriver);
        const std::size_t before = StandardOutputTexts().size();
        EXPECT_EQ(Enumerate(), row.found);
        const Texts all = StandardOutputTexts();
        EXPECT_EQ(Texts(all.begin() + static_cast<long>(before), all.end()), row.texts);
    }
    EXPECT_EQ(machine_.LiveLocalBlocks(), 0u);
}

TEST_F(Win9xIdentification, AnAllMethodTwoDatabaseSkipsMethodsZeroAndOneOnBothRoutes) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddDiskDrive();
    AddRegistryInstance(kZarnDeviceId, "0001", 'E');
    AddScsiTarget(0, 0);
    AddRegistryInstance(kZarnAspiDeviceId, "0001", 'E');
    for (bool me : {false, true}) {
        SCOPED_TRACE(me ? "Windows Me" : "Windows 98");
        if (me) UseWindowsMe();
        EXPECT_EQ(Enumerate(), 1);
        EXPECT_EQ(ReportedLetters(), "E");
    }
    EXPECT_FALSE(Called("CreateFileA"));
    EXPECT_TRUE(machine_.Vwin32Requests().empty());
}

TEST_F(Win9xIdentification, OnWindows98TheDiskDriveScanFindsThePlayerWithoutTheScsiManager) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddDiskDrive();
    AddRegistryInstance(kZarnDeviceId, "0001", 'E');
    AddScsiTarget(0, 0);
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_FALSE(Called("LoadLibraryA"));
    EXPECT_EQ(
        machine_.ServiceCalls(),
        (Texts{"SetupDiGetClassDevsA {4D36E967-E325-11CE-BFC1-08002BE10318}",
               "SetupDiEnumDeviceInfo 0", "SetupDiGetDeviceRegistryPropertyA 0 SPDRP_HARDWAREID",
               "SetupDiGetDeviceRegistryPropertyA 0 SPDRP_DEVICEDESC",
               "RegOpenKeyA ENUM\\SCSI\\Velmora_ZJ-20___________", "RegEnumKeyExA 0",
               "RegOpenKeyA 0001", "RegQueryValueExA Int13", "RegQueryValueExA PModeInt13",
               "RegQueryValueExA CurrentDriveLetterAssignment", "RegCloseKey", "RegEnumKeyExA 1",
               "RegCloseKey", "SetupDiEnumDeviceInfo 1", "SetupDiDestroyDeviceInfoList"}));
    EXPECT_EQ(StandardOutputTexts(),
              (Texts{"DeviceDesc = Velmora  ZJ-20           \n", "VendorID = Velmora \n",
                     "ProductID = ZJ-20           \n"}));
    EXPECT_EQ(DebuggerTexts(), (Texts{"0001", "\n", "Got Stmp drive\n"}));
    EXPECT_EQ(machine_.LiveLocalBlocks(), 0u);
}

TEST_F(Win9xIdentification, OnWindows98TheScsiManagerFollowsWhenTheDiskDriveScanMisses) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddDiskDrive("Other   ", "Disk            ");
    AddScsiTarget(0, 1);
    AddRegistryInstance(kZarnAspiDeviceId, "0000", 'e');  // a lower-case letter counts
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_TRUE(Called("SetupDiGetClassDevsA"));
    EXPECT_EQ(Calls("LoadLibraryA"), Texts{"LoadLibraryA WNASPI32.DLL"});
    EXPECT_EQ(Calls("SendASPI32Command"),
              (Texts{"SendASPI32Command 0:0", "SendASPI32Command 0:1"}));
    EXPECT_EQ(Calls("RegOpenKeyA ENUM"),
              Texts{"RegOpenKeyA ENUM\\SCSI\\Velmora_ZJ-20___________1"});
}

TEST_F(Win9xIdentification, OnWindowsMeTheSetupApiIsNeverCalled) {
    UseWindowsMe();
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddDiskDrive();
    AddRegistryInstance(kZarnDeviceId, "0001", 'E');
    AddScsiTarget(0, 0);
    AddRegistryInstance(kZarnAspiDeviceId, "0001", 'E');
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_FALSE(Called("SetupDi"));
    const Texts expected = {"LoadLibraryA WNASPI32.DLL",
                            "GetProcAddress GetASPI32SupportInfo",
                            "GetProcAddress SendASPI32Command",
                            "GetASPI32SupportInfo",
                            "CreateEventA",
                            "ResetEvent",
                            "SendASPI32Command 0:0",
                            "WaitForSingleObject",
                            "CloseHandle event",
                            "RegOpenKeyA ENUM\\SCSI\\Velmora_ZJ-20___________1"};
    const Texts calls = machine_.ServiceCalls();
    ASSERT_GE(calls.size(), expected.size());
    EXPECT_EQ(Texts(calls.begin(), calls.begin() + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(StandardOutputTexts(),
              (Texts{"VendorID = Velmora \n", "ProductID = ZJ-20           \n"}));
}

TEST_F(Win9xIdentification, TwoInstancesWithTwoLettersIdentifyEachDriveOnItsOwn) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddPlayer('G');
    AddPlayer('F');  // the same model, but the registry gives it no letter
    AddDiskDrive();
    AddRegistryInstance(kZarnDeviceId, "0001", 'G');
    AddRegistryInstance(kZarnDeviceId, "0002", 'E');
    ASSERT_EQ(Enumerate(), 2);
    EXPECT_EQ(ReportedLetters(), "EG");
    EXPECT_EQ(detect::g_driveMap.count, 2);
    EXPECT_EQ(detect::g_driveMap.entries[0].driveLetter, 'G');
    EXPECT_EQ(detect::g_driveMap.entries[1].driveLetter, 'E');
    EXPECT_STREQ(detect::g_driveMap.entries[1].desc.displayName, "Zarn Jukebox 20");
    // Built by the first drive; the others only look up.
    EXPECT_EQ(Calls("SetupDiGetClassDevsA").size(), 1u);
    EXPECT_EQ(Calls("GetASPI32SupportInfo").size(), 0u);  // F: the library is not there
    EXPECT_EQ(Calls("LoadLibraryA").size(), 1u);
    // The next enumeration scans again.
    ASSERT_EQ(Enumerate(), 2);
    EXPECT_EQ(Calls("SetupDiGetClassDevsA").size(), 2u);
}

TEST_F(Win9xIdentification, AnInstanceWithoutPModeInt13RegistersNothing) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddPlayer('G');
    AddDiskDrive();
    AddRegistryInstance(kZarnDeviceId, "0001", 'E', false);
    AddRegistryInstance(kZarnDeviceId, "0002", 'G');
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_EQ(ReportedLetters(), "G");
    EXPECT_EQ(Calls("RegQueryValueExA"),
              (Texts{"RegQueryValueExA Int13", "RegQueryValueExA PModeInt13",  // stops there
                     "RegQueryValueExA Int13", "RegQueryValueExA PModeInt13",
                     "RegQueryValueExA CurrentDriveLetterAssignment"}));
    EXPECT_EQ(DebuggerTexts(), (Texts{"0001", "\n", "0002", "\n", "Got Stmp drive\n"}));
}

TEST_F(Win9xIdentification, AScsiManagerRequestThatCompletesAtOnceIsNoAnswer) {
    UseWindowsMe();
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddScsiTarget(0, 0, true);
    AddRegistryInstance(kZarnAspiDeviceId, "0001", 'E');
    EXPECT_EQ(Enumerate(), 0);
    // Target 0 is not waited for; target 1, where there is no device, is.
    const Texts calls = machine_.ServiceCalls();
    ASSERT_GE(calls.size(), 9u);
    EXPECT_EQ(Texts(calls.end() - 9, calls.end()),
              (Texts{"CreateEventA", "ResetEvent", "SendASPI32Command 0:0", "CloseHandle event",
                     "CreateEventA", "ResetEvent", "SendASPI32Command 0:1", "WaitForSingleObject",
                     "CloseHandle event"}));
    EXPECT_FALSE(Called("RegOpenKeyA"));
    EXPECT_TRUE(StandardOutputTexts().empty());
}

TEST_F(Win9xIdentification, ATargetWithoutADeviceIsNoAnswer) {
    // The request is pending and the event signalled, but it ends in error: no identity came.
    UseWindowsMe();
    dbtool::Description nameless = test::ZarnModel();
    nameless.vendorId = "";
    nameless.productId = "";
    nameless.identMethod = 2;
    WriteDatabase({nameless});
    AddPlayer('E');
    AddEmptyScsiTarget(0, 0);
    AddScsiTarget(0, 1, false, "ZJ-30           ");
    AddRegistryInstance("", "0001", 'E');
    EXPECT_EQ(Enumerate(), 0);
    EXPECT_EQ(Calls("WaitForSingleObject").size(), 2u);
    EXPECT_EQ(StandardOutputTexts(),
              (Texts{"VendorID = Velmora \n", "ProductID = ZJ-30           \n"}));
    EXPECT_FALSE(Called("RegOpenKeyA"));
}

TEST_F(Win9xIdentification, TheScsiManagerScanDropsWhatTheDiskDriveScanRegistered) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddPlayer('F');
    AddDiskDrive();
    AddRegistryInstance(kZarnDeviceId, "0001", 'F');
    AddScsiTarget(0, 0);
    AddRegistryInstance(kZarnAspiDeviceId, "0001", 'E');
    // E: is not in the disk-drive scan's map, so the SCSI manager's scan runs and replaces
    // the map; F: then finds neither scan pending and no entry of its own.
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_EQ(ReportedLetters(), "E");
    EXPECT_EQ(Calls("SetupDiGetClassDevsA").size(), 1u);
    EXPECT_EQ(Calls("GetASPI32SupportInfo").size(), 1u);
}

TEST_F(Win9xIdentification, AScanThatFailsStaysPendingForTheNextDrive) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddPlayer('G');
    machine_.DiskDrives().fails = true;
    EXPECT_EQ(Enumerate(), 0);
    EXPECT_EQ(Calls("SetupDiGetClassDevsA").size(), 2u);
    EXPECT_EQ(Calls("LoadLibraryA").size(), 2u);  // no library: tried again for each drive
    EXPECT_EQ(DebuggerTexts(), (Texts{"GetClassDevs failed\n", "GetClassDevs failed\n"}));

    // A SCSI manager that reports no adapters, or a failure, leaves its scan pending too.
    UseWindowsMe();
    for (DWORD supportInfo : {0x0100u, 0x0401u}) {
        sim::ScsiManager manager;
        manager.supportInfo = supportInfo;
        manager.adapters.resize(1);
        machine_.SetScsiManager(manager);
        const std::size_t before = Calls("GetASPI32SupportInfo").size();
        EXPECT_EQ(Enumerate(), 0);
        EXPECT_EQ(Calls("GetASPI32SupportInfo").size(), before + 2);
        EXPECT_EQ(Calls("SendASPI32Command").size(), 0u);
    }
    // The library stays loaded from the first use that succeeded.
    EXPECT_EQ(Calls("LoadLibraryA").size(), 3u);
}

TEST_F(Win9xIdentification, AScsiManagerWithoutItsEntryPointIsLetGo) {
    UseWindowsMe();
    WriteQuietDatabase(2);
    AddPlayer('E');
    sim::ScsiManager manager;
    manager.adapters.resize(1);
    manager.missingEntryPoint = "SendASPI32Command";
    machine_.SetScsiManager(manager);
    EXPECT_EQ(Enumerate(), 0);
    EXPECT_EQ(machine_.ServiceCalls(),
              (Texts{"LoadLibraryA WNASPI32.DLL", "GetProcAddress GetASPI32SupportInfo",
                     "GetProcAddress SendASPI32Command", "FreeLibrary WNASPI32.DLL"}));
}

TEST_F(Win9xIdentification, ARegistrationBeyondTheTwentySixthEntryIsDropped) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddPlayer('Q');
    AddDiskDrive();
    for (int i = 0; i < 26; ++i) {
        AddRegistryInstance(kZarnDeviceId, "00" + std::to_string(10 + i), 'Q');
    }
    AddRegistryInstance(kZarnDeviceId, "0036", 'E');
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_EQ(ReportedLetters(), "Q");
    EXPECT_EQ(detect::g_driveMap.count, 26);
    const Texts debugger = DebuggerTexts();
    EXPECT_EQ(debugger.back(), "Drive map full: E: not registered\n");
    EXPECT_EQ(std::count(debugger.begin(), debugger.end(), "Got Stmp drive\n"), 26);
}

TEST_F(Win9xIdentification, RegistrationWithoutAKeyOrALetterIdentifiesNothing) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddDiskDrive();
    EXPECT_EQ(Enumerate(), 0);
    EXPECT_EQ(DebuggerTexts(), Texts{"No key\n"});
}

TEST_F(Win9xIdentification, TheDiskDriveScanPassesOverDevicesItCannotRead) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddDiskDrive().hardwareIdError = ERROR_INVALID_DATA;      // skipped
    AddDiskDrive().deviceDescError = ERROR_INVALID_DATA;      // skipped
    AddDiskDrive().deviceDesc = "Velmore  ZJ-20           ";  // another vendor
    AddDiskDrive().hardwareId = std::string("Velmora ZJ-20") + std::string(300, ' ');  // grows
    AddRegistryInstance(kZarnDeviceId, "0001", 'E');
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_EQ(StandardOutputTexts(),
              (Texts{"DeviceDesc = Velmore  ZJ-20           \n",
                     "DeviceDesc = Velmora  ZJ-20           \n", "VendorID = Velmora \n",
                     "ProductID = ZJ-20           \n"}));
    EXPECT_EQ(Calls("SetupDiGetDeviceRegistryPropertyA 3 SPDRP_HARDWAREID").size(), 2u);
    EXPECT_EQ(machine_.LiveLocalBlocks(), 0u);
}

TEST_F(Win9xIdentification, ADiskDriveScanThatFailsMidwayLooksUpWhatItFound) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddPlayer('G');
    AddDiskDrive();
    AddDiskDrive().hardwareIdError = ERROR_ACCESS_DENIED;
    AddRegistryInstance(kZarnDeviceId, "0001", 'E');
    AddRegistryInstance(kZarnDeviceId, "0002", 'G');
    // E: is found with what was registered before the failure; the scan stays pending, so
    // G: runs it again (and registers the same instances once more).
    ASSERT_EQ(Enumerate(), 2);
    EXPECT_EQ(Calls("SetupDiGetClassDevsA").size(), 2u);
    EXPECT_EQ(Calls("SetupDiDestroyDeviceInfoList").size(), 2u);
    EXPECT_EQ(detect::g_driveMap.count, 4);
    const Texts debugger = DebuggerTexts();
    EXPECT_EQ(std::count(debugger.begin(), debugger.end(), "GetDeviceRegistryProperty failed\n"),
              2);
}

TEST_F(Win9xIdentification, TheDiskDriveScanReportsOtherEnumerationErrorsAndMemoryFailures) {
    WriteQuietDatabase(2);
    AddPlayer('E');
    AddDiskDrive().enumError = ERROR_GEN_FAILURE;
    EXPECT_EQ(Enumerate(), 0);
    EXPECT_EQ(DebuggerTexts().back(), "EnumDeviceInfo failed");
    EXPECT_EQ(Calls("SetupDiGetDeviceRegistryPropertyA").size(), 0u);

    machine_.DiskDrives().devices = {};
    AddDiskDrive();
    AddRegistryInstance(kZarnDeviceId, "0001", 'E');
    machine_.FailLocalAllocAt(1);  // the hardware identifier's first buffer
    EXPECT_EQ(Enumerate(), 0);
    EXPECT_EQ(DebuggerTexts().back(), "Allocation failed\n");
    EXPECT_EQ(Calls("SetupDiDestroyDeviceInfoList").size(), 2u);
    EXPECT_EQ(Enumerate(), 1);  // memory is back: the scan runs again
}

TEST_F(Win9xIdentification, TheDriveMapNeedsAnAccessibleRoot) {
    WriteQuietDatabase(2);
    machine_.AddDrive('E', DRIVE_REMOVABLE, std::nullopt);  // no medium
    AddDiskDrive();
    AddRegistryInstance(kZarnDeviceId, "0001", 'E');
    AddRegistryInstance(kZarnDeviceId, "0002", 'E');
    EXPECT_EQ(Enumerate(), 0);
    // Only the first entry with the letter is tried.
    EXPECT_EQ(machine_.ErrorModes(),
              (std::vector<UINT>{SEM_FAILCRITICALERRORS, SEM_FAILCRITICALERRORS, 0}));
}

TEST_F(Win9xIdentification, IdentityComparisonsFoldTheCodePagesLetters) {
    dbtool::Description model = test::ZarnModel("ZJ-20 \xC9\xC4        ");  // capitals
    model.identMethod = 2;
    model.querySerialFlag = 0;
    model.queryStateFlag = 0;
    WriteDatabase({model});
    AddPlayer('E');
    sim::DiskDrive& drive = AddDiskDrive("VELMORA ", "zj-20 \xE9\xE4        ");
    drive.deviceDesc = "velmora  zj-20 \xE9\xE4        ";
    AddRegistryInstance("VELMORA_zj-20_\xE9\xE4________", "0001", 'E');
    ASSERT_EQ(Enumerate(), 1);
    EXPECT_STREQ(reported_[0].desc.productId, "ZJ-20 \xC9\xC4        ");
}

}  // namespace
