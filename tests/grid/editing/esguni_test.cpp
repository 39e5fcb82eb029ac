// Wide editing: the wide edits keep text beyond the 8-bit code page end to end, the wide string
// list's rules, its 8-bit view and its stored form, and the wide combo boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "grid/display/basegrid.h"
#include "grid/display/extutil.h"
#include "grid/editing/esguni.h"
#include "tests/support/keyboardwalk.h"
#include "tests/support/qstringprinter.h"

namespace {

// Greek, the euro sign and an emoji (U+1F600, two UTF-16 units).
const QString Wide = QStringLiteral("Ωμέγα €") + QString::fromUcs4(U"\U0001F600");

// Types text a character at a time, a character beyond U+FFFF as one key event.
void typeInto(QWidget* w, const QString& text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text.at(i).isHighSurrogate() ? 2 : 1;
        const QString ch = text.mid(i, n);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, ch);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, ch);
        QApplication::sendEvent(w, &release);
        i += n;
    }
}

// Objects to hang on list entries.
struct Tags {
    QObject a, b, c;
};

QStringList texts(const TWideStrings& list)
{
    QStringList out;
    for (int i = 0; i < list.Count(); ++i)
        out << list.Strings(i);
    return out;
}

QList<QObject*> objects(const TWideStrings& list)
{
    QList<QObject*> out;
    for (int i = 0; i < list.Count(); ++i)
        out << list.Objects(i);
    return out;
}

}  // namespace

TEST(EsgUniTest, WideEditsKeepTextBeyondTheCodePageEndToEnd)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new TEsgUniEdit;
    auto* withButton = new TEsgUniEditBtn;
    layout->addWidget(edit);
    layout->addWidget(withButton);
    window.show();
    EXPECT_EQ(edit->Text(), QString());
    EXPECT_EQ(withButton->Text(), QString()) << "the wide edit with a button starts empty";

    QString seen;
    for (TEditorLineEdit* e : {static_cast<TEditorLineEdit*>(edit), static_cast<TEditorLineEdit*>(withButton)}) {
        e->SetText(Wide);
        EXPECT_EQ(e->Text(), Wide) << "set";
        e->SetText(QString());
        e->setFocus();
        seen.clear();
        e->OnKeyPress = [&](QObject*, QChar& key) { seen += key; };
        typeInto(e, Wide);
        EXPECT_EQ(e->Text(), Wide) << "typed";
        EXPECT_EQ(seen, Wide) << "the key handler sees each character itself";
    }
    withButton->SetRightAlign(true);
    withButton->SetRightAlign(false);
    EXPECT_EQ(withButton->Text(), Wide) << "kept across a change of alignment";

    // Into a cell as wide text, and through the cell's byte form, unchanged.
    TBaseGrid grid;
    grid.SetCellText(1, 1, withButton->Text());
    EXPECT_EQ(grid.GetCellText(1, 1), Wide);
    const QByteArray bytes = WideToCellText(withButton->Text());
    EXPECT_EQ(CellTextKind(QString::fromLatin1(bytes), false), ctkWide);
    EXPECT_EQ(CellTextToWide(bytes), Wide);

    // A handler may swallow a character or change it.
    edit->SetText(QString());
    edit->OnKeyPress = [](QObject*, QChar& key) {
        if (key == QChar(u'μ'))
            key = QChar();
        else if (key == QChar(u'Ω'))
            key = QChar(u'ω');
    };
    typeInto(edit, QStringLiteral("Ωμα"));
    EXPECT_EQ(edit->Text(), QStringLiteral("ωα"));
}

TEST(EsgUniTest, WideListFindsIgnoringCaseAndSplitsLines)
{
    TWideStrings list;
    list.Add(QStringLiteral("Laufen"));
    list.Add(QStringLiteral("ÄRGER"));
    list.Add(QStringLiteral("ΩΜΈΓΑ"));
    EXPECT_EQ(list.IndexOf(QStringLiteral("ärger")), 1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("ωμέγα")), 2);
    EXPECT_EQ(list.IndexOf(QStringLiteral("arger")), -1) << "an umlaut is no plain letter";
    EXPECT_EQ(list.IndexOf(QStringLiteral("Lauf")), -1);
    EXPECT_EQ(list.GetTextStr(), QStringLiteral("Laufen\r\nÄRGER\r\nΩΜΈΓΑ\r\n"));

    struct Case {
        QString text;
        QStringList entries;
    };
    const Case cases[] = {
        {QStringLiteral("a\r\nb\r"), {"a", "b"}},
        {QStringLiteral("a\n\nb"), {"a", "", "b"}},
        {QStringLiteral("a\n"), {"a"}},
        {QStringLiteral("a\n\r\nb"), {"a", "", "b"}},
        {QStringLiteral("a\rb\x0b" "c\x0c" "d") + QChar(0x2028) + "e" + QChar(0x2029) + "f", {"a", "b", "c", "d", "e", "f"}},
        {QString(), {}},
        {QStringLiteral("\r\n"), {""}},
    };
    for (const Case& c : cases) {
        list.SetTextStr(c.text);
        EXPECT_EQ(texts(list), c.entries) << c.text.toStdString();
    }
}

