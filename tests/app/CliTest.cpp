// The headless command line, run as a separate process.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <algorithm>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "model/AnchorFmt.h"
#include "model/GroupOps.h"
#include "model/HyperOleDoc.h"
#include "model/LayerFmt.h"
#include "model/HyperViewOb.h"
#include "shapes/BitmapOb.h"
#include "shapes/TextOb.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

namespace {

struct CliResult {
    int status;
    QString out, err;
};

CliResult Vexelwork(const QStringList& args, bool noDisplay = false) {
    QProcess p;
    if (noDisplay) {
        // As from a shell without a session: no display, no runtime folder.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        p.setProcessEnvironment(env);
    }
    p.start(QStringLiteral(VEXELWORK_BINARY), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

std::string MakeDesign(const std::string& dir) {
    CMyDoc doc;
    doc.SetTitle("Sample");
    auto ob = std::make_unique<CHyperOb>();
    ob->SetCodeRaw("Box1");
    CHyperOb* raw = doc.mainPage().Insert(std::move(ob));
    raw->SetRect(CRect(10, 20, 110, 70));
    const std::string path = dir + "/sample.vxw";
    EXPECT_EQ(doc.SaveToFile(path), "");
    return path;
}

// A design whose header claims a second object that is not there: it reads
// only in part.
std::string MakePartlyReadDesign(const std::string& dir) {
    const std::string path = MakeDesign(dir);
    std::vector<uint8_t> bytes = vxtest::ReadAll(path);
    const std::string marker("\x01\x00\x00\x00\x00\x00", 6);
    const auto at = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
    EXPECT_NE(at, bytes.end());
    if (at != bytes.end()) *at = 2;
    vxtest::WriteAll(path, bytes);
    return path;
}

}  // namespace

TEST(Cli, DumpPrintsStableJson) {
    const std::string dir = vxtest::TempDir();
    const std::string path = MakeDesign(dir);
    const CliResult r = Vexelwork({"dump", QString::fromStdString(path)});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("\"class\": \"CHyperOb\""));
    EXPECT_TRUE(r.out.contains("\"Code\": \"Box1\""));
    EXPECT_TRUE(r.out.contains("\"rect\": [10, 20, 110, 70]"));
    EXPECT_TRUE(r.out.contains("\"Title\": \"Sample\""));
    EXPECT_EQ(Vexelwork({"dump", QString::fromStdString(path)}).out, r.out);
}

TEST(Cli, DumpShowsGroupsLayersAndSnapPoints) {
    CMyDoc doc;
    CHyperPage& page = doc.mainPage();
    CLayer* notes = page.layers()->AddLayer("Notes");
    std::vector<CHyperOb*> members;
    for (const char* code : {"A", "B"}) {
        auto ob = std::make_unique<CHyperOb>();
        ob->SetCodeRaw(code);
        ob->setLayerId(notes->id);
        members.push_back(page.Insert(std::move(ob)));
    }
    CGroupState state;
    ASSERT_GE(CGroupOps::Group(page, members, state, true), 0);
    CGroupInfo* g = members[0]->groupInfo();
    ASSERT_NE(g, nullptr);
    g->code = "Pair";
    g->GetSnapSet()->AddPoint(CSnapPoint::kMiddle)->tip = "Centre";
    const std::string path = vxtest::TempDir() + "/grouped.vxw";
    ASSERT_EQ(doc.SaveToFile(path), "");

    const CliResult r = Vexelwork({"dump", QString::fromStdString(path)});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("\"group\": {")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("\"Code\": \"Pair\""));
    EXPECT_TRUE(r.out.contains("\"name\": \"Notes\""));
    EXPECT_TRUE(r.out.contains("\"snapPoints\": {"));
    EXPECT_TRUE(r.out.contains("\"tip\": \"Centre\""));
}

