#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QRadioButton;
class QWidget;

// Keyboard focus for one group of option buttons: the group is a single tab
// stop, on its checked button (on the first enabled one while the checked
// one is disabled or none is checked). Tab and the access key of the group's
// frame land there; the arrow keys move within the group and check as they go.
class OptionGroupFocus : public QObject {
public:
    // Lives as long as the frame.
    static void Install(QWidget* frame, const QList<QRadioButton*>& buttons);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    OptionGroupFocus(QWidget* frame, const QList<QRadioButton*>& buttons);
    QRadioButton* TabStop() const;
    void Update();

    QWidget* m_frame;
    QList<QPointer<QRadioButton>> m_buttons;
};
