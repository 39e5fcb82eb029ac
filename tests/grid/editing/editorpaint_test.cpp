// The editor controls drawn offscreen, classic and themed, enabled and disabled. Each sheet is
// also saved to /tmp/grid-shots/ to be looked at.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QVBoxLayout>

#include <functional>

#include "grid/display/extxpvs.h"
#include "grid/editing/esgcombo.h"
#include "grid/editing/esgedit.h"
#include "grid/editing/esguni.h"
#include "grid/editing/esgspin.h"
#include "platform/vcl/visualstyle.h"

namespace {

class EditorPaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wasLoaded_ = XPVSLoaded();
        wasSupported_ = SystemSupportsVisualStyles();
        LoadXPVS();
        SetSystemSupportsVisualStyles(true);
    }
    void TearDown() override
    {
        SetActiveVisualStyle(std::nullopt);
        if (!wasLoaded_)
            UnloadXPVS();
        SetSystemSupportsVisualStyles(wasSupported_);
    }

    // The control as made by `make`, in the four looks: [themed][disabled].
    using Maker = std::function<QWidget*(QWidget* parent, bool themed)>;
    static std::array<std::array<QImage, 2>, 2> looks(const Maker& make)
    {
        std::array<std::array<QImage, 2>, 2> images;
        for (int themed = 0; themed < 2; ++themed) {
            if (themed)
                SetActiveVisualStyle(QStringLiteral("NormalColor"));
            else
                SetActiveVisualStyle(std::nullopt);
            for (int disabled = 0; disabled < 2; ++disabled) {
                QWidget form;
                form.resize(140, 40);
                auto* layout = new QVBoxLayout(&form);
                QWidget* control = make(&form, themed != 0);
                layout->addWidget(control);
                control->setEnabled(!disabled);
                form.show();
                images[themed][disabled] = control->grab().toImage();
            }
        }
        SetActiveVisualStyle(std::nullopt);
        return images;
    }

    static void saveSheet(const QString& name, const std::array<std::array<QImage, 2>, 2>& images)
    {
        const QSize cell = images[0][0].size() + QSize(8, 8);
        QImage sheet(cell.width() * 2, cell.height() * 2, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        for (int t = 0; t < 2; ++t)
            for (int d = 0; d < 2; ++d)
                p.drawImage(d * cell.width() + 4, t * cell.height() + 4, images[t][d]);
        p.end();
        QDir().mkpath(QStringLiteral("/tmp/grid-shots"));
        sheet.save(QStringLiteral("/tmp/grid-shots/%1.png").arg(name));
    }

    static void expectFourDifferentLooks(const std::array<std::array<QImage, 2>, 2>& images)
    {
        EXPECT_NE(images[0][0], images[1][0]) << "themed differs from classic";
        EXPECT_NE(images[0][0], images[0][1]) << "disabled differs from enabled";
        EXPECT_NE(images[1][0], images[1][1]) << "themed disabled differs from themed enabled";
    }

    bool wasLoaded_ = false;
    bool wasSupported_ = false;
};

}  // namespace

TEST_F(EditorPaintTest, SpinEditsInEveryLook)
{
    for (TSpinDirection direction : {spVertical, spHorizontal}) {
        const auto images = looks([direction](QWidget* parent, bool themed) {
            auto* spin = new TEsgSpinEdit(parent);
            spin->SetDirection(direction);
            spin->SetValue(42);
            spin->SetIsWinXP(themed);
            return spin;
        });
        saveSheet(direction == spVertical ? QStringLiteral("esgspin-vertical") : QStringLiteral("esgspin-horizontal"),
                  images);
        expectFourDifferentLooks(images);
    }
    const auto flat = looks([](QWidget* parent, bool) {
        auto* spin = new TEsgSpinEdit(parent);
        spin->SetSpinFlat(true);
        spin->SetValue(42);
        return spin;
    });
    saveSheet(QStringLiteral("esgspin-flat"), flat);
    EXPECT_EQ(flat[0][0], flat[1][0]) << "without IsWinXP a declared theme changes nothing";
}

TEST_F(EditorPaintTest, CombosInEveryLook)
{
    for (bool etched : {false, true}) {
        const auto images = looks([etched](QWidget* parent, bool themed) {
            auto* combo = new TESGComboBox(parent);
            combo->SetItems({QStringLiteral("Laufen"), QStringLiteral("Rad")});
            combo->SetText(QStringLiteral("Laufen"));
            combo->SetEtched(etched);
            combo->SetIsWinXP(themed);
            return combo;
        });
        saveSheet(etched ? QStringLiteral("esgcombo-etched") : QStringLiteral("esgcombo"), images);
        expectFourDifferentLooks(images);
    }
    const auto list = looks([](QWidget* parent, bool themed) {
        auto* combo = new TESGComboBox(parent);
        combo->SetStyle(csDropDownList);
        combo->SetItems({QStringLiteral("Laufen"), QStringLiteral("Rad")});
        combo->SetItemIndex(1);
        combo->SetIsWinXP(themed);
        return combo;
    });
    saveSheet(QStringLiteral("esgcombo-list"), list);
    expectFourDifferentLooks(list);
}

TEST_F(EditorPaintTest, EditsWithAButtonInEveryLook)
{
    for (bool flat : {false, true}) {
        const auto images = looks([flat](QWidget* parent, bool themed) {
            auto* edit = new TEsgEditBtn(parent);
            edit->SetText(QStringLiteral("Zwischenzeit"));
            edit->SetButtonCaption(QStringLiteral("..."));
            edit->Button()->SetFlat(flat);
            edit->SetIsWinXP(themed);
            return edit;
        });
        saveSheet(flat ? QStringLiteral("esgeditbtn-flat") : QStringLiteral("esgeditbtn"), images);
        expectFourDifferentLooks(images);
    }
    const auto units = looks([](QWidget* parent, bool themed) {
        auto* edit = new TEsgUnitEditBtn(parent);
        edit->SetText(QStringLiteral("12,5"));
        edit->SetUnits({QStringLiteral("kg"), QStringLiteral("g")});
        edit->SetUnitID(QStringLiteral("kg"));
        edit->SetIsWinXP(themed);
        return edit;
    });
    saveSheet(QStringLiteral("esguniteditbtn"), units);
    expectFourDifferentLooks(units);
    const auto wide = looks([](QWidget* parent, bool themed) {
        auto* edit = new TEsgUniEditBtn(parent);
        edit->SetText(QStringLiteral("Ωμέγα €"));
        edit->SetButtonCaption(QStringLiteral("..."));
        edit->SetIsWinXP(themed);
        return edit;
    });
    saveSheet(QStringLiteral("esgunieditbtn"), wide);
    expectFourDifferentLooks(wide);
}

TEST_F(EditorPaintTest, WideCombosInEveryLook)
{
    for (bool etched : {false, true}) {
        const auto images = looks([etched](QWidget* parent, bool themed) {
            auto* combo = new TESGUniComboBox(parent);
            combo->Items().Add(QStringLiteral("Ωμέγα"));
            combo->Items().Add(QStringLiteral("Ärger €"));
            combo->SetText(QStringLiteral("Ωμέγα"));
            combo->SetEtched(etched);
            combo->SetIsWinXP(themed);
            return combo;
        });
        saveSheet(etched ? QStringLiteral("esgunicombo-etched") : QStringLiteral("esgunicombo"), images);
        expectFourDifferentLooks(images);
    }
}
