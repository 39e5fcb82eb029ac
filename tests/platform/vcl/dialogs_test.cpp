// Message boxes, input boxes and the file, folder and colour dialogs as the tests script them.
#include "platform/vcl/dialogs.h"
#include "tests/platform/vcl/vclfixture.h"
#include "tests/support/messages.h"

namespace {

using DialogsTest = VclTest;

TEST_F(DialogsTest, MessageBoxesAreRecordedAndAnsweredInOrder)
{
    ScriptedAnswers::pushMessageAnswer(mrYes);
    ScriptedAnswers::pushMessageAnswer(mrCancel);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    EXPECT_EQ(MessageDlg(QStringLiteral("Wollen Sie den Datensatz wirklich löschen?"), mtConfirmation, mbYesNo), mrYes);
    EXPECT_EQ(MessageDlg(QStringLiteral("Speichern?"), mtConfirmation, mbYesNoCancel), mrCancel);
    ShowMessage(QStringLiteral("Kompression abgeschlossen."));

    const auto& boxes = ScriptedAnswers::messages();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[0].Type, mtConfirmation);
    EXPECT_EQ(boxes[0].Text, QStringLiteral("Wollen Sie den Datensatz wirklich löschen?"));
    EXPECT_TRUE(boxes[0].Buttons == mbYesNo);
    EXPECT_EQ(boxes[0].Answer, mrYes);
    EXPECT_TRUE(boxes[1].Buttons == mbYesNoCancel);
    EXPECT_TRUE(boxes[2].Buttons == TMsgDlgButtons{mbOK});
    EXPECT_EQ(boxes[2].Text, QStringLiteral("Kompression abgeschlossen."));
}

TEST_F(DialogsTest, UnscriptedMessageBoxFailsWithItsText)
{
    TModalResult r = mrNone;
    const QStringList failures = capturedFailures(
        [&] { r = MessageDlg(QStringLiteral("Das eingestellte QuickLoad-Verzeichnis existiert nicht."), mtError, {mbOK}); });
    EXPECT_EQ(r, mrCancel);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains(QStringLiteral("Das eingestellte QuickLoad-Verzeichnis existiert nicht.")));
    EXPECT_TRUE(failures[0].contains(QStringLiteral("error")));
}

TEST_F(DialogsTest, AnAnswerOfTheWrongKindDoesNotAnswerAnotherStep)
{
    ScriptedAnswers::pushFileName(QStringLiteral("/tmp/a.orv"));
    const QStringList failures = capturedFailures([] { MessageDlg(QStringLiteral("Frage"), mtConfirmation, mbYesNo); });
    EXPECT_EQ(failures.size(), 1);
    EXPECT_EQ(ScriptedAnswers::unusedAnswers(), QStringList{QStringLiteral("file answer \"/tmp/a.orv\"")});
    ScriptedAnswers::clear();
}

TEST_F(DialogsTest, ButtonCaptionsAreTheRuntimesGermanOnes)
{
    EXPECT_EQ(MsgDlgButtonCaption(mbOK), QStringLiteral("OK"));
    EXPECT_EQ(MsgDlgButtonCaption(mbYes), QStringLiteral("&Ja"));
    EXPECT_EQ(MsgDlgButtonCaption(mbNo), QStringLiteral("&Nein"));
    EXPECT_EQ(MsgDlgButtonCaption(mbCancel), QStringLiteral("Abbrechen"));
    EXPECT_EQ(MsgDlgButtonResult(mbNo), mrNo);
    EXPECT_EQ(MsgDlgButtonResult(mbAbort), mrAbort);
}

TEST_F(DialogsTest, ButtonCaptionsAreEnglishUnderTheEnglishModule)
{
    EnglishModule english(QStringLiteral("vcl_en"));
    ASSERT_TRUE(english.loaded());
    const std::pair<TMsgDlgBtn, const char*> cases[] = {
        {mbYes, "&Yes"}, {mbNo, "&No"}, {mbOK, "OK"}, {mbCancel, "Cancel"}, {mbAbort, "&Abort"}, {mbHelp, "&Help"},
    };
    for (const auto& [button, caption] : cases)
        EXPECT_EQ(MsgDlgButtonCaption(button), QString::fromLatin1(caption));
    english.remove();
    EXPECT_EQ(MsgDlgButtonCaption(mbYes), QStringLiteral("&Ja"));
}

