#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QLocalServer;

namespace qshell {

// One running copy of the application per user: a second launch hands "showtheapp" to the
// running one over a local socket and exits; the running one brings its window forward.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    inline static const QByteArray kShowTheApp = QByteArrayLiteral("showtheapp");

    // The socket name for the bundle identifier and the current user.
    static QString keyFor(const QString& bundleIdentifier);

    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when a running copy took the request; the caller then exits.
    bool forwardToRunning(int timeoutMs = 1000) const;
    // Starts answering later launches; `onRequest` runs on the main thread per request.
    // False when the socket could not be made (the application still runs).
    bool listen(std::function<void()> onRequest);

    const QString& key() const { return key_; }

private:
    void readRequest();

    QString key_;
    QPointer<QLocalServer> server_;
    std::function<void()> onRequest_;
};

} // namespace qshell
