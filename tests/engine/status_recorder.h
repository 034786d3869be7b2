// Records the status notifications a procedure sends; the callback is a plain function, so
// the recorder in use is reached through a pointer for the test's duration.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "kpz/upgrade_status.h"

namespace test {

struct Notification {
    std::uint32_t code;
    bool hasRecord;
    std::uint32_t pos;
    std::uint32_t count;
    std::string text;
};

class StatusRecorder {
  public:
    StatusRecorder() { current_ = this; }
    ~StatusRecorder() { current_ = nullptr; }

    static void Callback(tagPORTDEVINFO&, std::uint32_t code, tagUPDATESYSFILEINFO* info) {
        StatusRecorder& self = *current_;
        self.sent.push_back({code, info != nullptr, info ? info->dwPos : 0,
                             info ? info->dwCount : 0, info ? info->szText : ""});
        if (self.onNotify) self.onNotify(code, self.sent.size());
    }

    std::vector<std::uint32_t> Codes() const {
        std::vector<std::uint32_t> codes;
        for (const auto& n : sent) codes.push_back(n.code);
        return codes;
    }

    std::vector<Notification> sent;
    // Runs after each notification with its code and its number (from 1); may throw.
    std::function<void(std::uint32_t code, std::size_t number)> onNotify;

  private:
    static inline StatusRecorder* current_ = nullptr;
};

}  // namespace test
