// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Design documents: what a saved design brings back, where its files are
// looked for, and what happens with documents that are broken or hostile.

#include "core/DesignDocument.h"
#include "core/SceneGraph.h"
#include "support/DesignState.h"
#include "support/HostileFiles.h"
#include "support/PatternImage.h"
#include "support/PictureFixtures.h"
#include "support/SceneFixture.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>
#include <gtest/gtest.h>

using namespace fixtures;

namespace {

class DocumentTest : public SceneFixture {
protected:
    // A design with something of everything: a background file, photos
    // moved, enlarged past their pixels (decoded again), shrunk, turned and
    // edited, one of them twice on the scene.
    void Compose(const QString& background, const QStringList& photos)
    {
        ASSERT_TRUE(scene->ChangeBackImage(background));
        scene->SetCanvasRect(CRect(0, 0, 320, 180));
        int i = 0;
        for (const QString& file : photos) {
            CRect rect(10 + 60 * i, 10 + 20 * i, 70 + 60 * i, 70 + 20 * i);
            ASSERT_TRUE(scene->CreateSceneObject(file, rect)) << file.toStdString();
            ++i;
        }
        SSceneObject* first = scene->GetPhoto(0);
        const CRect from = scene->GetPhotoDrawRect(first);
        scene->DragPhoto(first, first->GetSceneRect(), from, CRect(from.left, from.top, 300, 170));
        ASSERT_TRUE(scene->EditPhoto(first, PhotoEdit::RotateLeft));
        ASSERT_TRUE(scene->EditPhoto(first, PhotoEdit::GrayScale));
        SSceneObject* last = scene->GetPhoto(scene->GetPhotoCount() - 1);
        const CRect at = scene->GetPhotoDrawRect(last);
        scene->DragPhoto(last, last->GetSceneRect(), at, CRect(at.left + 7, at.top + 3, at.left + 27, at.top + 16));
        ASSERT_TRUE(scene->EditPhoto(last, PhotoEdit::Mirror));
        ASSERT_TRUE(scene->EditPhoto(last, PhotoEdit::Negative));
    }

    // Starts a new design and opens the document in it.
    QStringList Reopen(const QString& document)
    {
        scene->Init(PhotoTemplateProcessor::GetInstance());
        const DesignReading read = ReadDesignFile(document);
        EXPECT_TRUE(read.design) << read.error.toStdString();
        QStringList missing;
        if (read.design)
            scene->OpenDesign(*read.design, &missing);
        return missing;
    }
};

QJsonObject Json(const QString& path)
{
    return QJsonDocument::fromJson(ReadFile(path)).object();
}

} // namespace

TEST_F(DocumentTest, AReopenedDesignSavesTheSameJpegByteForByte)
{
    const QString background = Picture("background.jpg", PatternImage(640, 360), "jpeg");
    Compose(background, {Picture("a.jpg", PatternImage(900, 600), "jpeg"), Picture("b.png", PatternImage(300, 500)),
                         Picture("c.jpg", PatternImage(1200, 800), "jpeg")});
    const DesignSnapshot saved = Snapshot(*scene);
    ASSERT_TRUE(scene->SaveToJPG(m_dir.filePath("before.jpg")));
    QString error;
    ASSERT_TRUE(WriteDesignFile(m_dir.filePath("design.qvdesign"), scene->GetDesign(), &error)) << error.toStdString();

    EXPECT_TRUE(Reopen(m_dir.filePath("design.qvdesign")).isEmpty());
    EXPECT_EQ(Snapshot(*scene), saved);
    EXPECT_FALSE(scene->IsModified());
    EXPECT_FALSE(scene->CanUndo()) << "an opened design starts a new history";
    ASSERT_TRUE(scene->SaveToJPG(m_dir.filePath("after.jpg")));
    EXPECT_EQ(ReadFile(m_dir.filePath("after.jpg")), ReadFile(m_dir.filePath("before.jpg")));
}

