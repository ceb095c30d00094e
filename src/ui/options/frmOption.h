#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class AppOptions;
namespace yomari {
class CYomari;
}

// The options dialog: edits the five options and writes the changed ones
// back on "&OK"; a new court line goes to the engine first. It opens showing
// the options as they are.
class frmOption : public QDialog {
    Q_OBJECT

public:
    frmOption(AppOptions& options, yomari::CYomari* engine, QWidget* parent);
    ~frmOption() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls' handlers.
    void cmdOK_Click();
    void cmdCancel_Click();
    void txtMaxLen_KeyPress(int& keyAscii);

    void CreateControls();
    void SetTabOrder();
    void Form_Load();

    bool ReadMaxLen(int32_t& value);
    bool ChangeNanBoku(int32_t value);

    // Controls; each objectName is its name here, an array's index appended
    // ("optNanBoku1"). The index of an option button is the value of its option.
    QGroupBox* frameNanBoku = nullptr;
    std::array<QRadioButton*, 2> optNanBoku{};
    QGroupBox* frameSysTray = nullptr;
    std::array<QRadioButton*, 2> optSysTray{};
    QGroupBox* frameAppMode = nullptr;
    std::array<QRadioButton*, 2> optAppMode{};
    QLabel* Label1 = nullptr;
    QLineEdit* txtMaxLen = nullptr;
    QLabel* lblTextMaxLen = nullptr;
    QGroupBox* frameWhichCopy = nullptr;
    std::array<QRadioButton*, 2> optWhichCopy{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    AppOptions& m_options;
    yomari::CYomari* m_engine;
};
