#include "app/StartupProbe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

namespace {

class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(QObject* parent, std::function<void()> leave)
        : QObject(parent)
        , m_leave(std::move(leave))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() && !QApplication::activeModalWidget()) {
            // Leave after this paint has reached the screen.
            QTimer::singleShot(0, qApp, m_leave);
            qApp->removeEventFilter(this);
        }
        return false;
    }

private:
    std::function<void()> m_leave;
};

} // namespace

void InstallStartupProbe(QApplication& app, std::function<void()> closeProgram)
{
    if (qEnvironmentVariableIsSet("YOMARI_EXIT_AFTER_FIRST_PAINT"))
        app.installEventFilter(new FirstPaintProbe(&app, [] { std::_Exit(0); }));
    else if (qEnvironmentVariableIsSet("YOMARI_CLOSE_AFTER_FIRST_PAINT"))
        app.installEventFilter(new FirstPaintProbe(
            &app, closeProgram ? std::move(closeProgram) : [] { QCoreApplication::quit(); }));
}
