#include "platform/address32.h"

#include <map>
#include <mutex>

namespace platform {
namespace {

struct Mapping {
    void* buffer;
    std::size_t size;
};

struct Registry {
    std::mutex mutex;
    std::map<std::uint32_t, Mapping> mappings;
    std::uint32_t next = 0x00100000;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

Address32::Address32(void* buffer, std::size_t size) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    // Tokens are never 0, and step by 0x1000 so a token is never mistaken for a small number.
    do {
        registry.next += 0x1000;
        if (registry.next == 0) registry.next = 0x00100000;
    } while (registry.mappings.count(registry.next) != 0);
    token_ = registry.next;
    registry.mappings[token_] = Mapping{buffer, size};
}

Address32::~Address32() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.mappings.erase(token_);
}

void* Address32::Resolve(std::uint32_t token, std::size_t size) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.mappings.find(token);
    if (it == registry.mappings.end() || it->second.size < size) return nullptr;
    return it->second.buffer;
}

std::size_t Address32::MappedSize(std::uint32_t token) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.mappings.find(token);
    return it == registry.mappings.end() ? 0 : it->second.size;
}

}  // namespace platform
