#include "tests/support/Modals.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QLabel>

namespace testsupport {

QString DescribeModal(const QWidget* modal)
{
    QString text;
    if (auto* box = qobject_cast<const QMessageBox*>(modal)) {
        text = box->text();
    } else {
        QStringList labels;
        for (const QLabel* l : modal->findChildren<QLabel*>())
            if (!l->text().isEmpty())
                labels << l->text();
        text = labels.join(QLatin1Char('|'));
    }
    return QStringLiteral("%1 \"%2\": %3")
        .arg(QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle(), text);
}

ModalGuard& ModalGuard::Instance()
{
    // Owned by the application, so that it goes before the windows' fonts do.
    static QPointer<ModalGuard> guard;
    if (!guard)
        guard = new ModalGuard;
    return *guard;
}

ModalGuard::ModalGuard()
    : QObject(QCoreApplication::instance())
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalGuard::Tick);
    m_timer.start();
}

int ModalGuard::Add(Rule rule)
{
    m_rules.emplace_back(++m_nextId, std::move(rule));
    return m_nextId;
}

void ModalGuard::Remove(int id)
{
    std::erase_if(m_rules, [id](const auto& r) { return r.first == id; });
}

QStringList ModalGuard::TakeClosed()
{
    return std::exchange(m_closed, {});
}

void ModalGuard::Tick()
{
    // Restarted first: a timer does not fire again inside its own handler,
    // and a rule may open a modal window of its own that needs answering.
    m_timer.start();
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_busy) {
        m_seen = nullptr;
        return;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (modal != m_seen) {
        m_seen = modal;
        m_seenSince = now;
    }
    // A person answers a window once it is active (its focus in place); one
    // that never becomes active is offered after a moment all the same.
    if (!modal->isActiveWindow() && now - m_seenSince < kActivationMs)
        return;
    // Newest first; a copy, since a rule may end the action that added it.
    const auto rules = m_rules;
    for (auto it = rules.rbegin(); it != rules.rend(); ++it) {
        const QPointer<QWidget> outer = m_busy;
        m_busy = modal;
        const bool took = it->second(modal);
        m_busy = outer;
        if (took) {
            m_seen = nullptr;
            return;
        }
    }
    if (now - m_seenSince < kPatienceMs)
        return;
    const QString what = DescribeModal(modal);
    m_closed << what;
    m_seen = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
    const QByteArray message = "a modal window nobody expected was closed: " + what.toUtf8();
    if (QTest::currentTestFunction())
        QTest::qFail(message.constData(), __FILE__, __LINE__);
    else
        qWarning("%s", message.constData());
}

Modals& Modals::AnswerBoxes(QMessageBox::StandardButton button)
{
    return Add([texts = m_texts, button](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return false;
        *texts << box->text();
        QAbstractButton* b = box->button(button);
        if (!b && !box->buttons().isEmpty())
            b = box->buttons().constFirst();
        if (b)
            b->click();
        else
            box->reject();
        return true;
    });
}

Modals& Modals::Add(Rule rule)
{
    m_rules.push_back(std::move(rule));
    return *this;
}

bool Modals::Run(const std::function<void()>& action)
{
    ModalGuard& guard = ModalGuard::Instance();
    guard.TakeClosed();
    std::vector<int> ids;
    for (const Rule& r : m_rules)
        ids.push_back(guard.Add(r));
    action();
    for (int id : ids)
        guard.Remove(id);
    m_unexpected = guard.TakeClosed();
    return m_unexpected.isEmpty();
}

QStringList AnswerMessageBoxes(const std::function<void()>& action, QMessageBox::StandardButton button)
{
    Modals modals;
    modals.AnswerBoxes(button).Run(action);
    return modals.Texts();
}

} // namespace testsupport
