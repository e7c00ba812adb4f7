#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace quillon {

// Every message box of the program goes through here. A test can answer the next box in
// advance: the box is then not shown, its text is recorded, and the answer returned.
class MessageBox
{
public:
    // A modal box with the exclamation icon and an OK button, captioned with the
    // application's name.
    static QMessageBox::StandardButton warning(QWidget* parent, const QString& text);

    static void setNextAnswer(QMessageBox::StandardButton answer);
    // Texts of the boxes answered in advance, oldest first; cleared by the call.
    static QStringList takeShownTexts();

private:
    static QMessageBox::StandardButton s_nextAnswer;
    static QStringList s_shownTexts;
};

} // namespace quillon
