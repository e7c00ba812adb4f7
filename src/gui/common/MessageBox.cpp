#include "MessageBox.h"

#include <QApplication>

namespace quillon {

QMessageBox::StandardButton MessageBox::s_nextAnswer = QMessageBox::NoButton;
QStringList MessageBox::s_shownTexts;

QMessageBox::StandardButton MessageBox::warning(QWidget* parent, const QString& text)
{
    if (s_nextAnswer != QMessageBox::NoButton) {
        const QMessageBox::StandardButton answer = s_nextAnswer;
        s_nextAnswer = QMessageBox::NoButton;
        s_shownTexts.append(text);
        return answer;
    }
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.setAccessibleName(text);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    s_nextAnswer = answer;
}

QStringList MessageBox::takeShownTexts()
{
    QStringList texts;
    texts.swap(s_shownTexts);
    return texts;
}

} // namespace quillon
