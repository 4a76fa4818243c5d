// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page's File > Open and Save, its Undo and Redo for every command
// that changes the design, and the question before a changed design is
// replaced, through the page's commands.

#include "core/DesignDocument.h"
#include "designer/DragDropText.h"
#include "res/Resource.h"
#include "support/DesignPageFixture.h"
#include "support/DesignState.h"
#include "support/HostileFiles.h"
#include "support/PatternImage.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <functional>

namespace {

class DesignDocumentPageTest : public DesignPageFixture {
protected:
    void SetUp() override
    {
        DesignPageFixture::SetUp();
        background = Path("bg.png");
        ASSERT_TRUE(PatternImage(480, 270).save(background));
        photo = Path("photo.png");
        ASSERT_TRUE(PatternImage(300, 200).save(photo));
        other = Path("other.png");
        ASSERT_TRUE(PatternImage(150, 250).save(other));
    }

    // Answers every message box and question with answer, recording the
    // texts; answers file prompts by kind.
    void Answer(int answer)
    {
        m_boxes.reset();
        m_boxes = std::make_unique<MessageBoxGuard>([this, answer](const QString&, const QString& text) {
            boxes << text;
            return answer;
        });
    }
    void AnswerFiles(std::optional<QString> save, std::optional<QString> open)
    {
        m_files.reset();
        m_files = std::make_unique<FilePromptGuard>([=, this](const FilePrompt& prompt) {
            asked.push_back(prompt.kind);
            return prompt.kind == FilePrompt::Kind::Save ? save : open;
        });
    }

    // A design with a background and a photo, changed since it started.
    void Compose()
    {
        ASSERT_TRUE(scene->ChangeBackImage(background));
        CRect rect(30, 30, 130, 130);
        ASSERT_TRUE(scene->CreateSceneObject(photo, rect));
    }

    bool Command(int id) { return page->OnCmdMsg(id); }

    QString background, photo, other;
    QStringList boxes;
    std::vector<FilePrompt::Kind> asked;

private:
    std::unique_ptr<MessageBoxGuard> m_boxes;
    std::unique_ptr<FilePromptGuard> m_files;
};

} // namespace

TEST_F(DesignDocumentPageTest, SaveNamesTheDocumentOnceThenSavesThereWithoutAsking)
{
    Answer(IDOK);
    Compose();
    int changes = 0;
    QObject::connect(page.get(), &CDesignPage::designChanged, [&] { ++changes; });
    AnswerFiles(Path("mine"), std::nullopt);
    EXPECT_TRUE(Command(ID_FILE_SAVE));
    const QString document = Path("mine.qvdesign");
    EXPECT_EQ(page->DocumentPath(), document) << "the extension added to a bare name";
    EXPECT_TRUE(QFile::exists(document));
    EXPECT_FALSE(page->IsModified());
    EXPECT_GT(changes, 0);

    ASSERT_TRUE(scene->EditPhoto(scene->GetPhoto(0), PhotoEdit::Flip));
    EXPECT_TRUE(page->IsModified());
    EXPECT_TRUE(Command(ID_FILE_SAVE));
    EXPECT_EQ(asked.size(), 1u) << "the second save asks no name";
    const DesignReading read = ReadDesignFile(document);
    ASSERT_TRUE(read.design);
    EXPECT_EQ(read.design->photos.at(0).edits, std::vector<PhotoEdit>{PhotoEdit::Flip});
    EXPECT_TRUE(boxes.isEmpty());

    // A save that fails says why and leaves the design changed.
    ASSERT_TRUE(scene->EditPhoto(scene->GetPhoto(0), PhotoEdit::Flip));
    ASSERT_TRUE(QFile::remove(document));
    ASSERT_TRUE(QDir().mkpath(document)); // a folder where the file was
    EXPECT_TRUE(Command(ID_FILE_SAVE));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("The design cannot be saved as " + document)) << boxes[0].toStdString();
    EXPECT_TRUE(page->IsModified());
}