TEST_F(DocumentTest, FilesBelowTheFolderAreRelativeSoAMovedFolderStillOpens)
{
    const QString outside = Picture("elsewhere/far.png", PatternImage(200, 150));
    Compose(Picture("project/back.png", PatternImage(480, 270)),
            {Picture("project/photos/near.jpg", PatternImage(400, 300), "jpeg"), outside});
    const QString document = m_dir.filePath("project/design.qvdesign");
    ASSERT_TRUE(WriteDesignFile(document, scene->GetDesign()));

    const QJsonObject json = Json(document);
    EXPECT_EQ(json.value("version").toInt(), kDesignFormatVersion);
    EXPECT_EQ(json.value("background").toObject().value("file").toString(), "back.png");
    const QJsonArray photos = json.value("photos").toArray();
    ASSERT_EQ(photos.size(), 2);
    EXPECT_EQ(photos[0].toObject().value("file").toString(), "photos/near.jpg");
    EXPECT_EQ(photos[1].toObject().value("file").toString(), outside);
    EXPECT_TRUE(QDir::isAbsolutePath(photos[1].toObject().value("file").toString()));

    const DesignSnapshot saved = Snapshot(*scene);
    ASSERT_TRUE(QDir().rename(m_dir.filePath("project"), m_dir.filePath("moved")));
    EXPECT_TRUE(Reopen(m_dir.filePath("moved/design.qvdesign")).isEmpty());
    EXPECT_EQ(scene->GetBackgroundPath(), m_dir.filePath("moved/back.png"));
    EXPECT_EQ(scene->GetPhoto(0)->GetPath(), m_dir.filePath("moved/photos/near.jpg"));
    EXPECT_EQ(scene->GetPhoto(1)->GetPath(), outside);
    EXPECT_EQ(Snapshot(*scene).canvas, saved.canvas);
}

TEST_F(DocumentTest, MissingFilesAreListedOnceAndTheRestOpens)
{
    const QString gone = Picture("gone.png", PatternImage(200, 200));
    const QString kept = Picture("kept.png", PatternImage(200, 100));
    const QString background = Picture("back.png", PatternImage(400, 300));
    Compose(background, {gone, kept, gone});
    const QString document = m_dir.filePath("design.qvdesign");
    ASSERT_TRUE(WriteDesignFile(document, scene->GetDesign()));
    const QByteArray bytes = ReadFile(document);
    const QRectF keptPlace = scene->GetPhoto(1)->GetSceneRect();

    ASSERT_TRUE(QFile::remove(gone));
    EXPECT_EQ(Reopen(document), QStringList{gone});
    ASSERT_EQ(scene->GetPhotoCount(), 1);
    EXPECT_EQ(scene->GetPhoto(0)->GetPath(), kept);
    EXPECT_EQ(scene->GetPhoto(0)->GetSceneRect(), keptPlace);
    EXPECT_FALSE(scene->IsModified()) << "nothing the user changed";
    EXPECT_EQ(ReadFile(document), bytes) << "the document is left as it was";

    // Without its background the design opens on the start background,
    // the photos where they were relative to it.
    ASSERT_TRUE(QFile::remove(background));
    EXPECT_EQ(Reopen(document), (QStringList{background, gone}));
    EXPECT_EQ(scene->GetBackgroundPath(), QString()) << "the built-in background";
    ASSERT_EQ(scene->GetPhotoCount(), 1);
    EXPECT_EQ(scene->GetPhoto(0)->GetSceneRect().center(),
              QPointF(keptPlace.center().x() * 1920 / 400, keptPlace.center().y() * 1080 / 300));
}

