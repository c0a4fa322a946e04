#include "platform/ui/Alert.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <memory>

namespace qui {

namespace {

constexpr const char* kIndexProperty = "qui_alert_index";

QMessageBox::Icon iconFor(Alert::Style style) {
    switch (style) {
    case Alert::Style::Informational:
        return QMessageBox::Information;
    case Alert::Style::Warning:
        return QMessageBox::Warning;
    case Alert::Style::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// The response for the button the box was closed with.
int responseOf(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    if (!clicked) return Alert::FirstButton;
    return Alert::responseForIndex(clicked->property(kIndexProperty).toInt());
}

} // namespace

Alert& Alert::setMessageText(const QString& text) {
    messageText_ = text;
    return *this;
}

Alert& Alert::setInformativeText(const QString& text) {
    informativeText_ = text;
    return *this;
}

Alert& Alert::addButton(const QString& title) {
    buttons_.append(title);
    return *this;
}

Alert& Alert::setStyle(Style style) {
    style_ = style;
    return *this;
}

QMessageBox* Alert::makeBox(QWidget* parent) const {
    auto* box = new QMessageBox(parent);
    box->setObjectName(QStringLiteral("alert"));
    // Titled with the program's display name, never left to the executable's name.
    box->setWindowTitle(QGuiApplication::applicationDisplayName());
    box->setIcon(iconFor(style_));
    box->setText(messageText_);
    box->setInformativeText(informativeText_);
    const QStringList titles = buttons_.isEmpty() ? QStringList{QMessageBox::tr("OK")} : buttons_;
    QList<QPushButton*> made;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        // Roles only steer where the style places the buttons; answers go by index.
        const auto role = i == 0   ? QMessageBox::AcceptRole
                          : i == 1 ? QMessageBox::RejectRole
                                   : QMessageBox::ActionRole;
        QPushButton* button = box->addButton(titles[i], role);
        button->setProperty(kIndexProperty, static_cast<int>(i));
        made.append(button);
    }
    box->setDefaultButton(made.first());
    box->setEscapeButton(made.size() > 1 ? made[1] : made.first());
    return box;
}

int Alert::runModal(QWidget* parent) const {
    QMessageBox* box = makeBox(parent);
    const QPointer<QMessageBox> alive(box);
    // Without a parent nothing else owns the box; with one, the parent may take it down.
    const std::unique_ptr<QMessageBox> owned(parent ? nullptr : box);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    if (!alive) return SecondButton; // dismissed by its window going away, as a cancel
    const int response = responseOf(*box);
    if (parent) box->deleteLater();
    return response;
}

void Alert::beginSheetModal(QWidget* window, std::function<void(int)> completion) const {
    QMessageBox* box = makeBox(window ? window->window() : nullptr);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    QObject::connect(box, &QMessageBox::finished, box,
                     [box, completion = std::move(completion)](int) {
                         if (completion) completion(responseOf(*box));
                     });
    box->open();
}

} // namespace qui
