// The scanner of the big workbook parts: the tokens of well-formed documents, and the errors
// (with their line and column) of documents that are not.
#include "platform/office/xmlscanner.h"
#include "tests/platform/office/officetest.h"

namespace {

// The tokens as text: "<name a=raw>", "</name>", "'text'" (decoded), "!" for an error at
// line:column, "." for the end.
QString tokens(const QByteArray& xml)
{
    XmlScanner s(xml);
    QString out;
    for (;;) {
        switch (s.Next()) {
        case XmlScanner::StartElement: {
            out += u'<' + QString::fromUtf8(s.Name().data(), qsizetype(s.Name().size()));
            std::string_view a;
            if (s.Attribute("a", a))
                out += QStringLiteral(" a=") + QString::fromUtf8(a.data(), qsizetype(a.size()));
            out += u'>';
            break;
        }
        case XmlScanner::EndElement:
            out += QStringLiteral("</") + QString::fromUtf8(s.Name().data(), qsizetype(s.Name().size())) + u'>';
            break;
        case XmlScanner::Text: {
            QString t;
            if (s.TextIsCData())
                t = QString::fromUtf8(s.RawText().data(), qsizetype(s.RawText().size()));
            else if (!s.AppendDecoded(s.RawText(), t))
                return out + QStringLiteral("!%1:%2").arg(s.Line()).arg(s.Column());
            out += u'\'' + t + u'\'';
            break;
        }
        case XmlScanner::EndDocument:
            return out + u'.';
        case XmlScanner::Invalid:
            return out + QStringLiteral("!%1:%2").arg(s.Line()).arg(s.Column());
        }
    }
}

TEST(XmlScanner, ReadsWellFormedDocuments)
{
    const struct {
        const char* xml;
        const char* tokens;
    } cases[] = {
        {"<a/>", "<a></a>."},
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- c --><x:r a='1'><x:v>7</x:v></x:r>\n", "<r a=1><v>'7'</v></r>."},
        {"<r><t xml:space=\"preserve\"> a &amp; b &lt;&gt; &quot;&apos;</t></r>", "<r><t>' a & b <> \"''</t></r>."},
        {"<r>&#228;&#xF6;&#x1F600;</r>", "<r>'äö😀'</r>."},
        {"<r><![CDATA[<b>&amp;]]></r>", "<r>'<b>&amp;'</r>."},
        {"<r a = \"x>y\" b='\"'>K\xC3\xB6ln</r>", "<r a=x>y>'Köln'</r>."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tokens(c.xml), QString::fromUtf8(c.tokens)) << c.xml;
}

TEST(XmlScanner, RefusesMalformedDocumentsAtTheirPosition)
{
    const struct {
        const char* xml;
        const char* tokens;
    } cases[] = {
        {"", "!1:1"},
        {"<r>", "<r>!1:4"},
        {"<r></s>", "<r>!1:7"},
        {"<r><a></r>", "<r><a>!1:10"},
        {"<r a=1/>", "!1:6"},
        {"<r a=\"1/>", "!1:10"},
        {"<r a=\"<\"/>", "!1:7"},
        {"<r a\"1\"/>", "!1:5"},
        {"<r/><s/>", "<r></r>!1:5"},
        {"text<r/>", "!1:1"},
        {"<r>\n  <1/></r>", "<r>'\n  '!2:4"},
        {"<!DOCTYPE r [<!ENTITY e \"x\">]><r>&e;</r>", "!1:1"},
        {"<r>&e;</r>", "<r>!1:4"},
        {"<r>&#0;</r>", "<r>!1:4"},
        {"<r>&#xD800;</r>", "<r>!1:4"},
        {"<r>&amp</r>", "<r>!1:4"},
        {"<r>\xC3\xA4\xC3\xB6<!-- </r>", "<r>'äö'!1:6"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tokens(c.xml), QString::fromUtf8(c.tokens)) << c.xml;
}

TEST(XmlScanner, ReadsAndSkipsWholeElements)
{
    const QByteArray xml("<r><t>a<b>b</b>c&amp;</t><skip><x/>y</skip><v/></r>");
    XmlScanner s(xml);
    ASSERT_EQ(s.Next(), XmlScanner::StartElement);
    ASSERT_EQ(s.Next(), XmlScanner::StartElement);
    EXPECT_EQ(s.ReadElementText(), QStringLiteral("abc&"));
    ASSERT_EQ(s.Next(), XmlScanner::StartElement);
    s.SkipElement();
    ASSERT_EQ(s.Next(), XmlScanner::StartElement);
    EXPECT_EQ(s.ReadElementText(), QString());
    EXPECT_EQ(s.Next(), XmlScanner::EndElement);
    EXPECT_EQ(s.Next(), XmlScanner::EndDocument);
}

}  // namespace

namespace {

// Garbled copies of a sheet: every scan ends, in an error or at the document's end.
TEST(XmlScanner, GarbledDocumentsEndInAnErrorOrAtTheEnd)
{
    const QByteArray good =
        "<?xml version=\"1.0\"?><worksheet xmlns=\"s\"><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
        "<c r=\"B1\" t=\"inlineStr\"><is><r><t>K&#246;ln &amp; Bonn</t></r></is></c></row><!-- x -->"
        "<row r=\"2\"><c r=\"A2\" s=\"1\"><v>39569</v></c><c><f>A1</f><v><![CDATA[1]]></v></c></row>"
        "</sheetData></worksheet>";
    static const char kNoise[] = "<>/&;\"'=!?[]x \n\xC3";
    quint32 seed = 4711;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = good;
        for (int i = 0, n = 1 + int(next() % 4); i < n; ++i)
            bad[int(next() % quint32(bad.size()))] = kNoise[next() % (sizeof kNoise - 1)];
        if (round % 3 == 0)
            bad.truncate(int(next() % quint32(bad.size())));
        XmlScanner s(bad);
        int steps = 0;
        XmlScanner::Token t;
        while ((t = s.Next()) != XmlScanner::EndDocument && t != XmlScanner::Invalid && steps < 1000) {
            if (t == XmlScanner::StartElement && (next() & 1))
                s.ReadElementText();
            ++steps;
        }
        ASSERT_LT(steps, 1000) << bad.constData();
        EXPECT_GE(s.Line(), 1);
    }
}

}  // namespace
