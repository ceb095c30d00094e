#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstdint>

class QCloseEvent;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class AppOptions;
namespace yomari {
class CYomari;
}

// The era search dialog: narrows the eras before the modern ones (numbers
// above modernEraCount) to one period, finds eras by reading or name with
// wildcards, and hands the chosen one on through EraChosen with the group it
// was opened for. Modeless; it deletes itself when closed.
class frmSerch : public QDialog {
    Q_OBJECT

public:
    frmSerch(QWidget* owner, const yomari::CYomari& engine, const AppOptions& options,
             int32_t modernEraCount);
    ~frmSerch() override;

    // Places the dialog beside the main window, reads the period data file and
    // lists the first period. A period file that cannot be used is reported
    // once; the dialog then searches all pre-Meiji eras.
    void Form_Load();

    // Shows the dialog, titled for the main window's era list `group` (0 or
    // 1), which the choice then goes to; an open dialog keeps its search.
    void Open(int group);

    // Whether the dialog has been closed; a later search opens a new one.
    bool IsUnloaded() const { return m_unloaded; }

    // Whether the period data file gave periods; false means all eras.
    bool JidaiDataAvailable() const { return m_jidaiAvailable; }

    // The hint as the program words it: two lines joined by a lone CR.
    static QString SerchHelpText();
    // Katakana as the hiragana the readings are written in (ショウ → しょう).
    static QString AsHiragana(QString text);

signals:
    // OK with an era selected: the era list of the group opened for takes the era.
    void EraChosen(int group, const QString& era);

public slots:
    // Escape: the same as Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls' handlers.
    void cmbJidai_Click();
    void cmdSearch_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdSerchClear_Click();
    void lstMatch_Click();

    // True when an era is selected in lstMatch; otherwise moves the focus to
    // where the user has to act and answers false.
    bool ChkInput();
    // Closes the dialog for good.
    void Unload();

    void CreateControls();
    void SetTabOrder();
    void ConnectHandlers();
    void LoadJidaiData();
    void SetJidaiList();
    void FitPeriodBox();
    void FitSerchHelp();
    // Record index of a position in cmbJidai, or -1 for none.
    int32_t JidaiRecordIndex(int32_t listIndex) const;
    void AddEra(const QString& name);
    // The hint, or in its place what the last search found elsewhere.
    void ShowHint(const QString& note);

    const yomari::CYomari& m_engine;
    const AppOptions& m_options;
    int32_t m_modernEraCount;
    bool m_jidaiAvailable = false;
    bool m_unloaded = false;
    // The main window's era list to fill (0 or 1); -1 after Cancel.
    int m_group = -1;

    // The period data file's records, and the first record naming the
    // Northern and Southern Courts (-1 when there is none).
    QStringList JidaiName;
    QStringList JidaiFirst;
    QStringList JidaiLast;
    int32_t NanbokuIndex = -1;

    // Controls; each objectName is its name here.
    QLineEdit* txtSerch = nullptr;
    QPushButton* cmdSearch = nullptr;
    QListWidget* lstMatch = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSerchClear = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbJidai = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* lblSerchHelp = nullptr;
    QListWidget* lstDummy = nullptr;
};
