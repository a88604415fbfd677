// The fuzz target's seed inputs and every input that once made it fail,
// read, shown and written again as the fuzz target does.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "fuzz/ReadWrite.h"
#include "shapes/ShapeClasses.h"

namespace {

void CheckFolder(const QString& folder, int atLeast) {
    RegisterShapeClasses();
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    EXPECT_GE(files.size(), atLeast) << folder.toStdString();
    for (const QFileInfo& info : files) {
        QFile f(info.absoluteFilePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << info.fileName().toStdString();
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(vxfuzz::ReadAndWriteAgain(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())),
                  "")
            << info.fileName().toStdString();
    }
}

}  // namespace

TEST(FuzzCorpus, SeedsReadAndWriteAgain) { CheckFolder(QStringLiteral(VX_FUZZ_DIR "/corpus"), 3); }

TEST(FuzzCorpus, FormerCrashesReadAndWriteAgain) { CheckFolder(QStringLiteral(VX_FUZZ_DIR "/regressions"), 0); }
