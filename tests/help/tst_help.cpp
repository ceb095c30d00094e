#include "help/HelpViewer.h"
#include "help/HlpDlg.h"
#include "ui/search/LikePattern.h"
#include "tests/support/TestProgram.h"
#include "tests/support/MainWindow.h"
#include "ui/main/frmMain.h"
#include "ui/table/frmTable.h"
#include "ui/options/frmOption.h"
#include "ui/search/frmSerch.h"
#include "ui/simple/frmADGen.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include <algorithm>
#include <optional>
#include <vector>

using testsupport::Find;

class TestHelp : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_file; // a help file with topics far apart, so jumps scroll
    std::vector<HelpRequest> m_requests;

    // Opens help through the control, as the windows do, with the viewer.
    HelpViewer* Open(int32_t command, int32_t context = 0, const QString& key = {},
                     std::optional<QString> file = std::nullopt)
    {
        HlpDlg help;
        help.SetHelpFile(file.value_or(m_file));
        help.SetHelpCommand(command);
        help.SetHelpContext(context);
        help.SetHelpKey(key);
        help.ShowHelp();
        return HelpViewer::Instance();
    }
    static int Scroll(const HelpViewer* v) { return v->Browser()->verticalScrollBar()->value(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString filler = QStringLiteral("<p>本文の行です。</p>\n").repeated(60);
        m_file = m_dir.filePath(QStringLiteral("Yomari.hlp"));
        QFile out(m_file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(QStringLiteral(
                      "<html><head><meta charset=\"utf-8\"></head><body>"
                      "<h1><a name=\"contents\"></a>目次</h1><p><a href=\"#ctx40\">最後の項目へ</a></p>%1"
                      "<h2><a name=\"ctx10\"></a>概要</h2>%1"
                      "<h2><a name=\"ctx20\"></a><a name=\"key:元号変換\"></a>元号変換</h2>%1"
                      "<h2><a name=\"ctx30\"></a>元号検索</h2><p>ワイルドカードが使えます。</p>%1"
                      "<h2><a name=\"ctx40\"></a><a name=\"key:南北朝時代\"></a>南北朝</h2>%1"
                      "</body></html>")
                      .arg(filler)
                      .toUtf8());
    }
    void init() { HlpDlg::SetHelpHandler({}); }
    void cleanup()
    {
        HlpDlg::SetHelpHandler({});
        delete HelpViewer::Instance();
        m_requests.clear();
    }

    // ---- the control's settings --------------------------------------------

    void defaultsAreStoredAsNothing()
    {
        HlpDlg help;
        QCOMPARE(help.CancelError(), false);
        QCOMPARE(help.CancelSelected(), false);
        QCOMPARE(help.HelpCommand(), 0);
        QCOMPARE(help.HelpContext(), 0);
        QCOMPARE(help.HelpFile(), QString());
        QCOMPARE(help.HelpKey(), QString());
        QCOMPARE(help.hParentwnd(), nullptr);
        QVariantMap bag;
        help.WriteProperties(bag);
        QVERIFY(bag.isEmpty());
    }

    void changedSettingsRoundTripAndDefaultsDropOut()
    {
        HlpDlg help;
        help.SetCancelError(true);
        help.SetCancelSelected(true);
        help.SetHelpCommand(257);
        help.SetHelpContext(42);
        help.SetHelpFile(QStringLiteral("/opt/ヨマリ/Yomari.hlp"));
        help.SetHelpKey(QStringLiteral("元号"));
        QVariantMap bag;
        help.WriteProperties(bag);
        QCOMPARE(bag.keys(), (QStringList{"CancelError", "CancelSelected", "HelpCommand", "HelpContext",
                                          "HelpFile", "HelpKey"}));

        HlpDlg copy;
        copy.ReadProperties(bag);
        QCOMPARE(copy.CancelError(), true);
        QCOMPARE(copy.CancelSelected(), true);
        QCOMPARE(copy.HelpCommand(), 257);
        QCOMPARE(copy.HelpContext(), 42);
        QCOMPARE(copy.HelpFile(), QStringLiteral("/opt/ヨマリ/Yomari.hlp"));
        QCOMPARE(copy.HelpKey(), QStringLiteral("元号"));

        // Back at its default, a value leaves the bag even if it was there.
        help.SetHelpContext(0);
        help.SetHelpKey(QString());
        help.WriteProperties(bag);
        QVERIFY(!bag.contains("HelpContext"));
        QVERIFY(!bag.contains("HelpKey"));
        QCOMPARE(bag.value("HelpCommand").toInt(), 257);
    }

    void missingNamesReadAsDefaults()
    {
        HlpDlg help;
        help.SetCancelError(true);
        help.SetHelpCommand(3);
        help.SetHelpKey(QStringLiteral("old"));
        help.ReadProperties({{"HelpFile", QStringLiteral("a.hlp")}, {"HelpContext", "12"}});
        QCOMPARE(help.CancelError(), false);
        QCOMPARE(help.HelpCommand(), 0);
        QCOMPARE(help.HelpContext(), 12);
        QCOMPARE(help.HelpFile(), QStringLiteral("a.hlp"));
        QCOMPARE(help.HelpKey(), QString());

        help.InitProperties();
        QCOMPARE(help.HelpContext(), 0);
        QCOMPARE(help.HelpFile(), QString());
    }

    void settersMarkTheirPersistedNames()
    {
        HlpDlg help;
        QWidget owner;
        help.SetHelpFile(QStringLiteral("x"));
        help.SethParentwnd(&owner);
        help.SetHelpFile(QStringLiteral("y"));
        help.ReadProperties({{"HelpKey", "k"}}); // reading is no change
        QCOMPARE(help.ChangedProperties(), (QStringList{"HelpFile", "hWnd"}));
    }

    // ---- what ShowHelp hands to the help system ------------------------------

    void showHelpPassesCommandAndItsData_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("keyword");
        QTest::newRow("contents") << 3 << false;
        QTest::newRow("context") << 1 << false;
        QTest::newRow("HELP_KEY") << 257 << true;
        QTest::newRow("HELP_COMMAND") << 258 << false;
        QTest::newRow("HELP_PARTIALKEY") << 261 << true;
    }
    void showHelpPassesCommandAndItsData()
    {
        QFETCH(int, command);
        QFETCH(bool, keyword);
        HlpDlg::SetHelpHandler([this](const HelpRequest& r) { m_requests.push_back(r); });
        QWidget owner;
        HlpDlg help;
        help.SethParentwnd(&owner);
        help.SetHelpFile(QStringLiteral("/p/Yomari.hlp"));
        help.SetHelpCommand(command);
        help.SetHelpContext(42);
        help.SetHelpKey(QStringLiteral("西暦"));
        help.SetCancelSelected(true);
        help.ShowHelp();

        QCOMPARE(m_requests.size(), size_t(1));
        const HelpRequest& r = m_requests.front();
        QCOMPARE(r.owner.data(), &owner);
        QCOMPARE(r.file, QStringLiteral("/p/Yomari.hlp"));
        QCOMPARE(r.command, command);
        QCOMPARE(r.context, keyword ? 0 : 42);
        QCOMPARE(r.key, keyword ? QStringLiteral("西暦") : QString());
        QCOMPARE(help.CancelSelected(), false);
        QVERIFY(!HelpViewer::Instance()); // the replaced system was not bypassed
    }

    // ---- the viewer ----------------------------------------------------------

    void contentsCommandsOpenAtTheTop()
    {
        for (int command : {3, 11, 0}) {
            HelpViewer* v = Open(1, 40); // somewhere down first
            QVERIFY(Scroll(v) > 0);
            QCOMPARE(Open(command), v);
            QVERIFY(v->isVisible());
            QCOMPARE(v->windowTitle(), QStringLiteral("ヨマリ Yomari ヘルプ"));
            QCOMPARE(v->CurrentTopic(), QStringLiteral("contents"));
            QCOMPARE(Scroll(v), 0);
            QCOMPARE(v->Note(), QString());
        }
    }

    // Context numbers and keywords, each asked with the viewer at the top:
    // the topic's heading scrolled into view, the word found selected, or
    // the contents with a note naming what was not found.
    void requestsOpenTheirTopic()
    {
        const struct {
            int command, context;
            const char *key, *topic, *selected, *note;
        } requests[] = {
            {1, 20, "", "ctx20", "", ""},
            {8, 40, "", "ctx40", "", ""}, // the popup command shows the topic in the viewer too
            {1, 999, "", "contents", "", "999"},
            {257, 0, "元号変換", "key:元号変換", "", ""},
            {261, 0, "南北", "key:南北朝時代", "", ""},
            {257, 0, "ワイルドカード", "ctx30", "ワイルドカード", ""},
            {257, 0, "存在しない語", "contents", "", "存在しない語"},
        };
        for (const auto& r : requests) {
            HelpViewer* v = Open(3);
            QCOMPARE(Open(r.command, r.context, QString::fromUtf8(r.key)), v);
            const QString topic = QString::fromUtf8(r.topic);
            QCOMPARE(v->CurrentTopic(), topic);
            QCOMPARE(v->Browser()->textCursor().selectedText(), QString::fromUtf8(r.selected));
            QCOMPARE(v->Note().isEmpty(), *r.note == '\0');
            QVERIFY2(v->Note().contains(QString::fromUtf8(r.note)), qPrintable(v->Note()));
            QCOMPARE(Scroll(v) > 0, topic != QStringLiteral("contents"));
            QTextCursor heading(v->Browser()->document());
            heading.setPosition(v->AnchorPosition(topic));
            QVERIFY2(v->Browser()->viewport()->rect().contains(v->Browser()->cursorRect(heading).topLeft()),
                     r.topic);
        }
    }

    void linksAndHistoryMoveBetweenTopics()
    {
        HelpViewer* v = Open(3);
        emit v->Browser()->anchorClicked(QUrl(QStringLiteral("#ctx40")));
        QCOMPARE(v->CurrentTopic(), QStringLiteral("ctx40"));
        const auto buttons = v->findChildren<QPushButton*>();
        const auto back = *std::find_if(buttons.begin(), buttons.end(), [](QPushButton* b) {
            return b->text() == QStringLiteral("戻る(&B)");
        });
        QVERIFY(back->isEnabled());
        back->click();
        QCOMPARE(v->CurrentTopic(), QStringLiteral("contents"));
        QVERIFY(!back->isEnabled());
    }

    void oneViewerQuitAndOwner()
    {
        auto* owner = new QWidget;
        HlpDlg help;
        help.SethParentwnd(owner);
        help.SetHelpFile(m_file);
        help.SetHelpCommand(3);
        help.ShowHelp();
        HelpViewer* v = HelpViewer::Instance();
        help.ShowHelp();
        QCOMPARE(HelpViewer::Instance(), v);
        const auto windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* w) { return qobject_cast<HelpViewer*>(w); }),
                 1);

        Open(2);
        QTRY_VERIFY(!HelpViewer::Instance());
        Open(2); // nothing open: nothing opens
        QVERIFY(!HelpViewer::Instance());

        help.ShowHelp();
        QVERIFY(HelpViewer::Instance());
        delete owner; // help goes with the window that asked for it
        QTRY_VERIFY(!HelpViewer::Instance());
    }

    void unusableFileShowsWhy_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing") << m_dir.filePath("Nowhere.hlp")
                                 << QStringLiteral("「Nowhere.hlp」が見つからないか");
        QTest::newRow("folder") << m_dir.path() << QStringLiteral("見つからないか、読み込めません");
        QTest::newRow("empty") << QString() << QStringLiteral("ヘルプファイルが指定されていません");
    }
    void unusableFileShowsWhy()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        HelpViewer* v = Open(1, 20, {}, file);
        QVERIFY(v && v->isVisible());
        QVERIFY2(v->Browser()->toPlainText().contains(expected), qPrintable(v->Browser()->toPlainText()));
        QCOMPARE(v->LoadedFile(), QString());
        QCOMPARE(v->CurrentTopic(), QString());
        Open(1, 20); // a good file afterwards is shown again
        QCOMPARE(v->CurrentTopic(), QStringLiteral("ctx20"));
    }

    void helpOnHelpThenBackToTheFile()
    {
        HelpViewer* v = Open(4);
        QVERIFY(v->Browser()->toPlainText().contains(QStringLiteral("ヘルプの使い方")));
        QCOMPARE(v->LoadedFile(), QString());
        Open(3);
        QCOMPARE(v->LoadedFile(), m_file);
        QVERIFY(v->Browser()->toPlainText().startsWith(QStringLiteral("目次")));
    }

    // ---- the help file shipped beside the program ----------------------------

    void shippedHelpFileHoldsItsTopics()
    {
        const QString shipped = QStringLiteral(YOMARI_BIN_DIR "/Yomari.hlp");
        HelpViewer* v = Open(3, 0, {}, shipped);
        QCOMPARE(v->LoadedFile(), shipped);
        QCOMPARE(v->CurrentTopic(), QStringLiteral("contents"));
        const QStringList anchors = v->AnchorNames();

        // Every link of the file leads somewhere in it.
        QFile in(shipped);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(in.readAll());
        int links = 0;
        for (const auto& m : QRegularExpression("href=\"#([^\"]+)\"").globalMatch(text)) {
            QVERIFY2(anchors.contains(m.captured(1)), qPrintable(m.captured(1)));
            ++links;
        }
        QVERIFY(links > 20);

        // Context numbers land on their topic's heading.
        const QList<QPair<int, QString>> topics = {{10, "ヨマリについて"}, {31, "元号変換"},
                                                   {33, "年齢計算"},       {40, "オプション"},
                                                   {51, "ワイルドカード"}, {70, "簡易版"}};
        for (const auto& [context, heading] : topics) {
            Open(1, context, {}, shipped);
            QCOMPARE(v->CurrentTopic(), QStringLiteral("ctx%1").arg(context));
            QCOMPARE(v->Note(), QString());
            const int at = v->AnchorPosition(v->CurrentTopic());
            QCOMPARE(v->Browser()->document()->findBlock(at).text().trimmed(), heading);
        }
        Open(257, 0, QStringLiteral("南朝"), shipped);
        QCOMPARE(v->CurrentTopic(), QStringLiteral("key:南朝"));
    }

    // ---- the help file against the windows it describes --------------------

    void shippedHelpMatchesTheWindows()
    {
        testsupport::MainProgram program;
        frmMain& main = program.w;
        const auto folderEngine = testsupport::FolderEngine();
        frmOption options(main.Options(), folderEngine.get(), &main);
        Find<QRadioButton>(main, "optInput5")->setChecked(true);
        Find<QPushButton>(main, "cmdInputSerch0")->click();
        HelpViewer* viewer = Open(3, 0, {}, QStringLiteral(YOMARI_BIN_DIR "/Yomari.hlp"));
        // What the windows show: "計算(&R)" reads "計算(R)".
        QSet<QString> shown;
        for (QWidget* window :
             QList<QWidget*>{&main, &options, main.Serch(), &main.ADGen(), &main.Table(), viewer}) {
            QStringList texts{window->windowTitle()};
            for (const QWidget* w : window->findChildren<QWidget*>()) {
                if (const auto* b = qobject_cast<const QAbstractButton*>(w))
                    texts << b->text();
                else if (const auto* l = qobject_cast<const QLabel*>(w))
                    texts << l->text();
                else if (const auto* g = qobject_cast<const QGroupBox*>(w))
                    texts << g->title();
            }
            for (QString& t : texts)
                shown.insert(t.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1")));
        }
        QFile in(QStringLiteral(YOMARI_BIN_DIR "/Yomari.hlp"));
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(in.readAll())
                                 .replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                                 .replace(QStringLiteral("&gt;"), QStringLiteral(">"));

        // A caption with an access key, or an era button's "…以前", that the
        // help quotes, sets in bold or in a cell of its own is one a window
        // shows; "&" is never shown.
        const QRegularExpression quoted(QStringLiteral("「([^」<]*)」|<b>([^<]*)</b>|<td>([^<]*)</td>"));
        const QRegularExpression captionLike(QStringLiteral("(\\([A-Z]\\)|以前)$"));
        int captions = 0;
        for (const auto& m : quoted.globalMatch(html)) {
            const QString text = m.captured(1) + m.captured(2) + m.captured(3);
            QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("&\\w"))), qPrintable(text));
            if (captionLike.match(text).hasMatch()) {
                QVERIFY2(shown.contains(text), qPrintable(text));
                ++captions;
            }
        }
        QVERIFY(captions > 20);

        // Each wildcard example picks some eras, not all: the match is tried
        // against readings and names alike.
        const yomari::CYomari& engine = *folderEngine;
        const QString wildcards = html.mid(html.indexOf(QStringLiteral("name=\"ctx51\"")));
        const QString table = wildcards.left(wildcards.indexOf(QStringLiteral("</table>")));
        int examples = 0;
        for (const auto& m : QRegularExpression(QStringLiteral("「([^」]*)」→")).globalMatch(table)) {
            const yomari::LikePattern pattern(m.captured(1));
            int found = 0;
            for (int32_t i = 5; i <= engine.NumberOfGengo(); ++i)
                for (const std::string& text : {engine.Gengo(i), engine.GengoKana(i), engine.GengoKana2(i)})
                    if (!text.empty() && pattern.Matches(QString::fromStdString(text))) {
                        ++found;
                        break;
                    }
            QVERIFY2(found > 0 && found < engine.NumberOfGengo() - 4, qPrintable(m.captured(1)));
            ++examples;
        }
        QCOMPARE(examples, 6);
    }
};

YOMARI_TEST_MAIN(TestHelp)
#include "tst_help.moc"
