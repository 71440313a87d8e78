#pragma once

#include <cstdint>

#include <QByteArray>

namespace skyraid::art {

// Little-endian fields of the file formats we write.
inline void put16(QByteArray& out, std::uint16_t value)
{
    out.append(char(value & 0xff));
    out.append(char(value >> 8));
}

inline void put32(QByteArray& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xff));
}

} // namespace skyraid::art
