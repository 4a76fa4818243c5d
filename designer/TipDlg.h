// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The Tip of the Day: one line of the tips file under a heading, beside a
// light bulb. It remembers in the profile section "Tip" where the next tip
// starts ("FilePos"), whether it opens at start-up ("StartUp", 0 = yes) and
// the creation time of the file that position belongs to ("TimeStamp").
//
// Both the application's Help menu and the design page's first paint open
// it, so it lives beside the design page, which may not depend on the
// application layer. Every construction reads one tip and every destruction
// stores the position after it, so even a start-up at which the dialog stays
// closed moves on by one tip.

#include "platform/Geometry.h"
#include "widgets/Dialog.h"

#include <QFile>
#include <QFont>
#include <QImage>
#include <QString>
#include <memory>

class QPainter;

class CTipDlg : public CDialog {
    Q_OBJECT

public:
    explicit CTipDlg(QWidget* parent = nullptr);
    ~CTipDlg() override;

    // Beeps and returns 1 without showing anything when the tips file could
    // not be opened; otherwise runs the dialog.
    int DoModal() override;

    bool OnCmdMsg(int id) override;
    void OnNextTip();

    // The font a tip is drawn in, word-wrapped into the text rectangle.
    static QFont TipFont();

    // Check box 1039: 1 = open at start-up.
    int m_bShowAtStartup = 0;
    // The current tip as read, with its line end when it had one.
    QString m_strTipText;
    // Open for the object's whole life; null when the file could not be opened.
    std::unique_ptr<QFile> m_pTipsFile;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void GetNextTipString(QString& next);
    // Check box <-> m_bShowAtStartup; true moves the box's state into the member.
    void UpdateData(bool saveAndValidate);
    CRect ControlRect(int id) const;
    // Where the heading and the tip are drawn: all that "Next Tip" repaints.
    CRect TextPaintRect() const;
    // The bulb drawn at scale (device pixels for one of the dialog's), its
    // white surroundings in the band's colour.
    const QImage& BulbInBand(QRgb band, qreal scale);

    QImage m_bulb;
    QImage m_bulbFilled;
    QRgb m_bulbFillColor = 0;
};

// Fills, from start, the 4-connected area of pixels of colour `surface` with
// `fill` (a flood fill of the FLOODFILLSURFACE kind); alpha is ignored in the
// comparison. Returns the image unchanged (as RGB32) when start lies outside
// it or is not of that colour.
QImage FloodFillSurface(const QImage& image, QPoint start, QRgb surface, QRgb fill);
