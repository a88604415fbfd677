// `vexelwork catalogue dump` and `vexelwork catalogue rewrite`, run as a
// separate process.
#include <gtest/gtest.h>

#include <QProcess>

#include "support/CatalogueSupport.h"

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun Vexelwork(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(VEXELWORK_BINARY), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

class CatalogueCli : public vxtest::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        dir_ = vxtest::TempDir();
        path_ = dir_ + "/shapes.cat";
        auto ob = std::make_unique<CCatalogueOb>();
        ob->SetName("Actor");
        ob->AddFormat(49161, "Vexelwork Objects", std::vector<uint8_t>{1, 2, 3});
        ob->SetIcon(std::make_unique<CDib>(vxtest::TinyBmp(2, 2, 24)), nullptr);
        cat_.Add(std::move(ob));
        cat_.propertyObject().SetNamedData("View Mode", std::vector<uint8_t>{1, 0, 0, 0});
        ASSERT_EQ(cat_.SaveAs(path_), "");
    }
    std::string dir_, path_;
    CCatalogue cat_;
};

TEST_F(CatalogueCli, DumpPrintsStableJson) {
    const CliRun r = Vexelwork({"catalogue", "dump", Q(path_)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, R"({
  "name": "shapes",
  "items": [
    {
      "name": "Actor",
      "icon": {
        "bytes": 70,
        "width": 2,
        "height": 2,
        "bitCount": 24
      },
      "mask": null,
      "entries": [
        {
          "format": 49161,
          "name": "Vexelwork Objects",
          "size": 3
        }
      ]
    }
  ],
  "properties": {
    "entries": [
      {
        "format": 0,
        "name": "Catalogue Property Object",
        "size": 0
      },
      {
        "format": 0,
        "name": "View Mode",
        "size": 4
      }
    ]
  }
}
)");
}

TEST_F(CatalogueCli, AnIconTheBitmapReaderRefusesIsReportedAndKept) {
    std::vector<uint8_t> bmp = vxtest::TinyBmp(2, 2, 24);
    bmp[28] = 7;  // a bit count that does not exist
    cat_.item(0).SetIcon(std::make_unique<CDib>(bmp), nullptr);
    ASSERT_EQ(cat_.Save(), "");
    const CliRun r = Vexelwork({"catalogue", "dump", Q(path_)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"bytes\": 70,\n        \"damaged\": \""), std::string::npos) << r.out;
    EXPECT_EQ(Vexelwork({"catalogue", "rewrite", Q(path_), Q(dir_ + "/copy.cat")}).status, 0);
    CCatalogue copy;
    ASSERT_EQ(copy.Open(dir_ + "/copy.cat"), "");
    EXPECT_EQ(copy.item(0).colourImage()->bytes(), bmp);
}

TEST_F(CatalogueCli, RewriteWritesTheCatalogueInFull) {
    // Some incremental saves leave old parts in the file.
    cat_.item(0).SetName("Actor 2");
    ASSERT_EQ(cat_.Save(), "");
    cat_.item(0).SetName("Actor 3");
    ASSERT_EQ(cat_.Save(), "");
    const std::string out = dir_ + "/compact.cat";
    const CliRun r = Vexelwork({"catalogue", "rewrite", Q(path_), Q(out)});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<uint8_t> compact;
    std::unique_ptr<CCatalogue> copy = cat_.Copy();
    ASSERT_EQ(copy->SaveToBuffer(compact, 0), "");
    EXPECT_EQ(vxtest::ReadAll(out), compact);
    EXPECT_LT(compact.size(), vxtest::ReadAll(path_).size());
    // Over its own file as well.
    EXPECT_EQ(Vexelwork({"catalogue", "rewrite", Q(path_), Q(path_)}).status, 0);
    EXPECT_EQ(vxtest::ReadAll(path_), compact);
}

TEST_F(CatalogueCli, FailuresPrintOneLineAndExitWithOne) {
    std::vector<uint8_t> bytes = vxtest::ReadAll(path_);
    bytes[8] = 3;
    bytes[9] = bytes[10] = bytes[11] = 0;
    const std::string bad = dir_ + "/bad.cat";
    vxtest::WriteAll(bad, bytes);
    CliRun r = Vexelwork({"catalogue", "dump", Q(bad)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "vexelwork: " + bad + ": damaged catalogue: the directory offset 3 is outside the " +
                         std::to_string(bytes.size()) + "-byte file's contents (at byte 8)\n");
    r = Vexelwork({"catalogue", "rewrite", Q(path_), Q(dir_ + "/no/such/folder.cat")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vexelwork: " + dir_ + "/no/such/folder.cat: the folder does not exist; nothing was written\n");
    r = Vexelwork({"catalogue", "dump"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "vexelwork: usage: vexelwork catalogue dump FILE.cat | catalogue rewrite IN.cat OUT.cat\n");
}

}  // namespace
