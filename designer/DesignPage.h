// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/AutoEraseStatic.h"
#include "canvas/PhotoImageEditCtrl.h"
#include "canvas/PhotoPreviewCtrl.h"
#include "core/SceneObject.h"
#include "designer/DragDropMgr.h"
#include "widgets/ListBox.h"
#include "widgets/PropertyPage.h"
#include "widgets/TrayIcon.h"

#include <QFileSystemModel>
#include <QIcon>
#include <QMenuBar>
#include <QPushButton>
#include <QStringList>
#include <QTreeView>

struct AcceleratorTable;

// The page's accelerator table (Delete and Escape), set when the page's
// window is initialised. GUI thread only.
extern const AcceleratorTable* g_hAccel;

// True until the design page's first paint, which clears it and offers the
// Tip of the Day: the start-up tip comes once per process. GUI thread only.
extern bool g_bTipPending;

// The page on which a wallpaper is composed: a folder tree and the pictures
// of the chosen folder, a preview of the selected picture with its size and
// depth, and the design canvas, onto which pictures are dragged from the list
// (or from the desktop's file manager) and edited with the page's commands.
// The scene lives in SceneGraph; the page keeps none of it and repaints the
// canvas after each change. It also owns the tray icon's record: the icon is
// added when the page's window is initialised and removed when the page goes.
//
// The page's code is split by concern: life cycle and routing
// (DesignPage.cpp), folders, list and preview (DesignPageBrowse.cpp), scene
// commands and drag and drop (DesignPageScene.cpp), saving and applying
// (DesignPageSave.cpp), design documents and the history
// (DesignPageDocument.cpp).
class CDesignPage : public CPropertyPage {
    Q_OBJECT

public:
    explicit CDesignPage(QWidget* parent = nullptr);
    ~CDesignPage() override;

    bool OnCmdMsg(int id) override;
    void OnCancel() override;
    bool OnSetActive() override;

    // The first free "wallpaper/wallpaper_N.jpg" under the current folder;
    // any entry (a folder too) with the name counts as taken.
    static QString NextWallpaperPath();

    QIcon m_hIcon;
    // Menu 140, attached to the page: a page shows no menu bar of its own,
    // the main window shows the same menu.
    QMenuBar m_menu;
    CDragDropMgr m_dragDropMgr;
    QFileSystemModel m_folderModel;
    QTreeView m_treeFolders;
    CListBox m_listPhotos;
    CPhotoPreviewCtrl m_preview;
    CPhotoImageEditCtrl m_canvas;
    int m_nSelectedPhoto = -1;
    // The folder the photo list shows, ending in '/'; empty before the first
    // fill. The picture-file dialogs start there.
    QString m_strPhotoFolder;
    NotifyIconData m_nid;
    QPushButton m_btnChangeBackground;
    CAutoEraseStatic m_staticWidth;

    // Folder, list and preview.
    void UpdateBackgroundLabels();
    void OnFolderSelChanged();
    // Fills the list with the pictures of folder; appends '/' to the
    // caller's string when it has none. An empty path changes nothing.
    void FillPhotoList(QString& folder);
    void OnPhotoSelChange();
    void PreviewSelectedPhoto();
    // Empties the preview and puts its labels back to the template's texts.
    void ClearPreview();
    // The folder-tree item of path, selected and scrolled into view.
    bool SelectFolder(const QString& path);

    // Scene commands.
    void OnChangeBackground();
    void OnAddPhoto();
    void OnDeletePhoto();
    void OnChangePhotoImage();
    void OnRestoreRatio();
    void OnMirror();
    void OnFlip();
    void OnNegative();
    void OnRotateLeft();
    void OnRotateRight();
    void OnGrayScale();
    // The context menu for a request at a global point, its chosen command
    // routed to the page. Nothing opens outside the canvas.
    void OnContextMenu(QPoint global);
    LRESULT OnDragEnter(WPARAM wParam, LPARAM lParam);
    LRESULT OnDragDrop(WPARAM wParam, LPARAM lParam);
    LRESULT OnDragAbort(WPARAM wParam, LPARAM lParam);
    // Pictures dropped from outside (file URLs) at a canvas point; returns
    // how many photos were added.
    int DropFiles(const QList<QUrl>& urls, CPoint canvasPoint);

    // Design documents and the history. Open replaces the design with a
    // document the user picks (asking first about a changed design); Save
    // writes the design to its document, asking for a name the first time.
    void OnFileOpen();
    void OnFileSave();
    void OnEditUndo();
    void OnEditRedo();
    // Opens the document at path in place of the design, without asking;
    // false, with one message, when it cannot be read (the design stays).
    bool OpenDocument(const QString& path);
    // Saves the design to its document (the user names one the first time);
    // false when it was not saved.
    bool SaveDocument();
    // Before the design is replaced (Open, quitting): a changed design asks
    // "Save changes to the design?". True when the caller may go on.
    bool SaveModified();
    // The document the design was opened from or last saved to; empty for
    // a design never saved.
    const QString& DocumentPath() const { return m_documentPath; }
    bool IsModified() const;
    bool CanUndo() const;
    bool CanRedo() const;

    // Saving and applying.
    void OnSetAsWallpaper();
    void OnSaveAsJpg();
    void OnPreview();

    // Life cycle.
    void OnHideToTray();
    void OnTrayAbout();
    void OnTrayExit();
    void OnIgnoreEscape() {}
    // The start-up Tip of the Day: shown when its start-up setting is on.
    void OnStartupTip();

    // Repaints the whole canvas from the scene.
    void RepaintCanvas();
    // A point of the page in canvas client coordinates.
    CPoint ToCanvas(QPoint pagePoint) const;

Q_SIGNALS:
    // The design's history moved (a step made, undone or redone), or the
    // design was opened or saved: its name, change mark and the Undo and
    // Redo commands may have changed.
    void designChanged();

protected:
    ControlBindings Bindings() override;
    bool OnInitDialog() override;
    bool WindowProc(int message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool PreTranslateMessage(QObject* target, QEvent* event);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void SetUpFolderTree();
    void WatchControls();
    void InvalidateControls(std::initializer_list<int> ids);
    // Runs a picture-file dialog in the folder the photo list shows; the
    // chosen path, or empty when cancelled.
    QString PromptForPicture() const;
    void EditSelectedPhoto(PhotoEdit edit);
    // After Undo, Redo or Open: the whole design may be another.
    void ShowWholeDesign();
    // The folder the design dialogs (Open, Save, Save as JPG) start in, and
    // the one they start in next: that of the file just opened or saved.
    static QString DesignFolder();
    static void RememberDesignFolder(const QString& path);

    bool m_trayAdded = false;
    QString m_documentPath;
    // The folder selected at start-up, kept in view while the tree loads
    // the folders above it.
    QString m_revealPath;
};
