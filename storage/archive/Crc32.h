#pragma once

#include <QtGlobal>

#include <zlib.h>

namespace ergotab::archive {

// CRC-32/ISO-HDLC (reflected 0xEDB88320, initial and final complement), the CRC the container
// records for members and for the file before its trailer. zlib computes exactly this one, and
// much faster than a byte-wise table loop, so it does the work.
class Crc32
{
public:
    void update(const char *data, qsizetype size)
    {
        // zlib takes 32-bit lengths; feed huge pieces in slices.
        while (size > 0) {
            const uInt n = uInt(qMin<qsizetype>(size, 1 << 30));
            m_value = uint32_t(crc32(m_value, reinterpret_cast<const Bytef *>(data), n));
            data += n;
            size -= n;
        }
    }
    quint32 value() const { return quint32(m_value); }

    static quint32 of(const char *data, qsizetype size)
    {
        Crc32 crc;
        crc.update(data, size);
        return crc.value();
    }

private:
    uLong m_value = 0;
};

} // namespace ergotab::archive
