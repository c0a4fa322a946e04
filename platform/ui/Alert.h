#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QMessageBox;
class QWidget;

namespace qui {

// A message box with buttons by title, first button the default. Answers are the position
// of the button pressed as a code: 1000 for the first, 1001 for the second, 1002 for the
// third. Esc answers as the second button when there is one, else as the first.
class Alert {
public:
    enum Response : int { FirstButton = 1000, SecondButton = 1001, ThirdButton = 1002 };
    enum class Style { Informational, Warning, Critical };

    Alert& setMessageText(const QString& text);
    Alert& setInformativeText(const QString& text);
    // Buttons appear in the order added; with none, the alert has one "OK" button.
    Alert& addButton(const QString& title);
    Alert& setStyle(Style style);

    const QString& messageText() const { return messageText_; }
    const QString& informativeText() const { return informativeText_; }
    const QStringList& buttonTitles() const { return buttons_; }

    // Application-modal; returns the response.
    int runModal(QWidget* parent = nullptr) const;
    // Modal to `window` only; returns at once and calls `completion` with the response.
    void beginSheetModal(QWidget* window, std::function<void(int)> completion = {}) const;

    static int responseForIndex(int index) { return FirstButton + index; }

private:
    // The box, owned by `parent` (or by the caller when there is none), and its buttons.
    QMessageBox* makeBox(QWidget* parent) const;

    QString messageText_;
    QString informativeText_;
    QStringList buttons_;
    Style style_ = Style::Warning;
};

} // namespace qui