TEST(Cli, ExportRewritesTheSameBytes) {
    const std::string dir = vxtest::TempDir();
    const std::string path = MakeDesign(dir);
    const std::string out = dir + "/copy.vxw";
    EXPECT_EQ(Vexelwork({"export", QString::fromStdString(path), QString::fromStdString(out)}).status, 0);
    std::ifstream a(path, std::ios::binary), b(out, std::ios::binary);
    const std::string sa((std::istreambuf_iterator<char>(a)), {}), sb((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(sa, sb);
}

TEST(Cli, DamagedAndMissingFilesExitWithOne) {
    const std::string dir = vxtest::TempDir();
    const std::string bad = dir + "/bad.vxw";
    vxtest::WriteText(bad, "\x05hello");
    CliResult r = Vexelwork({"dump", QString::fromStdString(bad)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith("vexelwork: " + QString::fromStdString(bad) + ": "));
    EXPECT_EQ(r.err.count('\n'), 1);
    r = Vexelwork({"dump", QString::fromStdString(dir + "/none.vxw")});
    EXPECT_EQ(r.status, 1);
    r = Vexelwork({"frobnicate"});
    EXPECT_NE(r.status, 0);
}

TEST(Cli, PartlyReadDesignExitsWithTwo) {
    const std::string path = MakePartlyReadDesign(vxtest::TempDir());
    const CliResult r = Vexelwork({"dump", QString::fromStdString(path)});
    EXPECT_EQ(r.status, 2) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("warning"));
    EXPECT_TRUE(r.out.contains("Box1"));
}

TEST(Cli, HelpAndVersion) {
    EXPECT_EQ(Vexelwork({"--version"}).status, 0);
    const CliResult r = Vexelwork({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("dump"));
}

// Images are drawn as the page prints: white paper whatever the page
// colour, at PrintScale, without a display.
TEST(Cli, ExportDrawsThePageAsPrintedWithoutADisplay) {
    const std::string dir = vxtest::TempDir();
    CMyDoc doc;
    doc.mainPage().pageObject()->color = vx::RGB(0, 128, 0);
    doc.mainPage().pageObject()->scrollWidth = 300;
    doc.mainPage().pageObject()->scrollHeight = 200;
    doc.mainPage().pageObject()->printScale = 0.5;
    CHyperOb* ob = doc.mainPage().Insert(std::make_unique<CHyperOb>());
    ob->SetRect(CRect(10, 20, 110, 70));
    ob->Select(true);  // handles are never printed
    const std::string in = dir + "/page.vxw";
    ASSERT_EQ(doc.SaveToFile(in), "");

    const QString png = QString::fromStdString(dir + "/page.png");
    CliResult r = Vexelwork({"export", QString::fromStdString(in), png}, true);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QImage img(png);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(150, 100));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) ASSERT_EQ(img.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;

    EXPECT_EQ(r.err, QString());
    for (const char* ext : {"svg", "pdf"}) {
        const QString out = QString::fromStdString(dir + "/page." + ext);
        r = Vexelwork({"export", QString::fromStdString(in), out}, true);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, QString());
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(200);
        EXPECT_TRUE(head.contains(std::string(ext) == "pdf" ? "%PDF" : "<svg")) << ext;
    }
    // Unknown formats and unreadable inputs fail without writing.
    r = Vexelwork({"export", QString::fromStdString(in), QString::fromStdString(dir + "/page.bmp")}, true);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(".png"));
    r = Vexelwork({"export", QString::fromStdString(dir + "/none.vxw"), QString::fromStdString(dir + "/none.png")}, true);
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir + "/none.png")));
}

