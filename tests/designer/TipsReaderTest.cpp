// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designer/TipsReader.h"
#include "support/TestData.h"
#include "support/TipsPathGuard.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>
#include <vector>

namespace {

class TipsReaderTest : public ::testing::Test {
protected:
    // Writes bytes to a file of the temporary folder and opens it for reading.
    QFile& Open(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("tips%1.tip").arg(m_files.size()));
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        m_files.push_back(std::make_unique<QFile>(path));
        EXPECT_TRUE(m_files.back()->open(QIODevice::ReadOnly));
        return *m_files.back();
    }

    // The next tip; fails the test when there is none.
    static QByteArray Next(QIODevice& device)
    {
        QByteArray tip;
        EXPECT_EQ(ReadNextTip(device, tip), TipReadResult::Tip);
        return tip;
    }

    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<QFile>> m_files;
};

TEST_F(TipsReaderTest, SkipsBlankIndentedAndCommentLinesAndWrapsAround)
{
    QFile& f = Open("; comment\n\n  indented\n\ttabbed\n;\nFirst tip\n   \nSecond; not a comment\nLast without end");
    EXPECT_EQ(Next(f), "First tip\n");
    // The position to remember is the byte just after the tip's line end.
    EXPECT_EQ(f.pos(), QByteArray("; comment\n\n  indented\n\ttabbed\n;\nFirst tip\n").size());
    EXPECT_EQ(Next(f), "Second; not a comment\n");
    EXPECT_EQ(Next(f), "Last without end");
    EXPECT_EQ(Next(f), "First tip\n");
    EXPECT_EQ(Next(f), "Second; not a comment\n");

    // A stored position seeks back to the same tip in a fresh reading.
    const qint64 afterFirst = QByteArray("; comment\n\n  indented\n\ttabbed\n;\nFirst tip\n").size();
    ASSERT_TRUE(f.seek(afterFirst));
    EXPECT_EQ(Next(f), "Second; not a comment\n");

    // A position past the end finds nothing there and starts at the top.
    ASSERT_TRUE(f.seek(100000));
    EXPECT_EQ(Next(f), "First tip\n");
}

TEST_F(TipsReaderTest, LongLinesComeInPartsOf999)
{
    const QByteArray a(999, 'a');
    const QByteArray b(999, 'b');
    // 2,500 characters: the third part (502 characters) is a tip only when
    // it does not start like a skipped line.
    for (const char first : {'c', ' ', '\t', ';'}) {
        SCOPED_TRACE(int(first));
        const QByteArray c = first + QByteArray(501, 'c');
        QFile& f = Open(a + b + c + "\nnext\n");
        EXPECT_EQ(Next(f), a);
        EXPECT_EQ(f.pos(), 999);
        EXPECT_EQ(Next(f), b);
        if (first == 'c') {
            EXPECT_EQ(Next(f), c + "\n");
        }
        EXPECT_EQ(Next(f), "next\n");
        EXPECT_EQ(Next(f), a);
    }

    // Exactly 999 characters: the line end left over is an empty line.
    QFile& f = Open(a + "\n" + "x\n");
    EXPECT_EQ(Next(f), a);
    EXPECT_EQ(Next(f), "x\n");
    EXPECT_EQ(Next(f), a);
}

TEST_F(TipsReaderTest, CrLfReadsLikeLfWithRealByteOffsets)
{
    const QByteArray upToTwo = "; windows\r\n\r\n  indented\r\nOne\r\n";
    QFile crlf(TestData("tips-crlf.tip"));
    ASSERT_TRUE(crlf.open(QIODevice::ReadOnly));
    ASSERT_EQ(crlf.peek(100), upToTwo + "Two\r\nA\rB\r\n") << "the data file keeps its line ends";
    EXPECT_EQ(Next(crlf), "One\n");
    // Offsets count the CRs as they are on disk, so a seek comes back here.
    EXPECT_EQ(crlf.pos(), upToTwo.size());
    EXPECT_EQ(Next(crlf), "Two\n");
    // A CR on its own is text, not a line end.
    EXPECT_EQ(Next(crlf), "A\rB\n");
    ASSERT_TRUE(crlf.seek(upToTwo.size()));
    EXPECT_EQ(Next(crlf), "Two\n");

    // CR LF is one character towards the 999: 998 characters and CR LF fill
    // one part exactly, as 998 characters and LF do.
    const QByteArray text(998, 'w');
    QFile& atLimit = Open(text + "\r\nafter\r\n");
    EXPECT_EQ(Next(atLimit), text + "\n");
    EXPECT_EQ(Next(atLimit), "after\n");

    // A NUL byte ends the tip.
    QFile& nul = Open(QByteArray("ab\0cd\n", 6));
    EXPECT_EQ(Next(nul), "ab");
    EXPECT_EQ(nul.pos(), 6);
}

