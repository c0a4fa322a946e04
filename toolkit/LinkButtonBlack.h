#pragma once

#include "toolkit/LinkButton.h"

namespace qtk {

// The link button in black.
class LinkButtonBlack : public LinkButton {
    Q_OBJECT
public:
    explicit LinkButtonBlack(QWidget* parent = nullptr);
    LinkButtonBlack(const QString& title, QWidget* parent);
};

} // namespace qtk
