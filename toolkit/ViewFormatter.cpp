#include "toolkit/ViewFormatter.h"

#include "engine/DataFiller.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/TextMetrics.h"
#include "toolkit/IMGButton.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

namespace qtk {

namespace {

std::optional<int> tagOf(const QWidget* widget) {
    const QVariant tag = widget->property("tag");
    if (!tag.isValid()) return std::nullopt;
    bool ok = false;
    const int value = tag.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

double titleWidth(const QWidget* control) {
    return qui::textWidth(control->font(), ViewFormatter::titleOf(control));
}

const qcore::Value& section(const qcore::Dictionary& table, const std::string& name) {
    static const qcore::Value none;
    const auto it = table.find(name);
    return it == table.end() ? none : it->second;
}

QFont fontFor(const qcore::Value& spec) {
    const double size = spec["Size"].toDouble();
    if (spec["IsBold"].toBool()) return qui::boldSystemFont(size);
    if (spec["IsLabel"].toBool()) return qui::labelFont(size);
    return qui::fontNamed(QString::fromStdString(spec["Name"].toString()), size);
}

QColor darkGray() {
    return QColor::fromRgbF(1.0f / 3, 1.0f / 3, 1.0f / 3);
}

int intOr(const qcore::Value& entry, const std::string& key, int fallback) {
    return entry.contains(key) ? static_cast<int>(entry[key].toInt()) : fallback;
}

} // namespace

ViewFormatter::ViewFormatter(const qengine::DataFiller& dataFiller)
    : ViewFormatter(dataFiller.formatListDict(), dataFiller.isOSX_10_10_And_Above()) {}

ViewFormatter::ViewFormatter(qcore::Dictionary formatListDict, bool isOSX_10_10_And_Above)
    : formatListDict_(std::move(formatListDict)), isOSX_10_10_And_Above_(isOSX_10_10_And_Above) {}

QWidget* ViewFormatter::viewWithTag(QWidget* view, int tag) {
    if (!view) return nullptr;
    if (tagOf(view) == tag) return view;
    for (QWidget* child : view->findChildren<QWidget*>(Qt::FindChildrenRecursively))
        if (tagOf(child) == tag) return child;
    return nullptr;
}

QString ViewFormatter::titleOf(const QWidget* control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (const auto* field = qobject_cast<const QLineEdit*>(control)) return field->text();
    return {};
}

void ViewFormatter::updateFormattedObjectsForView(QWidget* view) const {
    updateFormattedComponentsForView(view);
    updateFormattedIMGButtonsForView(view);
}

void ViewFormatter::updateFormattedComponentsForView(QWidget* view) const {
    const qcore::Value& components = section(formatListDict_, "components");
    const qcore::Dictionary* entries = components.dictionary();
    if (!entries) return;
    for (const auto& [key, entry] : *entries) {
        QWidget* control = viewWithTag(view, static_cast<int>(qcore::leadingInteger(key)));
        if (control) applyComponent(control, entry);
    }
}

void ViewFormatter::applyComponent(QWidget* control, const qcore::Value& entry) const {
    if (entry.contains("Font")) control->setFont(fontFor(entry["Font"]));

    qui::PointRect frame = qui::frameOf(control);
    if (entry.contains("Size")) {
        const qcore::Value& size = entry["Size"];
        if (const auto width = size["Width"].toInt()) frame.width = static_cast<double>(width);
        if (const auto height = size["Height"].toInt()) frame.height = static_cast<double>(height);
    }
    if (entry.contains("Origin")) {
        const qcore::Value& origin = entry["Origin"];
        if (const auto x = origin["X"].toInt()) frame.x = static_cast<double>(x);
        if (const auto y = origin["Y"].toInt()) frame.y = static_cast<double>(y);
    }
    if (entry.contains("Offset")) {
        const qcore::Value& offset = entry["Offset"];
        frame.x += static_cast<double>(offset["X"].toInt());
        frame.y += static_cast<double>(offset["Y"].toInt());
    }
    if (entry.contains("Size") || entry.contains("Origin") || entry.contains("Offset"))
        qui::setFrame(control, frame);
    control->update();
}

void ViewFormatter::updateFormattedIMGButtonsForView(QWidget* view) const {
    const qcore::Value& settings = section(formatListDict_, "IMGSettings");
    const qcore::Dictionary* entries = settings.dictionary();
    if (!entries) return;
    for (const auto& [key, entry] : *entries) {
        QWidget* control = viewWithTag(view, static_cast<int>(qcore::leadingInteger(key)));
        if (control) applyIMGSettings(control, entry);
    }
}

void ViewFormatter::applyIMGSettings(QWidget* control, const qcore::Value& entry) const {
    auto* button = qobject_cast<IMGButton*>(control);
    if (!button) return;
    // Only the presence of a colour key counts; its value is not read.
    if (entry.contains("colorOffState")) button->setColorOffState(Qt::white);
    if (entry.contains("colorOffStateDis")) button->setColorOffStateDis(darkGray());
    if (entry.contains("colorOnState")) button->setColorOnState(Qt::white);
    if (entry.contains("colorOnStateDis")) button->setColorOnStateDis(darkGray());
    if (entry.contains("isMultiLine")) button->setIsMultiLine(entry["isMultiLine"].toInt() == 1);

    button->setMultiLineStr(entry.contains("multiLineStr")
                                ? QString::fromStdString(entry["multiLineStr"].toString())
                                : QStringLiteral(" "));
    button->setMarginLeft(intOr(entry, "marginLeft", 5));
    button->setMarginRight(intOr(entry, "marginRight", 5));
    button->setMarginTop(intOr(entry, "marginTop", 5));
    button->setMarginBottom(intOr(entry, "marginBottom", 5));
    button->setMarginTopML(intOr(entry, "marginTopML", 2));
    button->setMarginBottomML(intOr(entry, "marginBottomML", 2));
    button->update();
}

void ViewFormatter::updateFontForButton(QAbstractButton* button) {
    if (!button) return;
    const double available = button->width();
    for (int size = 5; size <= 50; ++size) {
        if (qui::textWidth(qui::systemFont(size), button->text()) <= available) continue;
        button->setFont(qui::systemFont(size - 2));
        button->update();
        return;
    }
}

void ViewFormatter::resizeButton(QAbstractButton* button) {
    if (!button) return;
    qui::PointRect frame = qui::frameOf(button);
    const double text = titleWidth(button);
    if (text > frame.width) frame.width = text + 10;
    qui::setFrame(button, frame);
    button->update();
}

void ViewFormatter::resizeLabel(QWidget* label, bool isVertical) {
    if (!label) return;
    qui::PointRect frame = qui::frameOf(label);
    const double text = titleWidth(label);
    if (!isVertical && text > frame.width - 10) frame.width = text + 10;
    if (isVertical && text > frame.width) frame.height *= 2;
    qui::setFrame(label, frame);
    label->update();
}

void ViewFormatter::resizeLabel(QWidget* label, QWidget* neighbour) {
    if (!label) return;
    qui::PointRect frame = qui::frameOf(label);
    const double text = titleWidth(label);
    if (text <= frame.width - 10) return;
    const double growth = text + 10 - frame.width;
    frame.width = text + 10;
    qui::setFrame(label, frame);
    label->update();
    if (!neighbour) return;
    qui::PointRect next = qui::frameOf(neighbour);
    next.x += growth;
    next.width -= growth;
    qui::setFrame(neighbour, next);
}

void ViewFormatter::resizeMe(QWidget* control, int leftMargin, int rightMargin,
                             bool isLeftAligned) {
    if (!control) return;
    qui::PointRect frame = qui::frameOf(control);
    const double width = resizeMeWidth(titleWidth(control), leftMargin, rightMargin);
    if (!isLeftAligned) frame.x -= width - frame.width;
    frame.width = width;
    qui::setFrame(control, frame);
}

void ViewFormatter::makeMultilingualChangesForYosemiteForLblDesc(QWidget* label) const {
    makeMultilingualChangesForYosemiteForLblDesc(label, isOSX_10_10_And_Above_);
}

void ViewFormatter::makeMultilingualChangesForYosemiteForLblDesc(QWidget* label,
                                                                 bool isOSX_10_10_And_Above) {
    if (!label || !isOSX_10_10_And_Above) return;
    qui::PointRect frame = qui::frameOf(label);
    frame.height += frame.y + 2;
    frame.y = 0;
    qui::setFrame(label, frame);
}

} // namespace qtk
