// Start-up of the main window against an empty Qt dialog started the same way.
//
//   bench_startup editor [FOLDER]   the program's start-up: application object, settings
//                                   profile, main dialog (with FOLDER listed), shown
//   bench_startup empty             an application and an empty QDialog, shown
//
// Prints the milliseconds from the process start to the window's first paint having been
// flushed. The start is QUILLON_BENCH_T0 (nanoseconds since the epoch, taken by the caller
// just before exec); bench_startup.sh runs both kinds many times and compares them.
#include "app/EditorApp.h"
#include "app/EditorDlg.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>

namespace
{

long long nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Reports the time once the window has painted and the event loop has gone round once
// more (the painted picture has been handed to the window system).
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(long long start) : m_start(start) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, [this] {
                std::printf("%.2f\n", double(nowNs() - m_start) / 1e6);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    long long m_start;
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv)
{
    const QByteArray t0 = qgetenv("QUILLON_BENCH_T0");
    const long long start = t0.isEmpty() ? nowNs() : t0.toLongLong();
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("editor");
    FirstPaint probe(start);

    if (mode == "empty") {
        QApplication app(argc, argv);
        QDialog dlg;
        dlg.installEventFilter(&probe);
        dlg.show();
        return app.exec();
    }

    CEditorApp app(argc, argv);
    SetProfilePath(DefaultProfilePath());
    CEditorDlg dlg;
    if (argc > 2)
        dlg.OpenFolder(QString::fromLocal8Bit(argv[2]));
    dlg.installEventFilter(&probe);
    dlg.show();
    return app.exec();
}
