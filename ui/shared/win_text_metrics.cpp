#include "win_text_metrics.h"

#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <QtEndian>
#include <cmath>

namespace veltra {
namespace {

// Offsets into the TrueType tables (big-endian fields).
constexpr int kHeadUnitsPerEm = 18;
constexpr int kOs2WinAscent = 74;
constexpr int kOs2WinDescent = 76;

quint16 ReadU16(const QByteArray& table, int offset) {
    return qFromBigEndian<quint16>(table.constData() + offset);
}

}  // namespace

WinTextMetrics MeasureWinText(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray head = raw.fontTable("head");
    const QByteArray os2 = raw.fontTable("OS/2");
    if (head.size() >= kHeadUnitsPerEm + 2 && os2.size() >= kOs2WinDescent + 2) {
        const quint16 unitsPerEm = ReadU16(head, kHeadUnitsPerEm);
        if (unitsPerEm > 0) {
            const double scale = raw.pixelSize() / unitsPerEm;
            return {static_cast<int>(std::lround(ReadU16(os2, kOs2WinAscent) * scale)),
                    static_cast<int>(std::lround(ReadU16(os2, kOs2WinDescent) * scale))};
        }
    }
    const QFontMetrics metrics(font);
    return {metrics.ascent(), metrics.descent()};
}

}  // namespace veltra
