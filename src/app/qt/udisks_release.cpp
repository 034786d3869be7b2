#include "app/qt/udisks_release.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QVariantMap>
#include <cstdio>

#include "common/code_page.h"

namespace qtui {
namespace {

constexpr const char* kService = "org.freedesktop.UDisks2";
constexpr const char* kBlock = "org.freedesktop.UDisks2.Block";
constexpr const char* kFilesystem = "org.freedesktop.UDisks2.Filesystem";
constexpr const char* kDrive = "org.freedesktop.UDisks2.Drive";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
// Unmounting waits for the file system to be written out, which takes a while on a player.
constexpr int kCallTimeoutMilliseconds = 120000;

// The system's error text, for a message box in the system code page.
std::string ErrorText(const QDBusError& error) {
    const std::string text =
        error.message().isEmpty() ? error.name().toStdString() : error.message().toStdString();
    return common::Utf8ToCodePage(text).value_or(text);
}

bool GetProperty(QDBusConnection& bus, const QString& path, const char* interface, const char* name,
                 QVariant& value, std::string& error) {
    QDBusInterface properties(kService, path, kProperties, bus);
    QDBusReply<QDBusVariant> reply =
        properties.call("Get", QString::fromLatin1(interface), QString::fromLatin1(name));
    if (!reply.isValid()) {
        error = ErrorText(reply.error());
        return false;
    }
    value = reply.value().variant();
    return true;
}

bool Call(QDBusConnection& bus, const QString& path, const char* interface, const char* method,
          std::string& error) {
    QDBusInterface object(kService, path, interface, bus);
    object.setTimeout(kCallTimeoutMilliseconds);
    const QDBusMessage reply = object.call(method, QVariantMap());
    if (reply.type() != QDBusMessage::ErrorMessage) return true;
    error = ErrorText(QDBusError(reply));
    return false;
}

}  // namespace

std::string UdisksBlockPath(const std::string& node) {
    const std::size_t slash = node.rfind('/');
    const std::string name = slash == std::string::npos ? node : node.substr(slash + 1);
    std::string path = "/org/freedesktop/UDisks2/block_devices/";
    for (unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            path += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "_%02x", c);
            path += escaped;
        }
    }
    return path;
}

std::string UdisksRelease::Release(const std::string& node, bool& poweredOff) {
    poweredOff = false;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return "the system bus cannot be reached: " + ErrorText(bus.lastError());
    const QString block = QString::fromStdString(UdisksBlockPath(node));
    std::string error;
    QVariant drive;
    if (!GetProperty(bus, block, kBlock, "Drive", drive, error)) return error;
    if (!Call(bus, block, kFilesystem, "Unmount", error)) return error;
    const QString drivePath = drive.value<QDBusObjectPath>().path();
    if (drivePath.isEmpty() || drivePath == "/") return {};
    QVariant canPowerOff;
    if (!GetProperty(bus, drivePath, kDrive, "CanPowerOff", canPowerOff, error)) return error;
    if (!canPowerOff.toBool()) return {};
    if (!Call(bus, drivePath, kDrive, "PowerOff", error)) return "unmounted, but " + error;
    poweredOff = true;
    return {};
}

}  // namespace qtui
