#pragma once

// Small questions the program asks the system about itself: its product name,
// version and service pack, the Windows, system and temporary folders, the free
// resources, and a registry value reader. None of them shows a message or throws:
// a failure reads as an empty text or a false result.
//
// The decisions that are plain logic (decoding a registry value, writing the
// version, classifying the system by its name) are separate pure functions.

#include "platform/platform.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace quillet {

// The registry root every caller of the program reads from.
inline const QString HkeyLocalMachine = QStringLiteral("HKEY_LOCAL_MACHINE");
// The largest value the registry reader accepts, in bytes.
constexpr int RegistryBufferSize = 1024;

// ---- Pure helpers -----------------------------------------------------------

// The text up to, not including, its first NUL character.
QString StripAtNull(const QString& text);
// The text with the native folder separator appended unless it already ends in
// one (an empty text becomes the separator alone).
QString AddBackslash(const QString& text);

// Decodes a registry value as the reader returns it. A trailing NUL byte is
// dropped first. Type 1 (a string) gives its characters in Windows-1251; type 4
// (a 32-bit number) gives the unsigned little-endian number in decimal, missing
// bytes counting as zero. Any other type gives nothing: the caller keeps what
// it had.
std::optional<QString> DecodeRegistryValue(std::uint32_t type, const QByteArray& data);

// "major.minor.build" with the minor number written with at least two digits:
// 5, 1, 2600 gives "5.01.2600"; 4, 10, 1998 gives "4.10.1998".
QString FormatWindowsVersion(int major, int minor, int build);

// The last two characters of a product name, upper-cased ("" for a shorter name).
QString WindowsNameSuffix(const QString& productName);
// Windows 95, 98 or ME: the only systems that report free resources.
bool IsWindows9x(const QString& productName);
// A name ending in "95", "98", "ME" or "NT": the systems on which the window
// cannot be made semi-transparent.
bool LacksLayeredWindows(const QString& productName);

// ---- Probes -----------------------------------------------------------------

// Reads a registry value as text. False (and an empty result) when the key or
// value is missing or the value is longer than RegistryBufferSize bytes; true
// when it was read, in which case a value of an unknown type leaves result as it
// was.
bool ReadRegistryString(Platform& platform, const QString& root, const QString& subkey,
                        const QString& valueName, QString& result);
// The product name, from the registry where there is one, else from the
// platform; empty when unknown.
QString GetWindowsName(Platform& platform);
// Service pack text and version text; both empty when the version is unknown.
void GetWindowsVersion(Platform& platform, QString& servicePack, QString& version);
// The folders end in the separator; empty when unknown.
QString GetWindowsFolder(Platform& platform);
QString GetSystemFolder(Platform& platform);
// "Temp", else "TMPDIR", with the separator appended; empty when neither is set.
QString GetTempFolder(Platform& platform);
// Free system, GDI and user resources in percent. Only Windows 95, 98 and ME
// have them, and this platform offers no way to ask, so the result is false and
// the outputs are left unchanged.
bool GetFreeResources(Platform& platform, std::int32_t& system, std::int32_t& gdi,
                      std::int32_t& user);

} // namespace quillet