TEST_F(DesignDocumentPageTest, OpenReplacesTheDesignAndBadDocumentsChangeNothing)
{
    Answer(IDOK);
    Compose();
    const DesignSnapshot composed = Snapshot(*scene);
    ASSERT_TRUE(WriteDesignFile(Path("good.qvdesign"), scene->GetDesign()));
    scene->Init(PhotoTemplateProcessor::GetInstance());
    CRect rect(5, 5, 50, 50);
    ASSERT_TRUE(scene->CreateSceneObject(other, rect));
    scene->MarkSaved();

    // Each bad document: one message, the design and its history as they were.
    QFile::copy(photo, Path("picture.qvdesign"));
    hostile::MakeFifo(Path("fifo.qvdesign"));
    const DesignSnapshot mine = Snapshot(*scene);
    for (const char* bad : {"picture.qvdesign", "fifo.qvdesign", "absent.qvdesign"}) {
        SCOPED_TRACE(bad);
        boxes.clear();
        AnswerFiles(std::nullopt, Path(bad));
        EXPECT_TRUE(Command(ID_FILE_OPEN));
        EXPECT_EQ(boxes.size(), 1);
        EXPECT_EQ(Snapshot(*scene), mine);
        EXPECT_TRUE(scene->CanUndo());
        EXPECT_TRUE(page->DocumentPath().isEmpty());
    }

    boxes.clear();
    AnswerFiles(std::nullopt, Path("good.qvdesign"));
    EXPECT_TRUE(Command(ID_FILE_OPEN));
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(Snapshot(*scene), composed);
    EXPECT_TRUE(Label(IDC_BACKGROUND_WIDTH).endsWith("480")) << Label(IDC_BACKGROUND_WIDTH).toStdString();
    EXPECT_EQ(page->DocumentPath(), Path("good.qvdesign"));
    EXPECT_FALSE(scene->CanUndo()) << "an opened design starts a new history";

    // Photos gone: the rest opens, one message lists them.
    ASSERT_TRUE(QFile::remove(photo));
    EXPECT_TRUE(page->OpenDocument(Path("good.qvdesign")));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains(photo)) << boxes[0].toStdString();
    EXPECT_EQ(scene->GetPhotoCount(), 0);
    EXPECT_EQ(scene->GetBackgroundPath(), background);
}

TEST_F(DesignDocumentPageTest, AChangedDesignAsksBeforeOpenReplacesIt)
{
    ASSERT_TRUE(WriteDesignFile(Path("other.qvdesign"), scene->GetDesign()));
    // Never saved and never changed: no question.
    Answer(IDCANCEL);
    AnswerFiles(std::nullopt, Path("other.qvdesign"));
    EXPECT_TRUE(Command(ID_FILE_OPEN));
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(page->DocumentPath(), Path("other.qvdesign"));

    // Cancel: nothing happens, not even the prompt.
    Compose();
    const DesignSnapshot changed = Snapshot(*scene);
    asked.clear();
    EXPECT_TRUE(Command(ID_FILE_OPEN));
    EXPECT_EQ(boxes, QStringList{"Save changes to the design?"});
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Snapshot(*scene), changed);

    // Save: the design goes to its document first (no name asked: it has
    // one), then the document opens.
    Answer(IDYES);
    Compose();
    AnswerFiles(Path("unused"), Path("other.qvdesign"));
    EXPECT_TRUE(Command(ID_FILE_OPEN));
    ASSERT_TRUE(ReadDesignFile(Path("other.qvdesign")).design);
    EXPECT_EQ(ReadDesignFile(Path("other.qvdesign")).design->photos.size(), 2u) << "saved before opening";
    EXPECT_EQ(scene->GetPhotoCount(), 2);
    EXPECT_FALSE(page->IsModified());

    // Discard: the changes go, the document opens as it was saved.
    Answer(IDNO);
    ASSERT_TRUE(scene->DeletePhoto(scene->GetPhoto(0)));
    EXPECT_TRUE(Command(ID_FILE_OPEN));
    EXPECT_EQ(scene->GetPhotoCount(), 2);
    EXPECT_FALSE(page->IsModified());
}

