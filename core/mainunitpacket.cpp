// The main window's copy, paste and template commands: each moves one training unit between
// `daten` and a unit data packet file (core/unitpacket.h).
#include <QDir>
#include <QFileInfo>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/unitpacket.h"
#include "platform/rtl/folders.h"
#include "platform/vcl/events.h"
#include "platform/vcl/forms.h"
#include "traininglog/musteredit.h"

namespace {

// The copy buffer: only the last unit copied can be pasted; the main window deletes it on
// closing.
QString copyBuffer()
{
    return UserDataFile(QStringLiteral("Temp/~copy.xml"));
}

// The folder the template dialogs start in, created when it does not exist.
QString templateFolder()
{
    const QString folder = TemplateFolder();
    QDir().mkpath(folder);
    return folder;
}

bool unitsOpen()
{
    return orvServer && orvServer->daten.Active();
}

}  // namespace

void TMainForm::setUpUnitPackets()
{
    SaveDialog1.SetDefaultExt(QStringLiteral("mt5"));
    SaveDialog1.SetFilter(tr("Orvalo 5 Musterdatei (*.mt5)|*.mt5"));
    OpenDialog3.SetDefaultExt(QStringLiteral("mt5"));
    OpenDialog3.SetFilter(tr("Orvalo 5 Musterdatei (*.mt5)|*.mt5"));
    EditCopy1->OnExecute = Handler(this, &TMainForm::EditCopy1Execute);
    EditPaste1->OnExecute = Handler(this, &TMainForm::EditPaste1Execute);
    EditMuster1->OnExecute = Handler(this, &TMainForm::EditMuster1Execute);
    Action22->OnExecute = Handler(this, &TMainForm::Action22Execute);
    Action25->OnExecute = Handler(this, &TMainForm::Action25Execute);
}

void TMainForm::EditCopy1Execute(QObject*)
{
    if (unitsOpen())
        WriteUnitPacket(orvServer->daten, cds, copyBuffer());
}

void TMainForm::EditPaste1Execute(QObject*)
{
    const QString buffer = copyBuffer();
    if (!unitsOpen() || !QFileInfo::exists(buffer))
        return;
    ReadUnitPacket(cds2, orvServer->daten, orvServer->orvDB, buffer, TUnitPacketUse::Paste);
}

void TMainForm::EditMuster1Execute(QObject*)
{
    if (!unitsOpen())
        return;
    SaveDialog1.SetInitialDir(templateFolder());
    if (!SaveDialog1.Execute(this))
        return;
    WriteUnitPacket(orvServer->daten, cds, SaveDialog1.FileName());
}

void TMainForm::Action22Execute(QObject*)
{
    if (!unitsOpen())
        return;
    OpenDialog3.SetInitialDir(templateFolder());
    if (!OpenDialog3.Execute(this))
        return;
    ReadUnitPacket(cds2, orvServer->daten, orvServer->orvDB, OpenDialog3.FileName(), TUnitPacketUse::Template);
}

void TMainForm::Action25Execute(QObject*)
{
    ModalForm<Tmusteredit> editor(musteredit, cds, cds2, SaveDialog1, this);
    editor->ShowModal();
}
