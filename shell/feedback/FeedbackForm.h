#pragma once

#include <string>

namespace qshell {

// The feedback form's checks: the e-mail address, the chosen type and the message.
class FeedbackForm {
public:
    struct Check {
        std::string email;   // lower-cased, trimmed of blanks and line ends
        std::string message; // trimmed of blanks and line ends
        bool emailError = false;
        bool typeError = false;
        bool messageError = false;
        bool anyError() const { return emailError || typeError || messageError; }
    };

    // The general e-mail expression restricted to lower-case letters, matched whole.
    static const std::string& emailPattern();
    static bool validateEmail(const std::string& email);

    static std::string cleanEmail(const std::string& email);
    static std::string cleanMessage(const std::string& message);

    // `typeIsPlaceholder`: the type pop-up still shows its "select a type" item.
    static Check check(const std::string& email, bool typeIsPlaceholder,
                       const std::string& message);
};

} // namespace qshell
