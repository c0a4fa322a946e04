#include "shell/feedback/FeedbackForm.h"

#include <QRegularExpression>
#include <QString>

namespace qshell {

const std::string& FeedbackForm::emailPattern() {
    static const std::string kPattern =
        R"re((?:[a-z0-9!#$%\&'*+/=?\^_`{|}~-]+(?:\.[a-z0-9!#$%\&'*+/=?\^_`{|}~-]+)*|"(?:[\x01-\x08\x0b\x0c\x0e-\x1f\x21\x23-\x5b\x5d-\x7f]|\\[\x01-\x09\x0b\x0c\x0e-\x7f])*")@(?:(?:[a-z0-9](?:[a-z0-9-]*[a-z0-9])?\.)+[a-z0-9](?:[a-z0-9-]*[a-z0-9])?|\[(?:(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\.){3}(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?|[a-z0-9-]*[a-z0-9]:(?:[\x01-\x08\x0b\x0c\x0e-\x1f\x21-\x5a\x53-\x7f]|\\[\x01-\x09\x0b\x0c\x0e-\x7f])+)\]))re";
    return kPattern;
}

bool FeedbackForm::validateEmail(const std::string& email) {
    static const QRegularExpression kWhole(
        QRegularExpression::anchoredPattern(QString::fromStdString(emailPattern())));
    return kWhole.match(QString::fromStdString(email)).hasMatch();
}

std::string FeedbackForm::cleanEmail(const std::string& email) {
    return QString::fromStdString(email).toLower().trimmed().toStdString();
}

std::string FeedbackForm::cleanMessage(const std::string& message) {
    return QString::fromStdString(message).trimmed().toStdString();
}

FeedbackForm::Check FeedbackForm::check(const std::string& email, bool typeIsPlaceholder,
                                        const std::string& message) {
    Check result;
    result.email = cleanEmail(email);
    result.message = cleanMessage(message);
    result.emailError = !validateEmail(result.email);
    result.typeError = typeIsPlaceholder;
    result.messageError = result.message.empty();
    return result;
}

} // namespace qshell
