#pragma once

#include <QColor>
#include <QPushButton>

namespace qtk {

// A button drawn as an underlined link with a pointing-hand cursor. Every setTitle() brings
// back the link colour, so a title set later (or recoloured in between) still looks a link.
class LinkButton : public QPushButton {
    Q_OBJECT
public:
    explicit LinkButton(QWidget* parent = nullptr);
    LinkButton(const QString& title, QWidget* parent);

    void setTitle(const QString& title);
    QString title() const { return text(); }
    // The colour setTitle() gives the text.
    QColor linkColor() const { return linkColor_; }
    // The colour the title is drawn in now (the palette's button text).
    QColor titleColor() const;

    QSize sizeHint() const override;

protected:
    LinkButton(const QColor& linkColor, QWidget* parent);
    void paintEvent(QPaintEvent* event) override;

private:
    void setUp();

    QColor linkColor_;
};

} // namespace qtk
