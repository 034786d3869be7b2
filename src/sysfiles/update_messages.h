// The system-file update's two message boxes: modal, no owner, an information icon, OK.
#pragma once

#include <string>
#include <string_view>

constexpr const char* kSystemFilesCaption = "System Files Error";

std::string NewerFilesMessageText(char driveLetter, std::string_view displayName);
std::string CopyErrorMessageText(char driveLetter, std::string_view displayName);

void ShowSystemFilesMessage(const std::string& text);
