#pragma once

#include <QString>
#include <QWidget>

namespace qtk {

// A panel painted from three named images: left cap, stretched middle, right cap. A name with
// no image leaves that part empty. Setting names does not repaint; callers update().
class GradientBox : public QWidget {
    Q_OBJECT
public:
    explicit GradientBox(QWidget* parent = nullptr);

    // One image for all three parts.
    void setGradientImageName(const QString& name);
    void setGradientImageName(const QString& first, const QString& middle, const QString& last);

    QString bgImage() const { return bgImage_; }
    void setBgImage(const QString& name) { bgImage_ = name; }
    QString bgImage_St() const { return bgImage_St_; }
    void setBgImage_St(const QString& name) { bgImage_St_ = name; }
    QString bgImage_En() const { return bgImage_En_; }
    void setBgImage_En(const QString& name) { bgImage_En_ = name; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString bgImage_;
    QString bgImage_St_;
    QString bgImage_En_;
};

} // namespace qtk
