#include "TableLikeData.h"

#include "storage/codepage/CodePage.h"

#include <QList>

namespace {

// Czech text as the tables hold it: Windows-1250 bytes.
QList<QByteArray> windows1250(std::initializer_list<const char16_t *> texts)
{
    QList<QByteArray> out;
    for (const char16_t *t : texts)
        out.append(ergotab::CodePage::windows1250().encode(QString::fromUtf16(t)));
    return out;
}

const QList<QByteArray> kUnits = windows1250({u"Výroba", u"Sklad", u"Údržba", u"Administrativa", u"Lakovna",
                                              u"Svařovna", u"Kotelna", u"Expedice", u"Laboratoř", u"Dílna"});
const QList<QByteArray> kJobs = windows1250({u"Svářeč", u"Lakýrník", u"Skladník", u"Čistička", u"Obráběč kovů",
                                             u"Řidič VZV", u"Elektrikář", u"Referent", u"Mistr", u"Zámečník"});
const QList<QByteArray> kPhrases = windows1250(
    {u"Práce v hluku nad 85 dB", u"Expozice prachu při broušení", u"Nucená pracovní poloha", u"Zvedání břemen do 15 kg",
     u"Práce se zrakovou zátěží", u"Chemické látky - ředidla", u"Bez rizikových faktorů", u"Teplo v letních měsících"});

void appendPadded(QByteArray &out, const QByteArray &text, int width, char pad = ' ')
{
    out += text.left(width);
    if (text.size() < width)
        out += QByteArray(width - text.size(), pad);
}

} // namespace

uint32_t TableLikeData::next()
{
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

QByteArray TableLikeData::header(uint32_t records)
{
    QByteArray h(32, '\0');
    h[0] = 0x03;
    h[1] = 126, h[2] = 1, h[3] = 1;
    for (int i = 0; i < 4; ++i)
        h[4 + i] = char((records >> (8 * i)) & 0xFF);
    h[10] = char(kRecordSize & 0xFF), h[11] = char(kRecordSize >> 8);
    const char *const fields[] = {"INDEX", "UPLINK", "TYPE",   "TEXT", "FAK01",
                                  "FAK02", "FAK03",  "PRACOV", "ZEN",  "POPIS"};
    for (const char *name : fields) {
        QByteArray f(32, '\0');
        f.replace(0, int(qstrlen(name)), name);
        f[11] = name[0] == 'T' && name[1] == 'E' ? 'C' : 'N';
        f[16] = 10;
        h += f;
    }
    h += '\r';
    return h;
}

QByteArray TableLikeData::records(int count)
{
    QByteArray out;
    out.reserve(qsizetype(count) * kRecordSize);
    for (int r = 0; r < count; ++r) {
        const qsizetype start = out.size();
        ++m_index;
        out += ' ';
        appendPadded(out, QByteArray::number(m_index).rightJustified(10, ' '), 10);
        appendPadded(out, QByteArray::number(m_index / 7).rightJustified(10, ' '), 10);
        appendPadded(out, QByteArray::number(next() % 2).rightJustified(10, ' '), 10);
        appendPadded(out, pick(kUnits) + " - " + pick(kJobs) + " " + QByteArray::number(next() % 100), 120);
        for (int f = 0; f < 13; ++f)
            appendPadded(out, QByteArray::number(1u << (next() % 4)).rightJustified(4, ' '), 4);
        appendPadded(out, QByteArray::number(next() % 250).rightJustified(8, ' '), 8);
        appendPadded(out, QByteArray::number(next() % 80).rightJustified(8, ' '), 8);
        appendPadded(out, pick(kPhrases) + ", " + pick(kPhrases), 150);
        // Personal number, date of measurement and a measured value: the fields that vary.
        appendPadded(out, QByteArray::number(next() % 1000000000u).rightJustified(10, '0'), 10);
        appendPadded(out, QByteArray::number(20000101 + next() % 250000), 8);
        appendPadded(out, QByteArray::number(double(next() % 100000) / 100.0, 'f', 2).rightJustified(12, ' '), 12);
        appendPadded(out, QByteArray(), int(kRecordSize - (out.size() - start)));
    }
    return out;
}