TEST(EsgUniTest, WideListKeepsObjectsWithTheirTexts)
{
    Tags t;
    TWideStrings list;
    list.AddObject(QStringLiteral("a"), &t.a);
    list.AddObject(QStringLiteral("b"), &t.b);
    list.AddObject(QStringLiteral("c"), &t.c);
    list.Put(0, QStringLiteral("A"));
    EXPECT_EQ(texts(list), QStringList({"A", "b", "c"}));
    EXPECT_EQ(objects(list), QList<QObject*>({&t.a, &t.b, &t.c}));
    list.Move(0, 2);
    EXPECT_EQ(texts(list), QStringList({"b", "c", "A"}));
    EXPECT_EQ(objects(list), QList<QObject*>({&t.b, &t.c, &t.a}));
    list.Exchange(0, 1);
    EXPECT_EQ(texts(list), QStringList({"c", "b", "A"}));
    EXPECT_EQ(objects(list), QList<QObject*>({&t.c, &t.b, &t.a}));
    list.InsertObject(1, QStringLiteral("x"), &t.a);
    EXPECT_EQ(list.Objects(1), &t.a);

    // An index outside the list raises and changes nothing.
    const QStringList before = texts(list);
    EXPECT_THROW(list.Get(4), EStringListError);
    EXPECT_THROW(list.Delete(-1), EStringListError);
    EXPECT_THROW(list.Insert(6, QStringLiteral("y")), EStringListError);
    EXPECT_THROW(list.Move(0, 4), EStringListError);
    EXPECT_THROW(list.Exchange(4, 0), EStringListError);
    EXPECT_EQ(texts(list), before);

    // Bulk changes run in one update pair.
    struct Counting : TWideStrings {
        QList<bool> states;
        void SetUpdateState(bool updating) override { states << updating; }
    } counted;
    counted.SetTextStr(QStringLiteral("a\nb\nc"));
    counted.Assign(list);
    EXPECT_EQ(counted.states, QList<bool>({true, false, true, false}));
    EXPECT_TRUE(counted.Equals(list));
    counted.Put(0, QStringLiteral("C"));
    EXPECT_FALSE(counted.Equals(list)) << "texts compare exactly";
}

TEST(EsgUniTest, AssignBetweenWideAndEightBitKeepsOrderAndObjects)
{
    Tags t;
    TWideStrings wide;
    wide.AddObject(QStringLiteral("Ärger €"), &t.a);
    wide.AddObject(QStringLiteral("Ω"), &t.b);
    TAnsiStringList ansi;
    wide.AssignTo(ansi);
    ASSERT_EQ(ansi.Count(), 2);
    EXPECT_EQ(ansi.Strings(0), QByteArray("\xC4rger \x80"));
    EXPECT_EQ(ansi.Strings(1), QByteArray("?")) << "no byte for omega";
    EXPECT_EQ(ansi.Objects(0), &t.a);
    EXPECT_EQ(ansi.Objects(1), &t.b);

    TAnsiStringList source;
    source.AddObject("\xFC" "ber", &t.c);
    source.AddObject("zwei", &t.a);
    wide.Assign(source);
    EXPECT_EQ(texts(wide), QStringList({QStringLiteral("über"), "zwei"}));
    EXPECT_EQ(objects(wide), QList<QObject*>({&t.c, &t.a}));

    // The list's 8-bit view is the list itself.
    TAnsiStrings& view = wide.AnsiStrings();
    EXPECT_EQ(view.Strings(0), QByteArray("\xFC" "ber"));
    view.AddObject("drei", &t.b);
    EXPECT_EQ(wide.Strings(2), QStringLiteral("drei"));
    EXPECT_EQ(wide.Objects(2), &t.b);
    wide.Assign(view);
    wide.AssignTo(wide.AnsiStrings());
    EXPECT_EQ(wide.Count(), 3) << "a list assigned its own view keeps its entries";

    TWideStrings copy;
    wide.AssignTo(copy);
    EXPECT_TRUE(copy.Equals(wide));
    EXPECT_EQ(objects(copy), objects(wide));
}

