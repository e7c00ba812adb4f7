#pragma once

#include <QFont>
#include <QRect>

class QWidget;

namespace quillon
{

// The dialogs' font: "ＭＳ Ｐゴシック" 9 pt, or a metric-compatible Japanese gothic.
QFont dialogFont();
// The fixed-pitch variant ("ＭＳ ゴシック").
QFont dialogFixedFont();

// A fixed-size dialog's frame: title bar, system menu and close box, no other box.
inline constexpr Qt::WindowFlags kDialogWindowFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint;

// Dialog units of a font: horizontal = average character width / 4,
// vertical = character height / 8, as dialog templates are laid out.
class DialogUnits
{
public:
    explicit DialogUnits(const QFont& font);
    int x(int du) const;
    int y(int du) const;
    QRect rect(int x, int y, int w, int h) const;
    QSize size(int w, int h) const;
    // Places a child at a template rectangle.
    void place(QWidget* w, int x, int y, int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};

} // namespace quillon
