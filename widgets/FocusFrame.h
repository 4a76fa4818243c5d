// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Keyboard focus made plain on controls whose style marks it faintly or not
// at all (item views mark only their current item, and some styles only
// after a key moved the focus; a picture surface has no mark of its own): a
// frame in the highlight colour round the control while it has the focus,
// as strong as a focused text field's. The frame lies outside the control,
// on its parent, so it never covers what the control shows and takes no
// mouse presses.

#include <QPointer>
#include <QWidget>

class FocusFrame : public QWidget {
    Q_OBJECT

public:
    // How far the frame reaches out from the control, in pixels.
    static constexpr int kWidth = 2;

    // Frames control from now on; the frame belongs to control's parent.
    static FocusFrame* Attach(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit FocusFrame(QWidget* control);
    void Follow();

    QPointer<QWidget> m_control;
};
