#pragma once
// Fetches a study from a web server (http or https) for the main window: at
// most a size limit of bytes, given up after a timeout without data or after
// four such timeouts in all, and a plain reason when it fails.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

class TStudyDownload : public QObject {
    Q_OBJECT
public:
    // data is empty and error says why when the fetch failed.
    using TDone = std::function<void(const QByteArray& data, const QString& error)>;

    static constexpr qint64 kDefaultLimit = 16 * 1024 * 1024;
    static constexpr int kDefaultTimeoutMs = 30000;

    explicit TStudyDownload(QObject* parent = nullptr);
    ~TStudyDownload() override;

    // True for an http or https address.
    static bool IsWebAddress(const QString& address);

    void SetLimit(qint64 bytes) { m_limit = bytes; }
    void SetTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // Starts the fetch; Done is called once, from the event loop.
    void Start(const QString& address, TDone Done);
    bool Running() const { return m_reply != nullptr; }

private:
    void CheckSize(qint64 received);
    void Finished();

    QNetworkAccessManager* m_manager = nullptr;
    QNetworkReply* m_reply = nullptr;
    QTimer* m_deadline = nullptr;
    TDone m_done;
    QString m_abortReason;
    qint64 m_limit = kDefaultLimit;
    int m_timeoutMs = kDefaultTimeoutMs;
};
