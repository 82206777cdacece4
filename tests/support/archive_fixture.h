// Archives packed by the 7z tool at test time, in the folder of the test's executable.
#pragma once
#include <string>
#include <utility>
#include <vector>
#include "app_folder_test.h"

class ArchiveTest : public AppFolderTest {
public:
    using Files = std::vector<std::pair<std::string, std::string>>;

protected:
    void TearDown() override;

    // Packs the files (names with "/" make folders; a name ending in "/" is an empty folder)
    // into the archive, one file per folder, with the coder as the 7z tool's -m0= takes it:
    // "LZMA", "Copy", or a chain such as "Delta -m1=LZMA".
    void pack(const std::string& archive, const Files& files, const std::string& coder = "LZMA");
};
