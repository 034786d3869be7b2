// A fresh folder for the benchmarks' test data, removed with everything in it at the end.
#pragma once

#include <filesystem>

namespace bench {

class ScratchFolder {
  public:
    // A new folder below $KPZ_BENCH_SCRATCH, else $TMPDIR, else /tmp.
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace bench
