#include "shell/app/AboutBox.h"

#include "platform/ui/CloseShortcuts.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ImageCache.h"
#include "toolkit/LinkButton.h"

#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace qshell {

namespace {

QLabel* centredLabel(const QString& text, const QFont& font, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter);
    label->setFont(font);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

QString AboutBox::versionLine(const QString& shortVersion, const QString& buildVersion) {
    QString line = tr("Version %1").arg(shortVersion.isEmpty() ? buildVersion : shortVersion);
    if (!shortVersion.isEmpty() && !buildVersion.isEmpty() && buildVersion != shortVersion)
        line += QStringLiteral(" (%1)").arg(buildVersion);
    return line;
}

AboutBox::AboutBox(Contents contents, std::function<bool(const QUrl&)> openUrl, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(contents.title);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 20);
    layout->setSpacing(8);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(qui::namedImage(QStringLiteral("quendrix_app.png"))
                        .scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon->setAlignment(Qt::AlignHCenter);
    layout->addWidget(icon);

    QLabel* name = centredLabel(contents.name, qui::boldSystemFont(18), this);
    name->setObjectName(QStringLiteral("aboutName"));
    layout->addWidget(name);
    QLabel* version = centredLabel(versionLine(contents.shortVersion, contents.buildVersion),
                                   qui::systemFont(12), this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    layout->addWidget(version);

    auto* site = new qtk::LinkButton(QUrl(contents.website).host(), this);
    site->setObjectName(QStringLiteral("aboutWebsite"));
    site->setAccessibleName(site->text());
    connect(site, &QAbstractButton::clicked, this,
            [url = QUrl(contents.website), openUrl = std::move(openUrl)] {
                if (openUrl) openUrl(url);
            });
    layout->addWidget(site, 0, Qt::AlignHCenter);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("aboutOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    qui::CloseShortcuts::install(*this);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

} // namespace qshell
