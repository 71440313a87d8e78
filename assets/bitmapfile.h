#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace skyraid::art {

// An uncompressed 24-bit Windows bitmap of the picture, rows bottom-up.
QByteArray bitmap24(const QImage& picture);

// An uncompressed 8-bit Windows bitmap of an indexed picture: always a full
// 256-entry palette (unused entries black), rows bottom-up and padded to four
// bytes. 153 x 115 pixels come to 19,018 bytes.
QByteArray bitmap8(const QImage& indexed);

// Writes the bytes, replacing the file; false when it cannot.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace skyraid::art
