#pragma once

#include "shell/common/TextSource.h"
#include "shell/feedback/FeedbackSheet.h"
#include "shell/views/ShellDialogs.h"

#include <QObject>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace qtk {
class CustomSheetWindow;
}

namespace qshell {

class SheetRunner;

// The feedback form as a sheet over the main window: e-mail, type, message, the logs option,
// the error lines and the spinner. The report is saved, never sent; the acknowledgement says
// where it went.
class FeedbackSheetView : public QObject {
    Q_OBJECT
public:
    FeedbackSheetView(QWidget& mainWindow, const SheetRunner& runner, TextSource texts,
                      const QString& appName, FeedbackSheet& logic, ShellDialogs dialogs,
                      QObject* parent = nullptr);
    ~FeedbackSheetView() override;

    // Runs the form; returns once it has closed, after showing the acknowledgement.
    void openFeedbackWindow();
    void submitFeedback();
    void cancelFeedbackSheet();

    qtk::CustomSheetWindow* sheet() const { return sheet_; }
    QWidget* box() const { return box_; }
    QLineEdit* emailField() const { return email_; }
    QComboBox* typePopUp() const { return type_; }
    QPlainTextEdit* messageView() const { return message_; }
    QLabel* invalidEmailLine() const { return invalidEmail_; }
    QLabel* invalidTypeLine() const { return invalidType_; }
    QLabel* invalidMessageLine() const { return invalidMessage_; }
    QPushButton* submitButton() const { return submit_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void buildBox(const QString& appName);
    QString text(const std::string& key) const;
    void closeSheet();
    void showErrors(const FeedbackForm::Check& check);

    QWidget& mainWindow_;
    const SheetRunner& runner_;
    TextSource texts_;
    FeedbackSheet& logic_;
    ShellDialogs dialogs_;
    qtk::CustomSheetWindow* sheet_ = nullptr;
    QWidget* box_ = nullptr;
    QLineEdit* email_ = nullptr;
    QComboBox* type_ = nullptr;
    QPlainTextEdit* message_ = nullptr;
    QCheckBox* sendLogs_ = nullptr;
    QLabel* invalidEmail_ = nullptr;
    QLabel* invalidType_ = nullptr;
    QLabel* invalidMessage_ = nullptr;
    QLabel* wait_ = nullptr;
    QProgressBar* spinner_ = nullptr;
    QPushButton* submit_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace qshell