TEST(Cli, ExportOntoAFullDiskKeepsTheOldFileAndExitsWithOne) {
    vxtest::TinyDisk disk(256 * 1024);
    VX_REQUIRE_TINY_DISK(disk);
    const std::string in = MakeDesign(vxtest::TempDir());
    for (const char* suffix : {"vxw", "png", "svg", "pdf"}) {
        SCOPED_TRACE(suffix);
        const std::string out = disk.path() + "/old." + suffix;
        // What the file held before: a design, big enough to matter.
        const std::vector<uint8_t> before = vxtest::ReadAll(in);
        vxtest::WriteAll(out, before);
        disk.Fill();
        const CliResult r = Vexelwork({"export", QString::fromStdString(in), QString::fromStdString(out)}, true);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains("out of disk space")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromStdString(out))) << r.err.toStdString();
        // One line, nothing of Qt's own.
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_EQ(vxtest::ReadAll(out), before);
        EXPECT_EQ(vxtest::FolderEntries(disk.path()),
                  (std::vector<std::string>{"filler", "old." + std::string(suffix)}));
        ::unlink(out.c_str());
        ::unlink((disk.path() + "/filler").c_str());
    }
}

TEST(Cli, DesignCutInsideItsTrailerExitsWithTwo) {
    const std::string dir = vxtest::TempDir();
    std::vector<uint8_t> bytes = vxtest::ReadAll(MakeDesign(dir));
    // Three bytes short: the Description's tag is missing.
    bytes.resize(bytes.size() - 3);
    const std::string cut = dir + "/cut.vxw";
    vxtest::WriteAll(cut, bytes);
    const CliResult r = Vexelwork({"dump", QString::fromStdString(cut)});
    EXPECT_EQ(r.status, 2) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("trailer")) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Box1"));
}

// A design read only in part is not written over its own file, whatever
// name leads to it; written elsewhere it keeps what was read. A whole design
// may be written again onto itself, but an image never replaces its design.
TEST(Cli, ExportNeverWritesOverItsOwnDamagedSource) {
    const std::string dir = vxtest::TempDir();
    const std::string cut = MakePartlyReadDesign(dir);
    const std::vector<uint8_t> before = vxtest::ReadAll(cut);
    ASSERT_EQ(::symlink(cut.c_str(), (dir + "/link.vxw").c_str()), 0);
    ASSERT_EQ(::link(cut.c_str(), (dir + "/hard.vxw").c_str()), 0);
    ASSERT_EQ(::mkdir((dir + "/sub").c_str(), 0755), 0);
    for (const std::string& out : {cut, dir + "/./sub/../sample.vxw", dir + "/link.vxw", dir + "/hard.vxw"}) {
        SCOPED_TRACE(out);
        const CliResult r = Vexelwork({"export", QString::fromStdString(cut), QString::fromStdString(out)});
        EXPECT_EQ(r.status, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("warning")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("another file")) << r.err.toStdString();
        EXPECT_EQ(vxtest::ReadAll(cut), before);
    }
    EXPECT_EQ(vxtest::FolderEntries(dir), (std::vector<std::string>{"hard.vxw", "link.vxw", "sample.vxw", "sub"}));

    const std::string copy = dir + "/sub/copy.vxw";
    CliResult r = Vexelwork({"export", QString::fromStdString(dir + "/link.vxw"), QString::fromStdString(copy)});
    EXPECT_EQ(r.status, 2) << r.err.toStdString();
    EXPECT_TRUE(Vexelwork({"dump", QString::fromStdString(copy)}).out.contains("Box1"));

    // A whole design written onto itself keeps its bytes.
    const std::string whole = MakeDesign(dir + "/sub");
    const std::vector<uint8_t> wholeBytes = vxtest::ReadAll(whole);
    r = Vexelwork({"export", QString::fromStdString(whole), QString::fromStdString(whole)});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(vxtest::ReadAll(whole), wholeBytes);
    // A design file that is named like an image is not drawn over.
    const std::string odd = dir + "/sub/design.png";
    ASSERT_EQ(::rename(whole.c_str(), odd.c_str()), 0);
    r = Vexelwork({"export", QString::fromStdString(odd), QString::fromStdString(odd)}, true);
    EXPECT_EQ(r.status, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("another file")) << r.err.toStdString();
    EXPECT_EQ(vxtest::ReadAll(odd), wholeBytes);
}

