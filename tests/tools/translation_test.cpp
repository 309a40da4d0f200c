// The session's texts: chosen by the desktop's language, shown by the real windows, written in
// English with a complete Japanese, and never applied to the system's own fixed texts.

#include "platform/translation.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QXmlStreamReader>
#include <algorithm>
#include <set>
#include <cerrno>

#include "config/TRZN_Config.h"
#include "config/TRZN_Paper.h"
#include "config/TRZN_PresetName.h"
#include "drawing/stages/roll_panels.h"
#include "platform/ports.h"
#include "plotjob/plot_notes.h"
#include "sender/send_messages.h"
#include "sender/trzn_sersend.h"
#include "settings/default_setup.h"
#include "settings/store.h"
#include "tests/support/temp_home.h"

namespace {

bool HasJapanese(const QString& text) {
    static const QRegularExpression kana(
        QStringLiteral("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}]"));
    return text.contains(kana);
}

// The letter after a single '&' ("&&" is a literal ampersand), lower case; none gives 0.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

// Texts a user reads on a widget tree: labels, buttons, group titles, tooltips, placeholders.
QStringList VisibleTexts(const QWidget* root) {
    QStringList texts;
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<const QLabel*>(w)) texts << label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(w)) texts << button->text();
        if (auto* group = qobject_cast<const QGroupBox*>(w)) texts << group->title();
        if (auto* edit = qobject_cast<const QLineEdit*>(w)) texts << edit->placeholderText();
        if (auto* menu = qobject_cast<const QComboBox*>(w)) {
            texts << menu->placeholderText();
            for (int i = 0; i < menu->count(); ++i)
                texts << menu->itemText(i) << menu->itemData(i, Qt::ToolTipRole).toString();
        }
        texts << w->toolTip();
    }
    texts.removeAll(QString());
    return texts;
}

// Mnemonics that can fire together must differ: within one tab page plus everything outside the
// tabs (a hidden tab's shortcuts don't fire).
void ExpectDistinctMnemonics(const QWidget* scope, const QList<const QWidget*>& shared,
                             const QString& where) {
    QMap<QChar, QString> taken;
    auto visit = [&](const QWidget* w) {
        QString text;
        if (auto* label = qobject_cast<const QLabel*>(w)) text = label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(w)) text = button->text();
        const QChar letter = Mnemonic(text);
        if (letter.isNull()) return;
        EXPECT_FALSE(taken.contains(letter))
            << where.toStdString() << ": '" << QString(letter).toStdString() << "' in \""
            << text.toStdString() << "\" and \"" << taken.value(letter).toStdString() << "\"";
        taken.insert(letter, text);
    };
    for (const QWidget* w : shared) visit(w);
    for (const QWidget* w : scope->findChildren<QWidget*>()) visit(w);
}

class Translation : public testing::Test {
protected:
    void SetUp() override {
        SetSerialDeviceSource([] { return std::vector<std::string>{}; });
    }
    void TearDown() override {
        SetSerialDeviceSource({});
        InstallTranslations(*QCoreApplication::instance(), QLocale(QLocale::Japanese));
    }
    static bool Use(const char* locale) {
        return InstallTranslations(*QCoreApplication::instance(),
                                   QLocale(QString::fromLatin1(locale)));
    }

    TempHome home;
};

TEST_F(Translation, DesktopLanguageChoosesTheTexts) {
    struct Row {
        const char* locale;
        bool english;
    };
    const Row rows[] = {
        {"en_US", true}, {"en_GB", true},  {"de_DE", true},
        {"C", true},     {"ja_JP", false}, {"ja", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.locale);
        EXPECT_EQ(Use(row.locale), row.english);
        EXPECT_EQ(QCoreApplication::translate("trznSendModal", "Stop"),
                  row.english ? QStringLiteral("Stop") : QStringLiteral("中止"));
    }
}

