// One copy by the upgrade engine on the data set's simulated computer, checked afterwards.
#pragma once

#include "support/data_sets.h"
#include "support/usage.h"

namespace bench {

// CopyFileToDevice of the data set's file into the device folder (made beforehand, untimed,
// as the upgrade makes it before its first copy).
Usage CopyFileWithEngine(const FileDataSet& data);

// CreateFolderPath for the target folder and CopyFolderTree with a callback that records
// every notification; throws unless every file and folder was copied and reported.
Usage CopyTreeWithEngine(const TreeDataSet& data);

}  // namespace bench