TEST_F(DocumentTest, ATemplateBackgroundComesBackAtTheSizeTheDesignHadIt)
{
    // The template file is 800x600; a new design gets it made at the
    // screen's 640x360, Change Background at the file's own size.
    const QString file = Picture("templates/sea.png", PatternImage(800, 600));
    PhotoTemplateProcessor* templates = PhotoTemplateProcessor::GetInstance();
    templates->SetTemplateFolders({m_dir.filePath("templates")});
    templates->SetCacheFolder(m_dir.filePath("cache"));
    templates->SetScreenSize(QSize(640, 360));
    templates->LoadAllTemplate();
    const QString photo = Picture("photo.png", PatternImage(300, 200));
    const QString document = m_dir.filePath("design.qvdesign");

    for (const bool chosen : {false, true}) {
        SCOPED_TRACE(chosen ? "chosen with Change Background" : "a new design's");
        scene->Init(templates);
        if (chosen) {
            ASSERT_TRUE(scene->ChangeBackImage(file));
        }
        ASSERT_EQ(scene->GetBackgroundPath(), file);
        ASSERT_EQ(scene->GetSceneGraphWidth(), chosen ? 800 : 640);
        scene->SetCanvasRect(CRect(0, 0, 320, 180));
        CRect rect(40, 30, 160, 110);
        ASSERT_TRUE(scene->CreateSceneObject(photo, rect));
        const DesignSnapshot saved = Snapshot(*scene);
        ASSERT_TRUE(WriteDesignFile(document, scene->GetDesign()));
        EXPECT_TRUE(Reopen(document).isEmpty());
        EXPECT_EQ(Snapshot(*scene), saved);
    }

    // On another screen a new design's template comes at that screen's
    // size, the photos where they were relative to it.
    scene->Init(templates);
    scene->SetCanvasRect(CRect(0, 0, 320, 180));
    CRect rect(40, 30, 160, 110);
    ASSERT_TRUE(scene->CreateSceneObject(photo, rect));
    const QRectF place = scene->GetPhoto(0)->GetSceneRect();
    ASSERT_TRUE(WriteDesignFile(document, scene->GetDesign()));
    templates->SetScreenSize(QSize(1280, 720));
    templates->LoadAllTemplate();
    EXPECT_TRUE(Reopen(document).isEmpty());
    EXPECT_EQ(scene->GetSceneGraphWidth(), 1280);
    EXPECT_EQ(scene->GetPhoto(0)->GetSceneRect(),
              QRectF(place.x() * 2, place.y() * 2, place.width() * 2, place.height() * 2));
}

TEST_F(DocumentTest, BadDocumentsAreRefusedWithOneSentence)
{
    const QString photo = Picture("p.png", PatternImage(50, 50));
    const auto document = [&](const std::function<void(QJsonObject&, QJsonObject&)>& spoil) {
        Design design;
        design.backgroundSize = QSize(100, 100);
        design.photos.push_back({photo, QRectF(1, 2, 30, 40), {PhotoEdit::Flip}, QSize(30, 40)});
        QJsonObject top = QJsonDocument::fromJson(FormatDesign(design, m_dir.path())).object();
        QJsonArray photos = top.value("photos").toArray();
        QJsonObject first = photos[0].toObject();
        spoil(top, first);
        // A new list of photos stays; otherwise the first photo is spoilt.
        if (top.value("photos") == QJsonValue(photos)) {
            photos[0] = first;
            top.insert("photos", photos);
        }
        return QJsonDocument(top).toJson();
    };
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* says;
    };
    QJsonArray many;
    for (int i = 0; i < kMaxDesignPhotos + 1; ++i)
        many.append(QJsonObject{{"file", "p.png"}, {"x", 0}, {"y", 0}, {"width", 1}, {"height", 1}});
    const std::vector<Case> cases{
        {"not JSON", "\x89PNG\r\n\x1a\n not a design", "not a Quilvane design"},
        {"JSON of something else", R"({"photos": []})", "not a Quilvane design"},
        {"newer version", document([](QJsonObject& t, QJsonObject&) { t.insert("version", 2); }), "newer"},
        {"too many photos", document([&](QJsonObject& t, QJsonObject&) { t.insert("photos", many); }), "1001 photos"},
        {"negative width", document([](QJsonObject&, QJsonObject& p) { p.insert("width", -3); }), "photo 1"},
        {"far away", document([](QJsonObject&, QJsonObject& p) { p.insert("x", 1e300); }), "photo 1"},
        {"place as text", document([](QJsonObject&, QJsonObject& p) { p.insert("y", "2"); }), "photo 1"},
        {"background of half pixels", document([](QJsonObject& t, QJsonObject&) {
             t.insert("background", QJsonObject{{"width", 10.5}, {"height", 9}});
         }),
         "background"},
        {"huge background", document([](QJsonObject& t, QJsonObject&) {
             t.insert("background", QJsonObject{{"width", 1e6}, {"height", 9}});
         }),
         "background"},
        {"unknown edit", document([](QJsonObject&, QJsonObject& p) { p.insert("edits", QJsonArray{"blur"}); }), "edit"},
        {"decode box of nothing", document([](QJsonObject&, QJsonObject& p) {
             p.insert("decodeBox", QJsonArray{0, 5});
         }),
         "decode box"},
        {"no file", document([](QJsonObject&, QJsonObject& p) { p.remove("file"); }), "no file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = m_dir.filePath("bad.qvdesign");
        WriteFile(path, c.bytes);
        const DesignReading read = ReadDesignFile(path);
        EXPECT_FALSE(read.design);
        EXPECT_TRUE(read.error.startsWith(QDir::toNativeSeparators(path))) << read.error.toStdString();
        EXPECT_TRUE(read.error.contains(QLatin1String(c.says))) << read.error.toStdString();
        EXPECT_FALSE(read.error.contains('\n'));
    }

    // What is no regular file is not read at all (a FIFO would block).
    const QString fifo = m_dir.filePath("fifo.qvdesign");
    ASSERT_TRUE(hostile::MakeFifo(fifo));
    EXPECT_TRUE(ReadDesignFile(fifo).error.contains("not a regular file"));
    ASSERT_TRUE(QFile::link("/dev/zero", m_dir.filePath("device.qvdesign")));
    EXPECT_TRUE(ReadDesignFile(m_dir.filePath("device.qvdesign")).error.contains("not a regular file"));
    const QString huge = m_dir.filePath("huge.qvdesign");
    ASSERT_TRUE(hostile::MakeSparseFile(huge, kMaxDesignFileBytes + 1, document([](QJsonObject&, QJsonObject&) {})));
    EXPECT_TRUE(ReadDesignFile(huge).error.contains("larger than 16 MB"));

    // The unspoiled document reads.
    WriteFile(m_dir.filePath("good.qvdesign"), document([](QJsonObject&, QJsonObject&) {}));
    EXPECT_TRUE(ReadDesignFile(m_dir.filePath("good.qvdesign")).design);
}

