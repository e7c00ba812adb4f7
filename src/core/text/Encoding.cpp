#include "Encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <cstring>
#include <memory>

namespace quillon
{

namespace
{

constexpr char16_t kReplacement = 0xFFFD;

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// CP932 as two lookup tables, built once from the platform's converter: one for single
// bytes and one for lead/trail pairs. Unmapped entries hold U+FFFD.
struct Cp932Table {
    std::array<char16_t, 256> single{};
    std::array<char16_t, 0x10000> pair{};

    Cp932Table()
    {
        single.fill(kReplacement);
        pair.fill(kReplacement);
        for (int b = 0; b < 0x80; ++b)
            single[b] = char16_t(b);
        for (int b = 0xA1; b <= 0xDF; ++b)
            single[b] = char16_t(0xFF61 + (b - 0xA1)); // half-width katakana
        QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
        if (!decoder.isValid())
            return;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (!isTrailByte(static_cast<unsigned char>(trail)))
                    continue;
                const char bytes[2] = {char(lead), char(trail)};
                const QString s = decoder.decode(QByteArrayView(bytes, 2));
                if (s.size() == 1 && s[0].unicode() != 0x1A && s[0].unicode() != kReplacement)
                    pair[(lead << 8) | trail] = s[0].unicode();
                decoder.resetState();
            }
        }
    }
};

const Cp932Table& cp932()
{
    static const Cp932Table table;
    return table;
}

} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        // Runs of ASCII, eight bytes at a time.
        while (i + 8 <= n) {
            quint64 word;
            std::memcpy(&word, p + i, 8);
            if (word & 0x8080808080808080ULL)
                break;
            i += 8;
        }
        if (i >= n)
            break;
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        unsigned min;
        unsigned cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            min = 0x80;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            min = 0x800;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            min = 0x10000;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = p[i + k];
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

void decodeCp932Into(QByteArrayView bytes, QString* out)
{
    const Cp932Table& table = cp932();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    out->resize(n);
    QChar* w = out->data();
    qsizetype len = 0;
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            w[len++] = QChar(char16_t(c));
            ++i;
        } else if (isLeadByte(c) && i + 1 < n && isTrailByte(p[i + 1])) {
            const char16_t u = table.pair[(c << 8) | p[i + 1]];
            w[len++] = QChar(u);
            i += 2;
        } else {
            w[len++] = QChar(table.single[c]);
            ++i;
        }
    }
    out->truncate(len);
}

void decodeUtf8Into(QByteArrayView bytes, QString* out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    out->resize(n);
    QChar* w = out->data();
    qsizetype i = 0;
    while (i < n && p[i] < 0x80) {
        w[i] = QChar(char16_t(p[i]));
        ++i;
    }
    if (i == n)
        return; // ASCII only, the usual line
    static thread_local QStringDecoder decoder(QStringDecoder::Utf8);
    decoder.resetState();
    QChar* end = decoder.appendToBuffer(w + i, bytes.sliced(i));
    out->truncate(end - out->constData());
}

QString decodeCp932(QByteArrayView bytes)
{
    QString out;
    decodeCp932Into(bytes, &out);
    return out;
}

QString decodeText(const QByteArray& bytes)
{
    if (isValidUtf8(bytes)) {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
        return QString::fromUtf8(bytes);
    }
    return decodeCp932(bytes);
}

bool encodeCp932(const QString& text, QByteArray* out)
{
    QStringEncoder encoder("windows-31j", QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return false;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    // The converter substitutes rather than fails for some characters; a round trip
    // tells whether every character survived.
    if (decodeCp932(bytes) != text)
        return false;
    *out = bytes;
    return true;
}

} // namespace quillon
