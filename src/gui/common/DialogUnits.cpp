#include "DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

namespace quillon
{

namespace
{

QFont ninePoint(const QStringList& families)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSize(9);
    return font;
}

} // namespace

QFont dialogFont()
{
    return ninePoint({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
}

QFont dialogFixedFont()
{
    return ninePoint({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                      QStringLiteral("Noto Sans Mono CJK JP")});
}

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    const int width = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = qMax(1, (width / 26 + 1) / 2);
    m_baseY = qMax(1, fm.height());
}

int DialogUnits::x(int du) const
{
    return (du * m_baseX + 2) / 4;
}

int DialogUnits::y(int du) const
{
    return (du * m_baseY + 4) / 8;
}

QRect DialogUnits::rect(int x0, int y0, int w, int h) const
{
    return QRect(x(x0), y(y0), x(w), y(h));
}

QSize DialogUnits::size(int w, int h) const
{
    return QSize(x(w), y(h));
}

void DialogUnits::place(QWidget* w, int x0, int y0, int width, int height) const
{
    w->setGeometry(rect(x0, y0, width, height));
}

} // namespace quillon
