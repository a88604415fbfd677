// The fuzz target's catalogue seeds, run through the same check as the fuzz
// target runs on inputs starting with "HCAT".
#include <gtest/gtest.h>

#include <QDir>

#include "fuzz/CatalogueFuzz.h"
#include "support/CatalogueSupport.h"

namespace {

class CatalogueFuzzCorpus : public vxtest::CatalogueTest {};

TEST_F(CatalogueFuzzCorpus, SeedsReadSaveAndRewrite) {
    const QFileInfoList files =
        QDir(QStringLiteral(VX_FUZZ_DIR "/corpus")).entryInfoList({QStringLiteral("*.cat")}, QDir::Files, QDir::Name);
    EXPECT_GE(files.size(), 3);
    int opened = 0;
    for (const QFileInfo& info : files) {
        const std::vector<uint8_t> bytes = vxtest::ReadAll(info.absoluteFilePath().toStdString());
        EXPECT_EQ(vxfuzz::CheckCatalogue(bytes.data(), bytes.size()), "") << info.fileName().toStdString();
        CCatalogue cat;
        if (cat.OpenFromBytes(bytes).empty()) ++opened;
    }
    // Some seeds are whole catalogues, some damaged ones.
    EXPECT_GE(opened, 2);
    EXPECT_LT(opened, files.size());
}

}  // namespace
