#pragma once

#include <QApplication>

// The application: starts the main dialog and ends when it closes.
class CEditorApp : public QApplication
{
public:
    CEditorApp(int& argc, char** argv);
    int run();
};
