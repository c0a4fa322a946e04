#pragma once

#include <QColor>
#include <QWidget>

namespace qshell {

// The System Status panel's junk level: five segments, as many filled as the level, in the
// colour of the level's grade.
class LevelBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxLevel = 5;

    explicit LevelBar(QWidget* parent = nullptr);

    int value() const { return value_; }
    // Clamped to 0..kMaxLevel.
    void setValue(int value);
    // Fill colours of levels 1, 2-3 and 4-5.
    void setGradeColors(const QColor& low, const QColor& medium, const QColor& high);
    QColor fillColor() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int value_ = 0;
    QColor low_{Qt::darkGreen};
    QColor medium_{Qt::darkYellow};
    QColor high_{Qt::darkRed};
};

} // namespace qshell
