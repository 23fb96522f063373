#include "shell/study_download.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

TStudyDownload::TStudyDownload(QObject* parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this)), m_deadline(new QTimer(this))
{
    // a server that keeps sending a trickle never trips the transfer timeout
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this] {
        if (!m_reply || !m_abortReason.isEmpty())
            return;
        m_abortReason = QStringLiteral("The web server did not send the whole study within %1 seconds.")
                            .arg(4 * m_timeoutMs / 1000.0);
        m_reply->abort();
    });
}

TStudyDownload::~TStudyDownload()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

bool TStudyDownload::IsWebAddress(const QString& address)
{
    const QString scheme = QUrl(address).scheme();
    return scheme.compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 ||
           scheme.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

void TStudyDownload::Start(const QString& address, TDone Done)
{
    if (m_reply)
        return;
    m_done = std::move(Done);
    m_abortReason.clear();
    QNetworkRequest request{QUrl(address)};
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(m_timeoutMs);
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid())
            CheckSize(length.toLongLong());
    });
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) { CheckSize(received); });
    connect(m_reply, &QNetworkReply::finished, this, &TStudyDownload::Finished);
    m_deadline->start(4 * m_timeoutMs);
}

void TStudyDownload::CheckSize(qint64 received)
{
    if (!m_reply || received <= m_limit || !m_abortReason.isEmpty())
        return;
    m_abortReason = QStringLiteral("The study is larger than %1 bytes.").arg(m_limit);
    m_reply->abort();
}

void TStudyDownload::Finished()
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    m_deadline->stop();
    reply->deleteLater();
    QByteArray data;
    QString error = m_abortReason;
    if (error.isEmpty()) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::OperationCanceledError)
            error = QStringLiteral("The web server gave no answer within %1 seconds.").arg(m_timeoutMs / 1000.0);
        else if (status >= 400) {
            const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
            error = QStringLiteral("The web server answered %1").arg(status) +
                    (reason.isEmpty() ? QString() : QLatin1Char(' ') + reason) + QLatin1Char('.');
        }
        else if (reply->error() != QNetworkReply::NoError)
            error = reply->errorString();
        else {
            data = reply->readAll();
            if (data.size() > m_limit)
                error = QStringLiteral("The study is larger than %1 bytes.").arg(m_limit);
            else if (data.isEmpty())
                error = QStringLiteral("The web server sent no data.");
        }
    }
    if (!error.isEmpty())
        data.clear();
    TDone done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(data, error);
}
