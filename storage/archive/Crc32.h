#pragma once

#include <QtGlobal>

namespace ergotab::archive {

// CRC-32/ISO-HDLC (reflected polynomial 0xEDB88320, initial value and final complement), the
// CRC the container records for each member and for the file before its trailer. Every byte
// that is packed or unpacked passes through it, so on x86 processors with carry-less multiply
// it folds 64 bytes at a time; elsewhere zlib's crc32, which computes the same value, does it.
class Crc32
{
public:
    void update(const char *data, qsizetype size);
    quint32 value() const { return m_value; }

    static quint32 of(const char *data, qsizetype size)
    {
        Crc32 crc;
        crc.update(data, size);
        return crc.value();
    }

private:
    quint32 m_value = 0;
};

} // namespace ergotab::archive