TEST_F(TipsReaderTest, FileWithoutTipsEndsTheSearch)
{
    // Each file, read from a line start somewhere inside it.
    const std::pair<QByteArray, int> files[] = {{QByteArray(), 0},
                                                {QByteArray("; only\n; comments\n"), 7},
                                                {QByteArray("\n\n  \n\t\r\n"), 2},
                                                {QByteArray(2500, ' '), 999}};
    for (const auto& [bytes, start] : files) {
        QFile& f = Open(bytes);
        ASSERT_TRUE(f.seek(start));
        QByteArray tip = "left over";
        EXPECT_EQ(ReadNextTip(f, tip), TipReadResult::NoTip);
        EXPECT_TRUE(tip.isEmpty());
    }
}

TEST_F(TipsReaderTest, AHugeRunOfCommentsIsReadInBoundedSteps)
{
    // 8 MB of comment lines, then one tip: each call reads at most about
    // kMaxTipScanBytes, and the calls after it go on where it stopped.
    QByteArray bytes;
    while (bytes.size() < (8 << 20))
        bytes += "; a comment line that says nothing at all\n";
    bytes += "the tip\n";
    QFile& f = Open(bytes);
    QByteArray tip;
    int calls = 0;
    qint64 last = 0;
    while (ReadNextTip(f, tip) == TipReadResult::NoTip && calls < 20) {
        ++calls;
        EXPECT_LE(f.pos() - last, kMaxTipScanBytes + kMaxTipLength + 1);
        last = f.pos();
    }
    EXPECT_EQ(tip, "the tip\n");
    EXPECT_GE(calls, 7);
}

// A device that cannot go back to its start once reading has begun.
class NoRewindBuffer : public QBuffer {
public:
    using QBuffer::QBuffer;
    bool seek(qint64 pos) override { return pos == QBuffer::pos() && QBuffer::seek(pos); }
};

TEST_F(TipsReaderTest, FailingRewindIsReportedOnce)
{
    QByteArray data("only tip\n");
    NoRewindBuffer device(&data);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    QByteArray tip;
    EXPECT_EQ(ReadNextTip(device, tip), TipReadResult::Tip);
    EXPECT_EQ(tip, "only tip\n");
    EXPECT_EQ(ReadNextTip(device, tip), TipReadResult::RewindFailed);
    EXPECT_TRUE(tip.isEmpty());
    EXPECT_EQ(ReadNextTip(device, tip), TipReadResult::RewindFailed);
}

TEST(TipsFile, TheShippedTipsAreReadFromTheBuildsDataFolder)
{
    TipsPathGuard defaultPath({});
    const QString path = TipsFilePath();
    EXPECT_EQ(path, QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/quilvane/Tips.tip"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray tip;
    ASSERT_EQ(ReadNextTip(file, tip), TipReadResult::Tip);
    EXPECT_FALSE(tip.trimmed().isEmpty());
}

TEST(TipsTimeStamp, CtimeFormatAndSource)
{
    EXPECT_EQ(CtimeText(QDateTime(QDate(2026, 12, 7), QTime(6, 48, 22))), "Mon Dec  7 06:48:22 2026");
    EXPECT_EQ(CtimeText(QDateTime(QDate(1999, 1, 31), QTime(23, 5, 9))), "Sun Jan 31 23:05:09 1999");
    EXPECT_EQ(CtimeText(QDateTime(QDate(2024, 2, 29), QTime(0, 0, 0))), "Thu Feb 29 00:00:00 2024");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tips.tip"));
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("tip\n");
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    bool birth = false;
    const QString before = TipsFileTimeStamp(file, &birth);
    EXPECT_EQ(before.size(), 24);

    // Only a creation time the system keeps stays put when the file is
    // modified; without one the modification time is the stamp.
    const QDateTime past(QDate(2001, 2, 3), QTime(4, 5, 6));
    ASSERT_TRUE(file.setFileTime(past, QFileDevice::FileModificationTime));
    const QString after = TipsFileTimeStamp(file);
    if (birth) {
        std::cout << "[   INFO   ] the file system reports a birth time; the stamp ignores the modification time\n";
        EXPECT_EQ(after, before);
    } else {
        std::cout << "[   INFO   ] no birth time reported; the stamp is the modification time\n";
        EXPECT_EQ(after, "Sat Feb  3 04:05:06 2001");
    }
}

} // namespace
