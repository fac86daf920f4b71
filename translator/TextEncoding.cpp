#include "translator/TextEncoding.h"

#include <QStringDecoder>
#include <array>

namespace translator {

namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return char(0x80 + i);
    }
    return std::nullopt;
}

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF", 3);

} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        unsigned char lo = 0x80, hi = 0xBF; // bounds of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                lo = 0xA0; // overlong
            else if (c == 0xED)
                hi = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                lo = 0x90; // overlong
            else if (c == 0xF4)
                hi = 0x8F; // above U+10FFFF
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        if (p[1] < lo || p[1] > hi)
            return false;
        for (int i = 2; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += more + 1;
    }
    return true;
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? kHighControls[b - 0x80] : char16_t(b);
    }
    return text;
}

std::optional<QByteArray> encodeWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<char> b = windows1252Byte(text[i].unicode());
        if (!b)
            return std::nullopt;
        bytes[i] = *b;
    }
    return bytes;
}

DecodedText decodeCharacters(QByteArrayView bytes)
{
    DecodedText result;
    if (isValidUtf8(bytes)) {
        if (bytes.startsWith(kUtf8Bom)) {
            result.format.byteOrderMark = true;
            bytes = bytes.sliced(kUtf8Bom.size());
        }
        // Only the first mark is the file's; QString::fromUtf8 would drop a second one too.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        result.text = decoder.decode(bytes);
    } else {
        result.format.encoding = TextEncoding::Windows1252;
        result.text = decodeWindows1252(bytes);
    }
    return result;
}

DecodedText decodeMessageText(QByteArrayView bytes)
{
    DecodedText result = decodeCharacters(bytes);
    const QString& text = result.text;
    if (!text.contains(u'\r')) {
        // LF only, or no line end at all: the text is already as the box holds it.
        return result;
    }
    // The box and the translator see every line end as "\n"; an edited file is saved with
    // the style it used most, the first met of equals.
    qsizetype counts[3] = {}; // LF, CR LF, CR
    qsizetype firstAt[3] = {-1, -1, -1};
    QString lines;
    lines.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        int style = -1;
        if (text[i] == u'\r') {
            style = i + 1 < text.size() && text[i + 1] == u'\n' ? 1 : 2;
            i += style == 1;
        } else if (text[i] == u'\n') {
            style = 0;
        }
        if (style < 0) {
            lines += text[i];
            continue;
        }
        lines += u'\n';
        if (counts[style]++ == 0)
            firstAt[style] = i;
    }
    int most = 0;
    for (int style = 1; style < 3; ++style) {
        if (counts[style] > counts[most] ||
            (counts[style] == counts[most] && counts[style] > 0 && firstAt[style] < firstAt[most]))
            most = style;
    }
    static constexpr LineEnd kStyles[] = {LineEnd::Lf, LineEnd::CrLf, LineEnd::Cr};
    result.format.lineEnd = kStyles[most];
    result.text = lines;
    return result;
}

QByteArray encodeMessageText(QStringView text, const TextFormat& format)
{
    QString withEnds = text.toString();
    if (format.lineEnd != LineEnd::Lf)
        withEnds.replace(u'\n', lineEndText(format.lineEnd));
    if (format.encoding == TextEncoding::Windows1252) {
        if (std::optional<QByteArray> bytes = encodeWindows1252(withEnds))
            return *bytes;
        return withEnds.toUtf8();
    }
    QByteArray bytes = withEnds.toUtf8();
    if (format.byteOrderMark)
        bytes.prepend(kUtf8Bom.data(), kUtf8Bom.size());
    return bytes;
}

QString lineEndText(LineEnd lineEnd)
{
    switch (lineEnd) {
    case LineEnd::CrLf:
        return QStringLiteral("\r\n");
    case LineEnd::Cr:
        return QStringLiteral("\r");
    case LineEnd::Lf:
        break;
    }
    return QStringLiteral("\n");
}

} // namespace translator
