#include "database/database_file_write.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace dbtool {

bool WriteDatabaseFile(const std::string& hostPath, const std::string& bytes, std::string& error) {
    const std::string temporary = hostPath + ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::remove(temporary.c_str());
        error = hostPath + ": cannot be written";
        return false;
    }
    std::error_code failure;
    std::filesystem::rename(temporary, hostPath, failure);
    if (failure) {
        std::remove(temporary.c_str());
        error = hostPath + ": cannot be written: " + failure.message();
        return false;
    }
    return true;
}

}  // namespace dbtool
