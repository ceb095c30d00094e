#include "app/StartupProbe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

namespace {

class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QObject* parent, FirstPaint which, std::function<void()> work)
        : QObject(parent)
        , m_which(which)
        , m_work(std::move(work))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow() &&
            (m_which == FirstPaint::AnyWindow || !QApplication::activeModalWidget())) {
            // After this paint has reached the screen.
            QTimer::singleShot(0, qApp, std::move(m_work));
            qApp->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    FirstPaint m_which;
    std::function<void()> m_work;
};

} // namespace

void AfterFirstPaint(FirstPaint which, std::function<void()> work)
{
    qApp->installEventFilter(new FirstPaintWatch(qApp, which, std::move(work)));
}

void InstallStartupProbe(std::function<void()> closeProgram)
{
    if (qEnvironmentVariableIsSet("YOMARI_EXIT_AFTER_FIRST_PAINT"))
        AfterFirstPaint(FirstPaint::OutsideModalDialogs, [] { std::_Exit(0); });
    else if (qEnvironmentVariableIsSet("YOMARI_CLOSE_AFTER_FIRST_PAINT"))
        AfterFirstPaint(
            FirstPaint::OutsideModalDialogs,
            closeProgram ? std::move(closeProgram) : [] { QCoreApplication::quit(); });
}