TEST_F(DesignDocumentPageTest, EveryCommandThatChangesTheDesignIsOneStepToUndo)
{
    Answer(IDOK);
    ASSERT_TRUE(scene->ChangeBackImage(background));
    // A photo selected, as the commands on photos need.
    CRect rect(40, 40, 140, 140);
    ASSERT_TRUE(scene->CreateSceneObject(photo, rect));
    const auto select = [&] {
        const CPoint centre = scene->GetPhotoDrawRect(scene->GetPhoto(0)).CenterPoint();
        ASSERT_TRUE(scene->CheckHitPhoto(centre.x, centre.y));
    };
    const auto onSelected = [&](int id) {
        return [&, id] {
            select();
            Command(id);
        };
    };
    const auto withFile = [&](int id) {
        return [&, id] {
            select();
            AnswerFiles(std::nullopt, other);
            Command(id);
        };
    };
    struct Case {
        const char* what;
        std::function<void()> act;
        std::function<void()> prepare = [] {};
    };
    const std::vector<Case> cases{
        {"Add Photo", withFile(ID_ADD_PHOTO)},
        {"list drag",
         [&] {
             DRAGDROPINFO info;
             info.pt = CPoint(200, 20);
             info.data = new CDragDropText(other);
             SendWndMessage(page.get(), WM_DD_DRAGDROP, IDC_DESIGN_CANVAS, reinterpret_cast<LPARAM>(&info));
             delete info.data;
         }},
        {"file-manager drop of two",
         [&] {
             QMimeData data;
             data.setUrls({QUrl::fromLocalFile(photo), QUrl::fromLocalFile(other)});
             const QPoint at = Canvas().mapTo(page.get(), QPoint(150, 60));
             QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
             QCoreApplication::sendEvent(page.get(), &enter);
             QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
             QCoreApplication::sendEvent(page.get(), &drop);
         }},
        {"Delete", onSelected(ID_DELETE_KEY)},
        {"Change Photo Image", withFile(ID_CHANGE_PHOTO_IMAGE)},
        // Stretched first without a step, as a design opened might have it.
        {"Restore Ratio", onSelected(ID_RESTORE_RATIO),
         [&] { scene->SetPhotoSceneRect(scene->GetPhoto(0), QRectF(40, 40, 200, 50)); }},
        {"Mirror", onSelected(ID_MIRROR)},
        {"Flip", onSelected(ID_FLIP)},
        {"Negative", onSelected(ID_NEGATIVE)},
        {"Rotate Left", onSelected(ID_ROTATE_LEFT)},
        {"Rotate Right", onSelected(ID_ROTATE_RIGHT)},
        {"Gray Scale", onSelected(ID_GRAY_SCALE)},
        {"Change Background", withFile(ID_CHANGE_BACKGROUND)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.prepare();
        const DesignSnapshot before = Snapshot(*scene);
        const int steps = scene->GetHistory().UndoCount();
        c.act();
        const DesignSnapshot after = Snapshot(*scene);
        EXPECT_NE(after, before);
        EXPECT_EQ(scene->GetHistory().UndoCount(), steps + 1);
        EXPECT_TRUE(Command(ID_EDIT_UNDO));
        EXPECT_EQ(Snapshot(*scene), before);
        EXPECT_TRUE(Command(ID_EDIT_REDO));
        EXPECT_EQ(Snapshot(*scene), after);
        EXPECT_TRUE(Command(ID_EDIT_UNDO));
    }
    EXPECT_TRUE(boxes.isEmpty());
}