// Switching back and forth leaves one set of texts, not a pile of translators.
TEST_F(Translation, ASecondCallReplacesTheFirst) {
    Use("en_US");
    Use("en_US");
    Use("ja_JP");
    EXPECT_EQ(QCoreApplication::translate("trznConfigModal", "Cancel"),
              QStringLiteral("キャンセル"));
    Use("en_US");
    EXPECT_EQ(QCoreApplication::translate("trznConfigModal", "Cancel"), QStringLiteral("Cancel"));
}

TEST_F(Translation, ConfigurationWindowSpeaksEnglish) {
    Use("en_US");
    RecordSet stored;
    BuiltInSetup(&stored);
    std::snprintf(stored.serial->port_name, sizeof stored.serial->port_name, "/dev/ttyUSB0");
    ASSERT_TRUE(SaveSettings(stored));
    TRZN_Config config;
    config.awakeFromNib();
    QDialog* window = config.window();
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("prconTabs"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Output and Line"));
    for (int i = 0; i < tabs->count(); ++i) EXPECT_FALSE(HasJapanese(tabs->tabText(i))) << i;
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("prdefPBtnOk"))->text(),
              QStringLiteral("OK"));
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("prdefPBtnCancel"))->text(),
              QStringLiteral("Cancel"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Trazen Plotter Settings"));
    // The paper list editor and the preset name dialog too, and an unplugged adapter's item.
    TRZN_Paper paper(window);
    TRZN_PresetName preset(window);
    for (const QWidget* root : {window, paper.panel(), preset.panel()}) {
        for (const QString& text : VisibleTexts(root)) {
            EXPECT_FALSE(HasJapanese(text)) << text.toStdString();
        }
    }

    // The port list's own names stay as they are: they are what the settings file stores.
    auto* ports = window->findChild<QComboBox*>(QStringLiteral("prconMenuNPort"));
    ASSERT_EQ(ports->count(), 5);
    EXPECT_EQ(ports->currentText(), QStringLiteral("/dev/ttyUSB0 (not connected)"));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ports->itemText(i), QString::fromLatin1(kPseudoPorts[i].label));
    }
    auto* papers = window->findChild<QComboBox*>(QStringLiteral("prstlMenuPaper"));
    ASSERT_GT(papers->count(), 0);
    EXPECT_EQ(papers->itemText(papers->count() - 1), QStringLiteral("User defined"));
}

TEST_F(Translation, ConfigurationWindowStaysJapanese) {
    Use("ja_JP");
    TRZN_Config config;
    config.awakeFromNib();
    auto* tabs = config.window()->findChild<QTabWidget*>(QStringLiteral("prconTabs"));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("出力と回線"));
    EXPECT_EQ(config.window()->findChild<QPushButton*>(QStringLiteral("prdefPBtnCancel"))->text(),
              QStringLiteral("キャンセル"));
}

// The preset alerts speak the desktop's language too, and so do the paper list editor's
// refusals, which pass through a helper that lupdate sees only where each text is marked.
TEST_F(Translation, PresetAlerts) {
    const struct {
        const char* japanese;
        const char* english;
    } alerts[] = {
        {"プリセット \"%1\" はすでに存在します。\n現在の設定で置き換えてもよろしいか？",
         "A preset \"%1\" exists already.\nReplace it with the current settings?"},
        {"プリセット \"%1\" を完全に削除しますか？", "Delete the preset \"%1\" for good?"},
    };
    for (const bool english : {true, false}) {
        Use(english ? "en_US" : "ja_JP");
        for (const auto& alert : alerts) {
            EXPECT_EQ(QCoreApplication::translate("TRZN_Config", alert.english),
                      QString::fromUtf8(english ? alert.english : alert.japanese));
        }
        TPrPaper list{};
        list.pitem[list.pitem_count++] = {"A4", 595, 842, 0};
        TRZN_Paper paper;
        paper.setTHPrPaper(&list, 1);
        paper.panel()->findChild<QLineEdit*>(QStringLiteral("prextTextPname"))->setText("a\"b");
        paper.prextPbtnEditmAction();
        EXPECT_EQ(paper.panel()->findChild<QLabel*>(QStringLiteral("prextLabelNote"))->text(),
                  english ? QStringLiteral("A paper name can't contain a double quote.")
                          : QStringLiteral("「\"」は用紙名に使えません。"));
    }
}

