#pragma once

#include <QColor>
#include <QWidget>

namespace qpages {

// A discrete level of 0 to 5 cells under the low, medium and high words: the first two cells
// take the low colour, the third the medium one, the last two the high one.
class LevelIndicator : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCells = 5;

    explicit LevelIndicator(QWidget* parent = nullptr);

    double value() const { return value_; }
    // Clamped to 0..kCells.
    void setValue(double value);
    void setLevelColors(const QColor& low, const QColor& medium, const QColor& high);
    QColor cellColor(int cell) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double value_ = 0;
    QColor low_{76, 120, 37};
    QColor medium_{168, 140, 5};
    QColor high_{138, 43, 43};
};

} // namespace qpages
