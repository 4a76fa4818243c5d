#pragma once

#include <QLabel>

// A label of the design page: in behaviour a plain static text, which the
// page redraws whole whenever its text changes.
class CAutoEraseStatic : public QLabel {
    Q_OBJECT

public:
    explicit CAutoEraseStatic(QWidget* parent = nullptr) : QLabel(parent) {}
};
