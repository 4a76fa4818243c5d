#pragma once

#include "core/Picture.h"

#include <QFrame>

class CPhotoPreviewCtrl;

// The preview's picture: loading it decodes no more pixels than the control
// can show at its size at that moment (a control not yet shown may not have
// had its resize event, so the size is read at load time).
class CPreviewPicture : public CxImage {
public:
    explicit CPreviewPicture(const CPhotoPreviewCtrl* owner) : m_owner(owner) {}

    bool Load(const QString& path, int type);

private:
    const CPhotoPreviewCtrl* m_owner;
};

// Shows one picture fitted on a white mat over a plain face in the palette's
// button-shadow colour. The owner loads the picture into m_image and updates
// the control; the control draws whatever m_image holds at every paint.
class CPhotoPreviewCtrl : public QFrame {
    Q_OBJECT

public:
    explicit CPhotoPreviewCtrl(QWidget* parent = nullptr);
    ~CPhotoPreviewCtrl() override;

    // The picture shown. A large photo is decoded no larger than it can be
    // shown here, while the owner still reads the file's own width, height
    // and depth from it.
    CPreviewPicture m_image{this};

    // The largest picture size, in device pixels, the control can show.
    QSize DecodeLimit() const;

    // Paints the whole face into painter (whose origin is the control's).
    void DrawPreview(QPainter* painter);

protected:
    void paintEvent(QPaintEvent* event) override;
};