TEST(EsgUniTest, StoredFormWrittenOnlyWhenItDiffers)
{
    auto written = [](const TWideStrings& list, const TWideStrings* ancestor) {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        const bool wrote = list.WriteWideStrings(out, ancestor);
        EXPECT_EQ(wrote, !bytes.isEmpty());
        return bytes;
    };
    TWideStrings empty, list, same;
    EXPECT_TRUE(written(empty, nullptr).isEmpty()) << "empty, no ancestor: nothing";
    list.SetTextStr(QStringLiteral("a\n") + Wide);
    same.Assign(list);
    EXPECT_TRUE(written(list, &same).isEmpty()) << "as the ancestor: nothing";
    EXPECT_FALSE(written(empty, &list).isEmpty()) << "emptied against its ancestor";

    const QByteArray bytes = written(list, nullptr);
    TWideStrings read;
    read.Add(QStringLiteral("old"));
    QDataStream in(bytes);
    read.ReadWideStrings(in);
    EXPECT_EQ(texts(read), texts(list));

    // A stored list may hold 8-bit texts too.
    QByteArray mixed;
    {
        QDataStream out(&mixed, QIODevice::WriteOnly);
        const QString name = QStringLiteral("WideStrings");
        out << quint32(name.size());
        for (QChar c : name)
            out << quint16(c.unicode());
        out << quint8(1) << quint8(6) << quint32(4);
        out.writeRawData("\xC4rger", 5 - 1);
        out << quint8(18) << quint32(1) << quint16(0x03A9) << quint8(0);
    }
    QDataStream mixedIn(mixed);
    read.ReadWideStrings(mixedIn);
    EXPECT_EQ(texts(read), QStringList({QStringLiteral("Ärge"), QStringLiteral("Ω")}));

    // Broken streams raise and leave the list as it was.
    const QByteArray broken[] = {
        bytes.left(bytes.size() - 1),                         // no end mark
        bytes.left(33),                                       // cut inside a text
        QByteArray::fromHex("7fffffff"),                      // a name longer than the stream
        bytes.left(27) + QByteArray::fromHex("63") + bytes.mid(28),  // an unknown mark
    };
    for (const QByteArray& b : broken) {
        QDataStream badIn(b);
        EXPECT_THROW(read.ReadWideStrings(badIn), EReadError) << b.toHex().toStdString();
        EXPECT_EQ(texts(read), QStringList({QStringLiteral("Ärge"), QStringLiteral("Ω")}));
    }
}

TEST(EsgUniTest, WideCombosKeepTheirItemsAndAnnounceAChoice)
{
    auto check = [](QComboBox* combo, TWideStrings& items, std::function<void(QObject*)>& onClick,
                    std::function<void(QObject*)>& onChange) {
        items.Add(QStringLiteral("Laufen"));
        items.Add(Wide);
        items.Add(QStringLiteral("ΌΡΟΣ"));
        EXPECT_EQ(combo->itemText(1), Wide) << "the combo's own items are the list";
        EXPECT_EQ(items.Strings(1), Wide);
        EXPECT_EQ(items.IndexOf(QStringLiteral("όροσ")), 2);
        EXPECT_EQ(items.IndexOf(QStringLiteral("Lauf")), -1);
        EXPECT_EQ(items.Strings(7), QString()) << "no such item reads empty";
        EXPECT_THROW(items.Insert(9, QStringLiteral("x")), EOutOfResources);
        EXPECT_EQ(items.Count(), 3);

        QStringList heard;
        onClick = [&](QObject*) { heard << QStringLiteral("click ") + combo->currentText(); };
        onChange = [&](QObject*) { heard << QStringLiteral("change ") + combo->currentText(); };
        combo->setCurrentIndex(0);
        combo->setFocus();
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(combo, &down);
        EXPECT_EQ(heard, QStringList({QStringLiteral("click ") + Wide, QStringLiteral("change ") + Wide}));
        onClick = nullptr;
        onChange = nullptr;

        // Emptied, the combo keeps its text.
        combo->setEditText(QStringLiteral("frei"));
        items.Clear();
        EXPECT_EQ(combo->count(), 0);
        EXPECT_EQ(combo->currentText(), QStringLiteral("frei"));
    };
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* plain = new TCustomUNIComboBox;
    auto* flat = new TESGUniComboBox;
    layout->addWidget(plain);
    layout->addWidget(flat);
    FocusWindowAt(&window, plain);
    check(plain, plain->Items(), plain->OnClick, plain->OnChange);
    check(flat, flat->Items(), flat->OnClick, flat->OnChange);
    EXPECT_FALSE(flat->metaObject()->indexOfProperty("Version") >= 0) << "the wide combo has no version";
}

TEST(EsgUniTest, WideComboButtonEdgeRaisedOnlyWhileActive)
{
    QWidget panel;
    panel.resize(200, 60);
    auto* combo = new TESGUniComboBox(&panel);
    combo->setGeometry(10, 10, 150, 24);
    panel.show();
    const QPoint edge(combo->width() - combo->ButtonWidth(), 4);  // the left side of the button's edge
    auto hover = [&](bool in) {
        if (in) {
            QEnterEvent e(QPointF(5, 5), QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)));
            QApplication::sendEvent(combo, &e);
        } else {
            QEvent e(QEvent::Leave);
            QApplication::sendEvent(combo, &e);
        }
    };
    struct Case {
        bool etched, hovered, themed;
        TColor color;
    };
    const Case cases[] = {
        {false, false, false, clBtnFace},  {false, true, false, cl3DLight},
        {true, true, false, clBtnShadow},  {false, true, true, cl3DLight},
    };
    for (const Case& c : cases) {
        combo->SetEtched(c.etched);
        combo->SetIsWinXP(c.themed);
        hover(c.hovered);
        EXPECT_EQ(combo->grab().toImage().pixelColor(edge), ToQColor(c.color))
            << "etched " << c.etched << " hovered " << c.hovered << " themed " << c.themed;
        hover(false);
    }
}