// Input that is not a design ends with one line and status 1, at once.
TEST(Cli, InputThatIsNotADesignIsRefusedWithOneLine) {
    const std::string dir = vxtest::TempDir();
    const std::string fifo = dir + "/pipe.vxw";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string zeros = dir + "/zeros.vxw";
    vxtest::WriteAll(zeros, std::vector<uint8_t>(4096, 0));
    const std::string huge = dir + "/huge.vxw";
    vxtest::WriteAll(huge, {});
    ASSERT_EQ(::truncate(huge.c_str(), off_t(1) << 30), 0);
    const struct {
        std::string path, says;
    } cases[] = {{"/dev/zero", "device"}, {fifo, "named pipe"}, {zeros, "zero bytes"}, {huge, "256 MB"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        for (const QStringList& args :
             {QStringList{"dump", QString::fromStdString(c.path)},
              QStringList{"export", QString::fromStdString(c.path), QString::fromStdString(dir + "/out.vxw")}}) {
            const CliResult r = Vexelwork(args);
            EXPECT_EQ(r.status, 1);
            EXPECT_TRUE(r.err.startsWith("vexelwork: " + QString::fromStdString(c.path) + ": ")) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(QString::fromStdString(c.says))) << r.err.toStdString();
            EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
            EXPECT_TRUE(r.out.isEmpty());
        }
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir + "/out.vxw")));
}

TEST(Cli, ExportOntoAReadOnlyDiskSaysSo) {
    vxtest::TinyDisk disk(256 * 1024);
    VX_REQUIRE_TINY_DISK(disk);
    const std::string in = MakeDesign(vxtest::TempDir());
    const std::string old = disk.path() + "/old.vxw";
    vxtest::WriteAll(old, {1, 2, 3});
    ASSERT_TRUE(disk.MakeReadOnly());
    for (const std::string& out : {old, disk.path() + "/new.svg"}) {
        const CliResult r = Vexelwork({"export", QString::fromStdString(in), QString::fromStdString(out)}, true);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.startsWith("vexelwork: " + QString::fromStdString(out) + ": ")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("read-only")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_EQ(vxtest::ReadAll(old), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(Cli, TextBlocksAndBitmapsShowInDumpAndExport) {
    const std::string dir = vxtest::TempDir();
    CMyDoc doc;
    doc.mainPage().pageObject()->scrollWidth = 300;
    doc.mainPage().pageObject()->scrollHeight = 200;
    auto text = std::make_unique<CTextOb>();
    text->SetText("Searchable words");
    text->setOrientation(CTextOb::kVerticalUp);
    text->SetRect(CRect(10, 10, 60, 190));
    doc.mainPage().Insert(std::move(text));
    auto bitmap = std::make_unique<CBitmapOb>();
    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(qRgb(255, 0, 0));
    bitmap->imageValue().SetImage(red);
    bitmap->setLayout(CBitmapOb::kStretch);
    bitmap->SetRect(CRect(100, 10, 200, 110));
    doc.mainPage().Insert(std::move(bitmap));
    auto linked = std::make_unique<CBitmapOb>();
    linked->SetBitmapName(dir + "/gone.bmp");
    linked->SetRect(CRect(100, 120, 200, 190));
    doc.mainPage().Insert(std::move(linked));
    const std::string in = dir + "/text.vxw";
    ASSERT_EQ(doc.SaveToFile(in), "");

    CliResult r = Vexelwork({"dump", QString::fromStdString(in)});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    for (const char* field : {"\"Text\": \"Searchable words\"", "\"Orientation\": 900", "\"Kind\": 1", "\"Kind\": 3",
                              "\"Layout\": 8", "gone.bmp"})
        EXPECT_TRUE(r.out.contains(QLatin1String(field))) << field;

    const QString svg = QString::fromStdString(dir + "/text.svg");
    r = Vexelwork({"export", QString::fromStdString(in), svg}, true);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains(">Searchable words<"));
    const QString png = QString::fromStdString(dir + "/text.png");
    r = Vexelwork({"export", QString::fromStdString(in), png}, true);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QImage img(png);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(150, 60) & 0xFFFFFF, 0xFF0000u);
}
