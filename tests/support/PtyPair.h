#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QtTest>

namespace lanfan::test {

// A pseudo-terminal pair made by socat, standing in for a serial cable: one
// end (`a`) for the program, one (`b`) for the test playing the device. The
// ends are links at the given paths (a data folder's ports/COMn works).
class PtyPair {
public:
    PtyPair(QString endA, QString endB) : a(std::move(endA)), b(std::move(endB))
    {
        m_socat.start(QStringLiteral("socat"),
                      {QStringLiteral("pty,raw,echo=0,link=") + a, QStringLiteral("pty,raw,echo=0,link=") + b});
        m_socat.waitForStarted(5000);
        QElapsedTimer t;
        t.start();
        while (!(QFile::exists(a) && QFile::exists(b)) && t.elapsed() < 5000)
            QTest::qWait(20);
    }
    explicit PtyPair(const QString &folder)
        : PtyPair(folder + QStringLiteral("/ttyA"), folder + QStringLiteral("/ttyB"))
    {
    }
    ~PtyPair()
    {
        m_socat.terminate();
        m_socat.waitForFinished(2000);
    }
    bool isReady() const { return QFile::exists(a) && QFile::exists(b); }

    const QString a, b;

private:
    QProcess m_socat;
};

} // namespace lanfan::test
