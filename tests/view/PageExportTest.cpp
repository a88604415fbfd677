// Exporting a page to an image file: a failed write leaves the old file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>

#include "model/HyperPage.h"
#include "platform/SafeSave.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"
#include "view/PageExport.h"

TEST(PageExport, AFailedWriteLeavesTheOldFileForEveryFormat) {
    CHyperPage page;
    const std::string dir = vxtest::TempDir();
    const std::vector<uint8_t> before = {'o', 'l', 'd'};
    for (const char* suffix : {"png", "svg", "pdf"}) {
        SCOPED_TRACE(suffix);
        const std::string name = std::string("page.") + suffix;
        const std::string path = dir + "/" + name;
        EXPECT_EQ(vx::ExportPage(page, path), "");
        EXPECT_GT(vxtest::ReadAll(path).size(), 100u);
        vxtest::WriteAll(path, before);
        for (auto step : {vx::SafeSaveFaults::kWrite, vx::SafeSaveFaults::kSync, vx::SafeSaveFaults::kRename}) {
            vx::SafeSaveFaults::Arm(step, 1, ENOSPC);
            const std::string err = vx::ExportPage(page, path);
            vx::SafeSaveFaults::Clear();
            EXPECT_NE(err.find("out of disk space"), std::string::npos) << err;
            EXPECT_EQ(vxtest::ReadAll(path), before);
        }
        ::unlink(path.c_str());
    }
    EXPECT_TRUE(vxtest::FolderEntries(dir).empty());
}
