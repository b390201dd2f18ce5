// The interface in its two languages: the standard buttons and dialogs, every text of our own with
// its English, and the windows in English with no Japanese left and every caption whole.
#include <QtWidgets>
#include <gtest/gtest.h>

#include "app/frm_edit.h"
#include "app/frm_history.h"
#include "app/frm_pump.h"
#include "app/program.h"
#include "app/support/layout_checks.h"
#include "app/support/window_fixture.h"
#include "app/translations.h"

namespace torbex::app {
namespace {

bool japanese(const QString& text) {
    static const QRegularExpression kana(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(kana);
}

TEST(Translations, StandardButtonsLeftInEnglishOrLanguageOptionTakenForAnArgument) {
    ASSERT_TRUE(installTranslations(*QCoreApplication::instance(), workflow::Language::Japanese));
    const QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }

    const LaunchOptions options = launchOptions({QStringLiteral("torbex-demo"), QStringLiteral("--lang"), QStringLiteral("en"),
                                                 QStringLiteral("my.json"), QStringLiteral("--lang=ja")});
    EXPECT_EQ(options.language, QStringLiteral("ja"));
    EXPECT_EQ(options.rest, (QStringList{QStringLiteral("torbex-demo"), QStringLiteral("my.json")}));
    EXPECT_EQ(launchOptions({QStringLiteral("torbex"), QStringLiteral("--lang")}).rest.size(), 2);  // no value: left for the program
}

// lupdate reads the sources as they are now: a text marked since the translation was last brought
// up to date, or left unfinished, has no English.
TEST(Translations, MarkedTextWithoutItsEnglish) {
    QTemporaryDir folder;
    const QString ts = folder.filePath(QStringLiteral("now.ts"));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(TORBEX_SOURCE_DIR));
    lupdate.start(QStringLiteral(TORBEX_LUPDATE), {QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("app"),
                                                   QStringLiteral("data"), QStringLiteral("report"), QStringLiteral("workflow"),
                                                   QStringLiteral("-ts"), ts});
    ASSERT_TRUE(lupdate.waitForFinished(60000)) << lupdate.errorString().toStdString();
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    QFile file(ts);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(workflow::installProgramTexts(*QCoreApplication::instance(), workflow::Language::English));
    QXmlStreamReader xml(&file);
    int sources = 0;
    QString source, comment;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement()) continue;
        if (xml.name() == u"message") comment.clear();
        if (xml.name() == u"source") source = xml.readElementText();
        if (xml.name() == u"comment") comment = xml.readElementText();
        if (xml.name() != u"translation") continue;
        const QByteArray disambiguation = comment.toUtf8();
        const QString english = QCoreApplication::translate("Texts", source.toUtf8().constData(),
                                                            comment.isEmpty() ? nullptr : disambiguation.constData());
        EXPECT_TRUE(english != source && !japanese(english)) << source.toStdString() << ' ' << comment.toStdString();
        ++sources;
    }
    EXPECT_GT(sources, 200);
}

class ReadableWindow : public testing::WindowTest {
protected:
    ReadableWindow() : WindowTest(testing::twoPumps(), testing::freshHistory()) {
        EXPECT_TRUE(window.Form_Load());
        tick(2);
        window.Command1_Click(DataButton::Load);
        told();
    }
    // Every page and dialog: in English no Japanese is left in what the operator reads, and in
    // either language each caption stays whole in its control.
    void expectEveryWindowReadable(bool english) {
        frmEdit edit{dialogs};
        frmPump form({QStringLiteral("00000000000000A1"), {}, {}}, dialogs);
        frmHistory history(*window.historyStore(), dialogs, 12, documents.path(), &window);
        EXPECT_TRUE(history.refresh());
        history.grdPumps_Click(1);
        history.resize(frmHistory::kPreferredSize);
        for (const Page page : {Page::Data, Page::Settings, Page::Factory}) {
            window.cmdMode_Click(page);
            for (QWidget* top : std::initializer_list<QWidget*>{&window, &edit, &form, &history}) {
                top->grab();  // lays the window out as it is drawn
                testing::expectCaptionsFit(*top);
                if (!english) continue;
                QStringList texts{top->windowTitle()};
                for (const QWidget* control : top->findChildren<QWidget*>()) {
                    if (!control->isVisibleTo(top)) continue;
                    texts << control->toolTip() << control->property("text").toString()
                          << control->property("placeholderText").toString() << control->property("title").toString();
                    if (const auto* tabs = qobject_cast<const QTabBar*>(control))
                        for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
                    if (const auto* list = qobject_cast<const QComboBox*>(control))
                        for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
                    if (const auto* view = qobject_cast<const QAbstractItemView*>(control); view && view->model())
                        for (int c = 0; c < view->model()->columnCount(); ++c)
                            texts << view->model()->headerData(c, Qt::Horizontal).toString() << view->model()->index(0, c).data().toString();
                }
                for (const QString& text : texts) EXPECT_FALSE(japanese(text)) << top->metaObject()->className() << ": " << text.toStdString();
            }
        }
    }
};

TEST_F(ReadableWindow, JapaneseCaptionCutByItsControl) { expectEveryWindowReadable(false); }

class EnglishWindow : public ReadableWindow {
protected:
    static void SetUpTestSuite() { workflow::installProgramTexts(*QCoreApplication::instance(), workflow::Language::English); }
};

TEST_F(EnglishWindow, JapaneseLeftOrEnglishCaptionCutByItsControl) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Torbex Settings and Data (V1.02)"));
    expectEveryWindowReadable(true);
}

}  // namespace
}  // namespace torbex::app