TEST_F(DialogsTest, InputQueryChangesTheValueOnlyOnOk)
{
    ScriptedAnswers::pushInputAnswer(true, QStringLiteral("4200"));
    ScriptedAnswers::pushInputAnswer(false);
    ScriptedAnswers::pushInputAnswer(false);
    QString value = QStringLiteral("1000");
    EXPECT_TRUE(InputQuery(QStringLiteral("Eingabe"), QStringLiteral("Distanz in Metern:"), value));
    EXPECT_EQ(value, QStringLiteral("4200"));
    EXPECT_FALSE(InputQuery(QStringLiteral("Eingabe"), QStringLiteral("Distanz in Metern:"), value));
    EXPECT_EQ(value, QStringLiteral("4200"));
    EXPECT_EQ(InputBox(QStringLiteral("Eingabe"), QStringLiteral("Name:"), QStringLiteral("alt")), QStringLiteral("alt"));
}

TEST_F(DialogsTest, FileDialogsReturnTheScriptedFileWithTheDefaultExtension)
{
    TSaveDialog save;
    save.SetTitle(QStringLiteral("Neuer Benutzer"));
    save.SetFilter(QStringLiteral("Orvalo 5 Benutzer (*.orv)|*.orv"));
    save.SetDefaultExt(QStringLiteral("orv"));
    ScriptedAnswers::pushFileName(QStringLiteral("/tmp/neu"));
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), QStringLiteral("/tmp/neu.orv"));
    ScriptedAnswers::pushFileName(QStringLiteral("/tmp/alt.txt"));
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), QStringLiteral("/tmp/alt.txt"));

    TOpenDialog open;
    open.SetFileName(QStringLiteral("/tmp/vorher.orv"));
    ScriptedAnswers::pushFileName(QString());
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName(), QStringLiteral("/tmp/vorher.orv"));

    ASSERT_EQ(ScriptedAnswers::fileDialogs().size(), 3);
    EXPECT_TRUE(ScriptedAnswers::fileDialogs()[0].Save);
    EXPECT_EQ(ScriptedAnswers::fileDialogs()[0].Title, QStringLiteral("Neuer Benutzer"));
    EXPECT_FALSE(ScriptedAnswers::fileDialogs()[2].Save);
}

TEST_F(DialogsTest, FiltersBecomeQtNameFilters)
{
    struct Case {
        QString filter;
        QStringList expected;
    };
    const Case cases[] = {
        {QStringLiteral("Orvalo Datenbanken (*.orv)|*.orv|Alle Dateien(*.*)|*.*"),
         {QStringLiteral("Orvalo Datenbanken (*.orv)"), QStringLiteral("Alle Dateien(*.*)")}},
        {QStringLiteral("Bilder|*.bmp;*.jpg"), {QStringLiteral("Bilder (*.bmp *.jpg)")}},
        // As spelled in the options dialog: an unclosed parenthesis in the name.
        {QStringLiteral(".co5 - Dateien (*.co5|*.co5"), {QStringLiteral(".co5 - Dateien (*.co5 (*.co5)")}},
        {QString(), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterToNameFilters(c.filter), c.expected) << c.filter.toStdString();
}

TEST_F(DialogsTest, ColourAndFolderDialogs)
{
    TColorDialog dlg;
    dlg.SetColor(0x00FF00);
    ScriptedAnswers::pushColor(0x0000FF);
    ScriptedAnswers::pushColorCancel();
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.Color(), 0x0000FFu);
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.Color(), 0x0000FFu);

    QString dir = QStringLiteral("/alt");
    ScriptedAnswers::pushFolder(QStringLiteral("/neu"));
    ScriptedAnswers::pushFolder(QString());
    EXPECT_TRUE(SelectDirectory(QStringLiteral("Ordner"), QString(), dir));
    EXPECT_EQ(dir, QStringLiteral("/neu"));
    EXPECT_FALSE(SelectDirectory(QStringLiteral("Ordner"), QString(), dir));
    EXPECT_EQ(dir, QStringLiteral("/neu"));
}

}  // namespace

namespace {

TEST(MessageDlgText, LineFeedAndCarriageReturnMakeOneLineBreak)
{
    struct Case {
        const char* given;
        const char* shown;
    };
    for (const Case& c : {Case{"a\n\rb", "a\nb"}, Case{"a\r\nb", "a\nb"}, Case{"a\rb", "a\nb"}, Case{"a\nb", "a\nb"},
                          Case{"a\n\n\rb", "a\n\nb"}, Case{"ab", "ab"}})
        EXPECT_EQ(MessageDlgDisplayText(QString::fromLatin1(c.given)), QString::fromLatin1(c.shown)) << c.given;
}

}  // namespace
