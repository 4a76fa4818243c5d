// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The list-file reader and writer on their own: the reading rules case by
// case, the bytes the writer produces, the round trip of odd names, and a
// failed write that keeps the old file.

#include "core/SlideListFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestData.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <climits>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

QByteArray Repeat(char c, int n)
{
    return QByteArray(n, c);
}

} // namespace

TEST(SlideListFile, ReadingRules)
{
    const QByteArray x1022 = Repeat('x', 1022);
    const QByteArray x1023 = Repeat('x', 1023);
    const QByteArray x1500 = Repeat('y', 1500);
    struct Case {
        const char* what;
        QByteArray file;
        QByteArrayList entries;
    };
    const Case cases[] = {
        {"count 3, two lines", "3\r\n/a.jpg\r\n/b.png\r\n", {"/a.jpg", "/b.png"}},
        {"LF only", "3\n/a.jpg\n/b.png\n", {"/a.jpg", "/b.png"}},
        {"last line without end", "2\r\n/a.jpg\r\n/b.png", {"/a.jpg", "/b.png"}},
        {"count 0", "0\r\n/a.jpg\r\n", {}},
        {"count -2", "-2\r\n/a.jpg\r\n", {}},
        {"count as text", "two\r\n/a.jpg\r\n", {}},
        {"empty file", "", {}},
        {"count and words", "2 words\r\n/a\r\n/b\r\n/c\r\n", {"/a", "/b"}},
        {"white space and sign", " \t+2\r\n/a\r\n/b\r\n", {"/a", "/b"}},
        {"extra lines ignored", "1\r\n/a\r\n/b\r\n", {"/a"}},
        {"empty line is an entry", "3\r\n/a\r\n\r\n/c\r\n", {"/a", "", "/c"}},
        {"lone CR is part of the entry", "2\r\na\rb\r\nc\r\r\n", {"a\rb", "c\r"}},
        {"NUL ends the entry", QByteArray("1\r\nab\0cd\r\n", 10), {"ab"}},
        {"1022 characters fit a chunk", "2\r\n" + x1022 + "\r\n/b\r\n", {x1022, "/b"}},
        {"1023 characters: chunk, then the line end", "3\r\n" + x1023 + "\r\n/b\r\n", {x1023, "", "/b"}},
        {"1500 characters: two chunks", "3\r\n" + x1500 + "\r\n/b\r\n", {x1500.left(1023), x1500.mid(1023), "/b"}},
        {"count saturates", "99999999999999999999\r\n/a\r\n", {"/a"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseSlideList(c.file).entries, c.entries) << c.what;
}

TEST(SlideListFile, ReadingTheSampleFiles)
{
    const QByteArrayList two = {"/pictures/beach.jpg", "/pictures/snow.bmp"};
    const std::pair<const char*, QByteArrayList> cases[] = {
        {"list-crlf.lsl", two},
        {"list-lf.lsl", two},
        {"list-count-3-two-entries.lsl", two},
        {"list-count-then-words.lsl", two},
        {"list-count-not-a-number.lsl", {}},
    };
    for (const auto& [name, entries] : cases) {
        const std::optional<SlideList> list = ReadSlideListFile(TestData(name));
        ASSERT_TRUE(list.has_value()) << name;
        EXPECT_EQ(list->entries, entries) << name;
    }
    QFile crlf(TestData("list-crlf.lsl"));
    ASSERT_TRUE(crlf.open(QIODevice::ReadOnly));
    EXPECT_EQ(FormatSlideList(two), crlf.readAll()) << "the writer makes the sample byte for byte";
}

TEST(SlideListFile, LeadingIntegerReadsAsAtoi)
{
    const std::pair<const char*, int> cases[] = {
        {"90", 90},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"  -7x", -7},
        {"+5", 5},
        {"- 5", 0},
        {"\v\f\r\n 3", 3},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(LeadingInteger(text), value) << text;
}

TEST(SlideListFile, WriterFormatAndRoundTrip)
{
    EXPECT_EQ(FormatSlideList({"/p/a.jpg"}), QByteArray("1\r\n/p/a.jpg\r\n")) << "one entry: exactly two lines";
    EXPECT_EQ(FormatSlideList({"a", "", "b"}), QByteArray("3\r\na\r\n\r\nb\r\n"));

    // Entries the format cannot hold whole are cut so that the count still
    // matches what a reader finds, and nothing after them is lost.
    const QByteArray x1022 = Repeat('x', 1022);
    const QByteArray x1023 = Repeat('x', 1023);
    const QByteArrayList entries = {x1022,  x1023,  Repeat('z', 3000), "line\nfeed", QByteArray("nu\0l", 4),
                                    "cr\r", "/tail"};
    const QByteArrayList expected = {x1022, x1022, Repeat('z', 1022), "line", "nu", "cr\r", "/tail"};
    EXPECT_EQ(ParseSlideList(FormatSlideList(entries)).entries, expected);
}

TEST(SlideListFile, EntryTextKeepsEveryByte)
{
    const QByteArray names[] = {
        "/home/ann/beach.jpg",
        "/home/ann/Fotos/Stra\xc3\x9f"
        "e.jpg",                                       // valid UTF-8
        "/home/ann/\xff\xfe latin1 \xe9t\xe9.jpg",     // not UTF-8
        "/x/\xed\xa0\x80 surrogate \xc0\xaf overlong", // invalid forms
        "/x/\xf0\x9f\x98\x80 emoji \xe2\x82",          // valid four bytes, cut three
    };
    for (const QByteArray& name : names)
        EXPECT_EQ(EntryBytes(EntryText(name)), name) << name.toHex().constData();
    EXPECT_EQ(EntryText("/home/ann/Stra\xc3\x9f"
                        "e.jpg"),
              QString::fromUtf8("/home/ann/Stra\xc3\x9f"
                                "e.jpg"));
}

TEST(SlideListFile, FilesOnDisk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.lsl");
    const QByteArrayList entries = {"/a.jpg", "/home/\xff\xfe.png"};
    ASSERT_TRUE(WriteSlideListFile(path, entries));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("2\r\n/a.jpg\r\n/home/\xff\xfe.png\r\n"));
    f.close();
    ASSERT_TRUE(ReadSlideListFile(path).has_value());
    EXPECT_EQ(ReadSlideListFile(path)->entries, entries);

    EXPECT_FALSE(ReadSlideListFile(dir.filePath("missing.lsl")).has_value());
    EXPECT_FALSE(ReadSlideListFile(dir.path()).has_value()) << "a folder is no list file";
#ifdef Q_OS_UNIX
    const QByteArray fifo = QFile::encodeName(dir.filePath("fifo.lsl"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    EXPECT_FALSE(ReadSlideListFile(dir.filePath("fifo.lsl")).has_value()) << "a FIFO is refused, not waited on";
#endif

    // A write that runs out of room leaves the old list whole.
    const QByteArray before = "2\r\n/a.jpg\r\n/home/\xff\xfe.png\r\n";
    {
        FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        QString error;
        EXPECT_FALSE(WriteSlideListFile(path, {Repeat('q', 200), "/b"}, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST(SlideListFile, CountBeyondTheCapStopsReading)
{
    QByteArray file = "999999999\n";
    file += QByteArray(kMaxListEntries + 5, '\n');
    const SlideList list = ParseSlideList(file);
    EXPECT_EQ(list.entries.size(), kMaxListEntries);
    EXPECT_TRUE(list.capped);
    EXPECT_FALSE(ParseSlideList("2\n\n\n").capped);
}