TEST_F(Translation, EnglishMnemonicsDoNotClash) {
    Use("en_US");
    TRZN_Config config;
    QDialog* window = config.window();
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("prconTabs"));
    QList<const QWidget*> outside;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!tabs->isAncestorOf(w) && w != tabs) outside << w;
    }
    for (int i = 0; i < tabs->count(); ++i)
        ExpectDistinctMnemonics(tabs->widget(i), outside, tabs->tabText(i));

    TRZN_Paper paper(window);
    ExpectDistinctMnemonics(paper.panel(), {}, QStringLiteral("paper list"));
    TRZN_PresetName preset(window);
    ExpectDistinctMnemonics(preset.panel(), {}, QStringLiteral("preset name"));
}

TEST_F(Translation, SenderPanelAndMessages) {
    struct Row {
        const char* locale;
        const char* stop;
        const char* openFailure;  // first line of the message
        const char* outside;      // the note on pages the range leaves out
        const char* clipped;      // the note on a drawing clipped on two sides
    };
    const char* const outside =
        "pages 2-3 of 3 are outside the page range 1-1 set in Trazen Plotter Settings; not sent";
    const char* const clipped =
        "the drawing reaches beyond the printable area by 30.0 mm on the "
        "left, 2.5 mm at the top; it is clipped there, not scaled";
    const Row rows[] = {
        {"en_US", "Stop", "Serial port /dev/ttyUSB0 could not be opened.", outside, clipped},
        {"ja_JP", "中止", "シリアルポート /dev/ttyUSB0 を開けませんでした。",
         "3 ページ中 2-3 ページ目は Trazen プロッタ設定のページ範囲 1-1 の外にあるため、送りません",
         "図面が印刷可能領域から左に 30.0 mm、上に 2.5 mm はみ出しています。はみ出した部分は切り"
         "取り、縮小はしません"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.locale);
        Use(row.locale);
        TRZN_SerSend sender;
        EXPECT_EQ(
            sender.panel()->findChild<QPushButton*>(QStringLiteral("prserPBtnStopData"))->text(),
            QString::fromUtf8(row.stop));
        const QString failure = SerialOpenFailureText(QStringLiteral("/dev/ttyUSB0"), EACCES);
        EXPECT_EQ(failure.section(u'\n', 0, 0), QString::fromUtf8(row.openFailure));
        EXPECT_TRUE(failure.contains(QStringLiteral("dialout")));
        EXPECT_EQ(NoteWords(Note(outside)), QString::fromUtf8(row.outside));
        EXPECT_EQ(NoteWords(Note(clipped)), QString::fromUtf8(row.clipped));
    }
}

