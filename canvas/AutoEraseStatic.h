// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A label of the design page: in behaviour a plain static text, which the
// page redraws whole whenever its text changes.
class CAutoEraseStatic : public QLabel {
    Q_OBJECT

public:
    explicit CAutoEraseStatic(QWidget* parent = nullptr) : QLabel(parent) {}
};
