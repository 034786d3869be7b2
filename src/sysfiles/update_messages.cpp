#include "sysfiles/update_messages.h"

#include "platform/ui.h"

namespace {

std::string DeviceText(char driveLetter, std::string_view displayName) {
    return "(" + std::string(1, driveLetter) + ":) " + std::string(displayName);
}

}  // namespace

std::string NewerFilesMessageText(char driveLetter, std::string_view displayName) {
    return "One or more of the necessary files on your " + DeviceText(driveLetter, displayName) +
           " is missing or newer than the files installed on your system. Please check the web "
           "for the latest software update for your " +
           std::string(displayName) + ".";
}

std::string CopyErrorMessageText(char driveLetter, std::string_view displayName) {
    return "Unexpected errors (-4) occurred while updating the system files on the device.   One "
           "or more of the necessary system files was not properly updated on your " +
           DeviceText(driveLetter, displayName) + ". Please verify the device is working properly.";
}

void ShowSystemFilesMessage(const std::string& text) {
    win32::MessageBoxA(nullptr, text.c_str(), kSystemFilesCaption,
                       win32::MB_OK | win32::MB_ICONINFORMATION);
}