// The plain English texts of the layers below trzn-plot, said in Japanese with their numbers and
// names, nested texts each in turn; an English session keeps them as they came.
TEST_F(Translation, NotesAndRefusalsOfTheLayersBelow) {
    struct Row {
        const char* name;
        const char* english;
        const char* japanese;
        Note note = {};  // an id with its values; none: the English as it came
    };
    const Note canvas(NoteId::DrawingReachesBeyondCanvas,
                      {Note(NoteId::List, {Note(NoteId::MmOnTheLeft, {"2.0"}),
                                           Note(NoteId::MmAtTheTop, {"1.5"})})});
    Note upsideDown;
    SelectPanels({3, 2}, 5, &upsideDown);
    const Row rows[] = {
        {"drawing_refusal", "the drawing has more than 4000000 points to plot",
         "図面の点が 4000000 個を超えるため、プロットできません"},
        {"page_of_a_document", "page 3: page 3 of the PDF document can't be read",
         "3 ページ目: PDF 文書の 3 ページ目を読めません"},
        {"dxf_note", "paper space (layouts) left out: the model space is plotted",
         "ペーパー空間 (レイアウト) は省き、モデル空間をプロットしました"},
        {"dxf_linetypes", "linetypes of no length drawn solid: \"DOT0\", \"DOT1\"",
         "長さのない線種は実線で描きました: \"DOT0\", \"DOT1\""},
        {"cutting_option",
         "the header can't be sent: text that is not Shift-JIS at byte 3 of \"IN;%2\"",
         "ヘッダを送れません: \"IN;%2\" の 3 バイト目にShift-JIS ではない文字があります"},
        {"temporary_folder", "cannot lock a temporary folder in /tmp/a b",
         "/tmp/a b の一時フォルダをロックできません"},
        {"plot_body", "cannot write the plot body to /tmp/x/plot-1: No space left",
         "プロットの本体を /tmp/x/plot-1 に書き込めません: No space left"},
        {"svg_canvas",
         "the drawing reaches beyond its canvas (2.0 mm on the left, 1.5 mm at the top); that "
         "part is not plotted",
         "図面がキャンバスからはみ出しています (左に 2.0 mm、上に 1.5 mm)。はみ出した部分はプロット"
         "しません"},
        {"plot_ceiling",
         "the plot would be larger than 512 MB: the perforation (pen 1, cut 0.10 mm, skip 0.10 "
         "mm) cuts the lines into that many pieces; set longer cut and skip lengths",
         "プロットが 512 MB を超えます: ミシン目 (ペン 1、カット 0.10 mm、スキップ 0.10 mm) が線を"
         "それほど多くの切れ目に分けます。カット長とスキップ長を長くしてください"},
        {"inkscape_failed_within_a_refusal",
         "the drawing has no visible shape to plot: text on a path (textPath) skipped: Inkscape "
         "could not set it along its path (it took more than 30 s and was stopped)",
         "図面にはプロットできる見える図形がありません: パス上のテキスト (textPath) は省きました: "
         "Inkscape がパスに沿って配置できませんでした (30 秒を超えたため止めました)"},
        {"unknown", "a text nobody wrote", "a text nobody wrote"},
        {"page_of_a_document_as_id", "page 3: page 3 of the PDF document can't be read",
         "3 ページ目: PDF 文書の 3 ページ目を読めません",
         Note(NoteId::OnPage, {"3", Note(NoteId::PagePDFDocumentCannot, {"3"})})},
        {"svg_canvas_as_id",
         "the drawing reaches beyond its canvas (2.0 mm on the left, 1.5 mm at the top); that "
         "part is not plotted",
         "図面がキャンバスからはみ出しています (左に 2.0 mm、上に 1.5 mm)。はみ出した部分はプロット"
         "しません",
         canvas},
        {"panel_left_out",
         "panel 3 of 3 is outside the page range 1-2 set in Trazen Plotter Settings; not sent",
         "3 パネル中 3 枚目は Trazen プロッタ設定のページ範囲 1-2 の外にあるため、送りません",
         OutsideRangeNote(false, 3, {1, 2}, {1, 2})},
        {"page_range_upside_down",
         "the page range (first page 3, last page 2) is upside down; set it in TRZNSerConfig",
         "ページ範囲 (開始ページ 3、終了ページ 2) が逆になっています。TRZNSerConfig で設定してください",
         upsideDown},
    };
    for (const char* locale : {"ja_JP", "en_US"}) {
        Use(locale);
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(locale) + " " + row.name);
            const bool japanese =
                QLocale(QString::fromLatin1(locale)).language() == QLocale::Japanese;
            const Note note = row.note == Note() ? Note(row.english) : row.note;
            EXPECT_EQ(NoteEnglish(note), row.english);
            EXPECT_EQ(NoteWords(note), QString::fromUtf8(japanese ? row.japanese : row.english));
        }
    }
}

