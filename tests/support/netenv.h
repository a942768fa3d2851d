#pragma once

#include <QHostAddress>
#include <QString>

// Addresses of the private network every socket test runs in (tools/netns-run).
namespace netenv {
inline QString appAddress() { return QStringLiteral("10.47.0.1"); }
// n from 0 to 8: the address of the n-th simulated recorder.
inline QString recorderAddress(int n) { return QStringLiteral("10.47.0.%1").arg(11 + n); }
// An address on the subnet where nothing listens.
inline QString deadAddress() { return QStringLiteral("10.47.0.99"); }
// Aborts the test run when it is not inside the private namespace.
void requirePrivateNetwork();
} // namespace netenv
