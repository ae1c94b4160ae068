// SPDX-License-Identifier: MIT
#include "tsock.h"

namespace quibo {

Q_LOGGING_CATEGORY(lcNet, "quibo.net")

class TSock::Private {};

TSock::TSock(QObject* parent) : QObject(parent), d(nullptr) {}
TSock::~TSock() = default;
void TSock::setHostName(const QString& name) { m_hostName = name; }
void TSock::setPortName(const QString& name) { m_portName = name; }
bool TSock::Listen() const { return false; }
void TSock::setListen(bool) {}
quint16 TSock::listeningPort() const { return 0; }
bool TSock::Open() { return false; }
TSock* TSock::Accept() { return nullptr; }
void TSock::Send(const QByteArray&) { throw ESockException("Send - Socket Not Connected"); }
QByteArray TSock::Receive() { return {}; }
bool TSock::Close() { return true; }
QString socketErrorName(int) { return QStringLiteral("UNKNOWN ERROR"); }
QString socketErrorText(int number)
{
    return QStringLiteral("Error #%1 (%2)").arg(number).arg(socketErrorName(number));
}

} // namespace quibo