// Every note id has its words in English and in Japanese, travels by a name of its own, and is
// said in an English session exactly as the layers below would have written it.
TEST_F(Translation, EveryNoteIdHasWordsInBothLanguages) {
    std::set<std::string> keys;
    for (const NoteId id : NoteIdsWithWords()) {
        const std::string source = NoteSource(id);
        SCOPED_TRACE(source);
        EXPECT_TRUE(keys.insert(std::string(NoteKey(id))).second);
        EXPECT_EQ(NoteIdOfKey(NoteKey(id)), id);
        const Note note(id, {"7", "8", "9", "10", "11"});
        Use("ja_JP");
        const QString japanese = QCoreApplication::translate("TPlotNotes", source.c_str());
        EXPECT_TRUE(HasJapanese(japanese) || source.find(' ') == std::string::npos)
            << japanese.toStdString();
        EXPECT_NE(NoteWords(note).toStdString(), NoteEnglish(note));
        Use("en_US");
        EXPECT_EQ(NoteWords(note).toStdString(), NoteEnglish(note));
    }
    EXPECT_GT(keys.size(), 190u);
}

// Every English sentence the drawing's layers put in a message or a note is part of a text the
// notes table knows, so a new refusal can't reach a Japanese session in English unseen. Read from
// the sources (headers too: notes kept as constants): a literal's pieces between printf
// conversions, each of two words or more.
TEST(TranslationFile, EveryTextOfTheLayersBelowIsInTheNotesTable) {
    QStringList known;
    QFile ts(QStringLiteral(TRZN_SOURCE_DIR "/i18n/trazen_ja.ts"));
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    bool notes = false;
    for (QXmlStreamReader xml(&ts); !xml.atEnd();) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"name") notes = xml.readElementText() == u"TPlotNotes";
        if (notes && xml.name() == u"source") known << xml.readElementText();
    }
    // Texts the code looks for in what a library said, not texts it says.
    const QStringList lookedFor = {QStringLiteral("transparency group that has not been painted"),
                                   QStringLiteral("invalid coordinates"),
                                   QStringLiteral("content too big")};
    // A character literal ('"') is matched to be passed over.
    static const QRegularExpression literal(
        QStringLiteral("'(?:[^'\\\\\n]|\\\\.)+'|\"((?:[^\"\\\\\n]|\\\\.)*)\""));
    static const QRegularExpression joined(QStringLiteral("\"\\s*\\n\\s*\""));
    static const QRegularExpression conversion(QStringLiteral("%[-.0-9]*[a-z]+"));
    static const QRegularExpression prose(QStringLiteral("\\b[a-z]{2,} [a-z]{2,}\\b"));
    QStringList files = {QStringLiteral("settings/knife_file.cpp"),
                         QStringLiteral("tools/temp_folder.cpp"),
                         QStringLiteral("tools/reading_files.cpp")};
    const QDir root(QStringLiteral(TRZN_SOURCE_DIR));
    for (QDirIterator it(root.filePath(QStringLiteral("drawing")),
                         {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        files << root.relativeFilePath(it.next());
    ASSERT_GT(files.size(), 30);
    int checked = 0, passedOver = 0;
    for (const QString& name : files) {
        QFile file(root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        QStringList code;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
            if (!line.trimmed().startsWith(QLatin1String("//"))) code << line;
        const QString text = code.join(u'\n').replace(joined, QString());
        for (auto m = literal.globalMatch(text); m.hasNext();) {
            QString said = m.next().captured(1);
            // A framed plot's note line is the note after its key.
            if (said.startsWith(QLatin1String("NOTE:"))) said.remove(0, 5);
            if (said.endsWith(QLatin1String("\\n"))) said.chop(2);
            said.replace(QLatin1String("\\\\"), QLatin1String("\x01"))
                .replace(QLatin1String("\\\""), QLatin1String("\""))
                .replace(QLatin1String("\x01"), QLatin1String("\\"));
            for (const QString& piece : said.split(conversion)) {
                if (!piece.contains(prose)) continue;
                if (lookedFor.contains(piece)) {
                    ++passedOver;
                    continue;
                }
                ++checked;
                const bool found = std::any_of(known.begin(), known.end(),
                                               [&](const QString& k) { return k.contains(piece); });
                EXPECT_TRUE(found) << name.toStdString() << ": \"" << piece.toStdString() << "\"";
            }
        }
    }
    // The scan reads the sources' literals: the texts looked for are among them. (What is
    // checked shrinks as the layers give ids instead of words, and may end at none.)
    EXPECT_GE(passedOver, lookedFor.size()) << checked << " texts checked";
}

// Every note and refusal of the drawing's reading has a row in the guide's message tables: a
// row may shorten a text ("...") and name what varies in capitals (N, FILE) or by an example
// number, but its words stand in the text, in order.
TEST(TranslationFile, EveryNoteIsInTheGuidesMessageTables) {
    QFile guide(QStringLiteral(TRZN_SOURCE_DIR "/docs/guide.md"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString all = QString::fromUtf8(guide.readAll());
    const QString messages = all.mid(all.indexOf(QLatin1String("\n## Messages")));
    static const QRegularExpression code(QStringLiteral("`([^`]+)`"));
    static const QRegularExpression placeholder(QStringLiteral("\\.\\.\\.|\\b[A-Z]+\\b|\\b\\d+(\\.\\d+)?\\b"));
    std::vector<QStringList> rows;
    QStringList spans;
    for (auto it = code.globalMatch(messages); it.hasNext();) {
        QStringList words;
        spans << it.next().captured(1);
        for (const QString& w : spans.back().split(placeholder, Qt::SkipEmptyParts))
            if (!w.trimmed().isEmpty()) words << w.trimmed();
        if (!words.isEmpty()) rows.push_back(words);
    }
    const auto inOrder = [](const QStringList& words, const QString& text) {
        qsizetype at = 0, length = 0;
        for (const QString& w : words) {
            at = text.indexOf(w, at);
            if (at < 0) return false;
            at += w.size(), length += w.size();
        }
        return length >= std::min<qsizetype>(15, text.size() / 2);
    };
    // Pieces of other messages, never said alone.
    const QStringList pieces = {
        QStringLiteral(", "), QStringLiteral("page %1: %2"), QStringLiteral("%1 mm on the left"),
        QStringLiteral("%1 mm at the top"), QStringLiteral("%1 mm on the right"),
        QStringLiteral("%1 mm at the bottom"), QStringLiteral("pen %1, cut %2 mm, skip %3 mm"),
        QStringLiteral("text that is not Shift-JIS"), QStringLiteral("\\x without two hexadecimal digits"),
        QStringLiteral("a backslash that is none of \\e \\r \\n \\\\ \\xNN"),
        QStringLiteral("%1 at byte %2 of \"%3\""), QStringLiteral("no reason given"),
        QStringLiteral("Qt's SVG reader refused it"), QStringLiteral("librsvg could not read it"),
        QStringLiteral("librsvg could not paint it"), QStringLiteral("no product folder")};
    QFile ts(QStringLiteral(TRZN_SOURCE_DIR "/i18n/trazen_ja.ts"));
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    bool notes = false;
    int checked = 0;
    static const QRegularExpression number(QStringLiteral("%\\d"));
    for (QXmlStreamReader xml(&ts); !xml.atEnd();) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"name") notes = xml.readElementText() == u"TPlotNotes";
        if (!notes || xml.name() != u"source") continue;
        const QString source = xml.readElementText();
        if (pieces.contains(source) || !source.contains(u' ')) continue;
        ++checked;
        const QString text = QString(source).replace(number, QStringLiteral("\x01"));
        // Or the row gives the text whole, an example in place of each %N.
        QString pattern = QRegularExpression::escape(text);
        pattern.replace(QStringLiteral("\\\x01"), QStringLiteral(".+?"));
        pattern.replace(QStringLiteral("\x01"), QStringLiteral(".+?"));
        const QRegularExpression whole(pattern);
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                                [&](const QStringList& row) { return inOrder(row, text); }) ||
                    !spans.filter(whole).isEmpty())
            << "no row of docs/guide.md's Messages says \"" << source.toStdString() << "\"";
    }
    EXPECT_GT(checked, 50);
}

// Every text is written in English, in the code and in the forms: a Japanese one would reach an
// English session untranslated, and lupdate would file it as an English source. Comments may say
// Japanese; so may the few texts that are characters, not words, listed here.
TEST(TranslationFile, EveryTextIsWrittenInEnglish) {
    const QStringList characters = {
        QStringLiteral("あ"),             // a line's height, measured
        QStringLiteral("・"),             // a list's bullet
        QStringLiteral("、。，．！？ "),  // where a Japanese line may break
        QStringLiteral("「『（(【〔［")};
    static const QRegularExpression literal(QStringLiteral(
        "'(?:[^'\\\\\n]|\\\\.)+'|\"((?:[^\"\\\\\n]|\\\\.)*)\"|<string>([^<]*)</string>"));
    const QDir root(QStringLiteral(TRZN_SOURCE_DIR));
    int files = 0;
    for (const char* folder : {"config", "sender", "settings", "platform", "preview", "tools"}) {
        for (QDirIterator it(
                 root.filePath(QLatin1String(folder)),
                 {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui")},
                 QDir::Files);
             it.hasNext();) {
            QFile file(it.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            ++files;
            QStringList code;
            for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
                code << line.section(QLatin1String("//"), 0, 0);
            for (auto m = literal.globalMatch(code.join(u'\n')); m.hasNext();) {
                const auto found = m.next();
                const QString text = found.captured(1) + found.captured(2);
                EXPECT_TRUE(!HasJapanese(text) || characters.contains(text))
                    << root.relativeFilePath(file.fileName()).toStdString() << ": \""
                    << text.toStdString() << "\"";
            }
        }
    }
    EXPECT_GT(files, 100);
}

// The translation file itself: nothing left unfinished, and no translation that drops or adds a
// placeholder (the message would then show "%1" or lose a value) or a keyboard mnemonic.
TEST(TranslationFile, EveryMessageIsCompleteAndKeepsItsPlaceholders) {
    for (const char* name : {"trazen_ja.ts"}) {
        SCOPED_TRACE(name);
        QFile file(QStringLiteral(TRZN_SOURCE_DIR "/i18n/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        static const QRegularExpression placeholder(QStringLiteral("%L?\\d+|%p%"));
        auto placeholders = [](const QString& text) {
            QStringList found;
            for (auto it = placeholder.globalMatch(text); it.hasNext();)
                found << it.next().captured();
            found.sort();
            return found.join(u' ').toStdString();
        };
        int messages = 0;
        QString source;
        for (QXmlStreamReader xml(&file); !xml.atEnd();) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == u"source") {
                source = xml.readElementText();
            } else if (xml.name() == u"translation") {
                const bool unfinished = xml.attributes().hasAttribute(QStringLiteral("type"));
                // A plural's forms are elements of their own.
                const QString translation =
                    xml.readElementText(QXmlStreamReader::IncludeChildElements);
                SCOPED_TRACE(source.toStdString());
                ++messages;
                EXPECT_FALSE(unfinished);
                EXPECT_FALSE(translation.isEmpty());
                EXPECT_EQ(placeholders(translation), placeholders(source));
                EXPECT_EQ(Mnemonic(translation).isNull(), Mnemonic(source).isNull());
            }
            ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        }
        EXPECT_GT(messages, 90);
    }
}

}  // namespace