TEST_F(DocumentTest, NamesThatAreNotUtf8AreKeptAsBytes)
{
    Design design;
    design.backgroundSize = QSize(64, 48);
    // The byte 0xFF of a name, as list files carry it in text.
    const QString name = m_dir.filePath(QStringLiteral("caf") + QChar(0xDCFF) + QStringLiteral(".png"));
    design.backgroundPath = name;
    design.photos.push_back({m_dir.filePath("plain.png"), QRectF(0.1, 0.2, 3.3, 4.4), {}, QSize()});
    const QByteArray bytes = FormatDesign(design, m_dir.path());
    const QByteArray asBytes = "\"fileBytes\": \"" + QByteArray("caf\xff.png").toBase64() + "\"";
    EXPECT_TRUE(bytes.contains(asBytes)) << bytes.constData();
    EXPECT_TRUE(bytes.contains("\"file\": \"plain.png\""));
    const DesignReading read = ParseDesign(bytes, m_dir.path(), "design");
    ASSERT_TRUE(read.design) << read.error.toStdString();
    EXPECT_EQ(DesignText(*read.design), DesignText(design));
}

TEST_F(DocumentTest, ADesignNoDocumentCouldHoldIsNotWritten)
{
    Design design;
    design.backgroundSize = QSize(100, 100);
    for (int i = 0; i < kMaxDesignPhotos + 1; ++i)
        design.photos.push_back({m_dir.filePath("p.png"), QRectF(0, 0, 10, 10), {}, QSize()});
    const QString path = m_dir.filePath("many.qvdesign");
    WriteFile(path, "what was there");
    QString why;
    EXPECT_FALSE(WriteDesignFile(path, design, &why));
    EXPECT_TRUE(why.contains("1001 photos")) << why.toStdString();
    EXPECT_EQ(ReadFile(path), "what was there");
    design.photos.pop_back();
    EXPECT_TRUE(WriteDesignFile(path, design, &why));
    EXPECT_TRUE(ReadDesignFile(path).design);
}
