#include "filesender.h"

#include <QFileInfo>

SerialFileSender::SerialFileSender(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SerialFileSender::sendNextLine);
}

bool SerialFileSender::start(const QString &path, QIODevice *port, int gapMs)
{
    stop();
    if (!QFileInfo(path).isFile())
        return false;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    m_port = port;
    m_timer.setInterval(gapMs);
    // The first line goes out at once; the gap follows each line.
    QTimer::singleShot(0, this, [this] {
        if (m_file.isOpen() && !m_timer.isActive())
            sendNextLine();
    });
    return true;
}

void SerialFileSender::stop()
{
    m_timer.stop();
    if (m_file.isOpen())
        m_file.close();
    m_port = nullptr;
}

void SerialFileSender::sendNextLine()
{
    if (!m_file.isOpen())
        return;
    if (m_file.atEnd()) {
        finish(true, QString());
        return;
    }
    if (!m_port || !m_port->isOpen()) {
        finish(false, tr("the port is closed"));
        return;
    }
    const QByteArray line = m_file.readLine();
    if (line.isEmpty() && m_file.error() != QFileDevice::NoError) {
        finish(false, m_file.errorString());
        return;
    }
    const qint64 written = m_port->write(line);
    if (written != line.size()) {
        finish(false, m_port->errorString());
        return;
    }
    if (m_file.atEnd()) {
        finish(true, QString());
        return;
    }
    m_timer.start();
}

void SerialFileSender::finish(bool ok, const QString &error)
{
    stop();
    emit finished(ok, error);
}
