// The about box and the rich-text reader it uses.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "app/AboutDlg.h"
#include "platform/RtfReader.h"
#include "support/TestSupport.h"

namespace {

QTextCharFormat FormatAt(const QTextDocument& doc, const QString& word) {
    QTextCursor c = doc.find(word);
    EXPECT_FALSE(c.isNull()) << word.toStdString();
    return c.charFormat();
}

TEST(RtfReader, ParagraphsAndCharacterFormatting) {
    QTextDocument doc;
    const char* rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
        "\\f0\\fs20 Plain {\\b bold} {\\i italic} {\\ul under\\ulnone line}\\par"
        "{\\fs40 big} {\\cf1 red} caf\\'e9 \\u8364?\\par}";
    ASSERT_TRUE(vx::ReadRtf(rtf, doc));
    EXPECT_EQ(doc.blockCount(), 3);
    EXPECT_EQ(doc.begin().text(), "Plain bold italic underline");
    EXPECT_EQ(doc.begin().next().text(), QString::fromUtf8("big red café €"));
    EXPECT_EQ(FormatAt(doc, "bold").fontWeight(), QFont::Bold);
    EXPECT_NE(FormatAt(doc, "Plain").fontWeight(), QFont::Bold);
    EXPECT_TRUE(FormatAt(doc, "italic").fontItalic());
    EXPECT_TRUE(FormatAt(doc, "under").fontUnderline());
    EXPECT_FALSE(FormatAt(doc, "line").fontUnderline());
    EXPECT_DOUBLE_EQ(FormatAt(doc, "big").fontPointSize(), 20.0);
    EXPECT_DOUBLE_EQ(FormatAt(doc, "Plain").fontPointSize(), 10.0);
    EXPECT_EQ(FormatAt(doc, "red").foreground().color(), QColor(255, 0, 0));
    // The font table is not text.
    EXPECT_TRUE(doc.find("Arial").isNull());
}

TEST(RtfReader, DamagedOrForeignInputNeverFails) {
    QTextDocument doc;
    EXPECT_FALSE(vx::ReadRtf("just text", doc));
    EXPECT_EQ(doc.toPlainText(), "just text");
    // Unbalanced groups, truncated escapes, huge numbers, deep nesting.
    std::string deep = "{\\rtf1 ";
    for (int i = 0; i < 5000; ++i) deep += "{";
    deep += "x\\'4";
    EXPECT_TRUE(vx::ReadRtf(deep, doc));
    EXPECT_TRUE(vx::ReadRtf("{\\rtf1 a}}}} b \\fs999999999999 c \\cf77 d \\u-99999999 e", doc));
    EXPECT_TRUE(doc.toPlainText().contains("d"));
}

TEST(AboutBox, ShowsTheDocumentAndKeepsItsLayoutOnResize) {
    const std::string dir = vxtest::TempDir();
    const QString path = QString::fromStdString(dir + "/readme.rtf");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("{\\rtf1 Welcome to {\\b Vexelwork}.\\par}");
    f.close();
    CAboutDlg dlg(path);
    EXPECT_EQ(dlg.windowTitle(), "About Vexelwork");
    EXPECT_TRUE(dlg.textControl()->toPlainText().startsWith("Welcome to Vexelwork."));
    dlg.resize(500, 400);
    dlg.show();
    dlg.resize(600, 450);
    QCoreApplication::processEvents();
    const QRect ok = dlg.okButton()->geometry();
    const QRect text = dlg.textControl()->geometry();
    EXPECT_EQ(dlg.width() - (ok.x() + ok.width()), 3);
    EXPECT_EQ(text.x(), 2);
    EXPECT_EQ(text.width(), dlg.width() - 5);
    EXPECT_EQ(text.y() + text.height(), dlg.height() - 3);

    CAboutDlg missing(QString::fromStdString(dir + "/none.rtf"));
    EXPECT_TRUE(missing.textControl()->toPlainText().isEmpty());
}

}  // namespace
