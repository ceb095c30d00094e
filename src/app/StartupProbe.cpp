#include "StartupProbe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

namespace {

class FirstPaintExit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            // Leave after this paint has reached the screen; nothing is saved.
            QTimer::singleShot(0, [] { std::_Exit(0); });
            qApp->removeEventFilter(this);
        }
        return false;
    }
};

} // namespace

void InstallStartupProbe(QApplication& app)
{
    if (qEnvironmentVariableIsSet("YOMARI_EXIT_AFTER_FIRST_PAINT"))
        app.installEventFilter(new FirstPaintExit(&app));
}
